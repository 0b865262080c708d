#include "platform/form_registry.h"

#include "platform/form.h"

#include <QMdiArea>

namespace zelvora {

FormRegistry& FormRegistry::instance() {
  static FormRegistry registry;
  return registry;
}

void FormRegistry::setFrame(Form* frame) { m_frame = frame; }

QMdiArea* FormRegistry::mdiArea() {
  if (m_frame) return m_frame->mdiArea();
  if (!m_standInArea) {
    m_standInArea = std::make_unique<QMdiArea>();
    m_standInArea->resize(1600, 1200);
    // Shown like a real frame, so its windows get their resize events.
    m_standInArea->show();
  }
  return m_standInArea.get();
}

std::vector<Form*> FormRegistry::forms() const {
  std::vector<Form*> all;
  for (const auto& entry : m_forms) all.push_back(entry.form.get());
  return all;
}

void FormRegistry::unloadChildren() {
  // By index: an unload handler may touch a window not created yet.
  for (std::size_t i = 0; i < m_forms.size(); ++i)
    if (m_forms[i].form.get() != m_frame) m_forms[i].form->unload();
}

void FormRegistry::reset() {
  unloadChildren();
  if (m_frame) m_frame->unload();
  m_frame = nullptr;
  m_forms.clear();
  m_standInArea.reset();
}

}  // namespace zelvora
