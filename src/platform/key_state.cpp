#include "platform/key_state.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace zelvora {
namespace {

bool isWatched(int key) {
  switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Pause:
      return true;
    default:
      return false;
  }
}

}  // namespace

KeyState& KeyState::instance() {
  static KeyState* state = new KeyState;
  return *state;
}

KeyState::KeyState() {
  if (auto* app = QCoreApplication::instance()) app->installEventFilter(this);
}

int KeyState::GetAsyncKeyState(int qtKey) {
  State& s = m_keys[qtKey == Qt::Key_Enter ? Qt::Key_Return : qtKey];
  const int value = (s.down ? 0x8000 : 0) | (s.pressed ? 1 : 0);
  s.pressed = false;
  return value;
}

bool KeyState::eventFilter(QObject* watched, QEvent* event) {
  const auto type = event->type();
  if (type == QEvent::KeyPress || type == QEvent::KeyRelease) {
    auto* key = static_cast<QKeyEvent*>(event);
    // A key event passes the filter once for every widget it travels up
    // through: only the change from up to down is a press, so a press read
    // and cleared on the way is not marked again by the same event.
    if (isWatched(key->key()) && watched->isWidgetType()) {
      State& s = m_keys[key->key() == Qt::Key_Enter ? Qt::Key_Return : key->key()];
      if (type == QEvent::KeyPress) {
        if (!s.down) s.pressed = true;
        s.down = true;
      } else if (!key->isAutoRepeat()) {
        s.down = false;
      }
    }
  } else if (type == QEvent::ApplicationDeactivate) {
    // The release of a key held while the user switched to another program
    // never reaches this one.
    for (auto& [key, s] : m_keys) s.down = false;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace zelvora
