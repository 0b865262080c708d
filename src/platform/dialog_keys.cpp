#include "platform/dialog_keys.h"

#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>

namespace zelvora {
namespace {

class DialogKeys : public QObject {
 public:
  DialogKeys(QWidget* window, QPushButton* defaultButton, QPushButton* cancelButton)
      : QObject(window), m_default(defaultButton), m_cancel(cancelButton) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Escape && m_cancel) {
      m_cancel->click();
      return true;
    }
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && m_default) {
      // The key goes to the widget with the focus; a button there takes it.
      auto* focused = qobject_cast<QPushButton*>(watched);
      (focused ? focused : m_default.data())->click();
      return true;
    }
    return false;
  }

 private:
  QPointer<QPushButton> m_default;
  QPointer<QPushButton> m_cancel;
};

}  // namespace

void setDialogButtons(QWidget* window, QPushButton* defaultButton, QPushButton* cancelButton) {
  auto* keys = new DialogKeys(window, defaultButton, cancelButton);
  window->installEventFilter(keys);
  for (QWidget* child : window->findChildren<QWidget*>()) child->installEventFilter(keys);
  defaultButton->setDefault(true);
}

}  // namespace zelvora
