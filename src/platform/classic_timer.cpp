#include "platform/classic_timer.h"

namespace zelvora {

ClassicTimer::ClassicTimer(QObject* parent, const QString& name, int intervalMs, bool enabled)
    : QObject(parent), m_interval(intervalMs), m_enabled(enabled) {
  setObjectName(name);
  connect(&m_timer, &QTimer::timeout, this, &ClassicTimer::fire);
  apply();
}

void ClassicTimer::setEnabled(bool enabled) {
  m_enabled = enabled;
  apply();
}

void ClassicTimer::setInterval(int ms) {
  m_interval = ms;
  apply();
}

void ClassicTimer::apply() {
  if (m_enabled && m_interval > 0) {
    m_timer.setTimerType(m_interval < 50 ? Qt::PreciseTimer : Qt::CoarseTimer);
    // Changing the interval of a running timer restarts its period, as the
    // classic timer did.
    m_timer.start(m_interval);
  } else {
    m_timer.stop();
  }
}

void ClassicTimer::fire() {
  if (m_running || !m_handler) return;
  m_running = true;
  m_handler();
  m_running = false;
}

}  // namespace zelvora
