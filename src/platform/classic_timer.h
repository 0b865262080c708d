#pragma once

#include <QObject>
#include <QTimer>

#include <functional>

namespace zelvora {

// A timer with the classic semantics: it fires only while it is enabled and
// its interval is above 0. A tick that comes while the previous run of the
// handler is still busy (inside a wait that lets events run) is dropped, so
// the handler never runs inside itself.
class ClassicTimer : public QObject {
  Q_OBJECT

 public:
  explicit ClassicTimer(QObject* parent, const QString& name, int intervalMs = 0, bool enabled = true);

  bool enabled() const { return m_enabled; }
  void setEnabled(bool enabled);
  int interval() const { return m_interval; }
  void setInterval(int ms);
  void setHandler(std::function<void()> handler) { m_handler = std::move(handler); }

  // Runs the handler as a tick would (tests drive timers this way).
  void fire();

 private:
  void apply();

  QTimer m_timer;
  std::function<void()> m_handler;
  int m_interval;
  bool m_enabled;
  bool m_running = false;
};

}  // namespace zelvora
