#pragma once

#include <QObject>

#include <map>

namespace zelvora {

// Key state of the arrow, Enter and Pause keys, seen through an
// application-wide event filter: whether a key is down now and whether it
// was pressed since the last read. Only this program's own key events are
// seen.
class KeyState : public QObject {
  Q_OBJECT

 public:
  static KeyState& instance();

  // 0x8000 when the key is down now, plus 1 when it was pressed since the
  // last read of that key; the read clears the "pressed" mark.
  int GetAsyncKeyState(int qtKey);

  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  KeyState();
  struct State {
    bool down = false;
    bool pressed = false;
  };
  std::map<int, State> m_keys;
};

}  // namespace zelvora
