#pragma once

#include <QPointer>

#include <memory>
#include <typeindex>
#include <vector>

class QMdiArea;

namespace zelvora {

class Form;

// The one place that owns the window instances: one object per window class
// for the whole run, created on first use.
class FormRegistry {
 public:
  static FormRegistry& instance();

  template <class T>
  T& get() {
    const std::type_index key(typeid(T));
    for (auto& entry : m_forms)
      if (entry.type == key) return static_cast<T&>(*entry.form);
    auto form = std::make_unique<T>();
    T& ref = *form;
    m_forms.push_back({key, std::move(form)});
    return ref;
  }

  // The frame window whose multiple-document area holds the child windows.
  // Without one (tests of single windows) a bare area stands in.
  void setFrame(Form* frame);
  Form* frame() const { return m_frame; }
  QMdiArea* mdiArea();

  std::vector<Form*> forms() const;
  void unloadChildren();
  // Unloads everything and forgets every instance: a fresh program.
  void reset();

 private:
  FormRegistry() = default;
  struct Entry {
    std::type_index type;
    std::unique_ptr<Form> form;
  };
  std::vector<Entry> m_forms;
  Form* m_frame = nullptr;
  std::unique_ptr<QMdiArea> m_standInArea;
};

// The instance of a window class, reached by its class.
template <class T>
T& form() {
  return FormRegistry::instance().get<T>();
}

}  // namespace zelvora
