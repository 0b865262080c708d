#include "receiver/receiver_link.h"

#include "platform/receiver_port.h"

#include <algorithm>

namespace zelvora {

ReceiverLink::ReceiverLink(ReceiverPort* port) : m_port(port) {
  m_clock.start();
  QObject::connect(port, &ReceiverPort::received, &m_listener, [this] { pump(); });
}

double ReceiverLink::nowMs() const { return m_clock.nsecsElapsed() / 1e6; }

void ReceiverLink::reset() {
  m_pairing.reset();
  m_lineFreeAt = 0;
  m_tuneTicket = 0;
  m_tuneCrossedAt = 0;
  m_tuneTakenAt.reset();
  m_unansweredSince.reset();
}

ReceiverLink::Ticket ReceiverLink::write(const QString& command) {
  const QString line = command + QStringLiteral("\r\n");
  m_port->output(line);
  const double characterMs = m_port->characterMs();
  m_lineFreeAt = std::max(m_lineFreeAt, nowMs()) + line.size() * characterMs;
  const Ticket ticket = m_pairing.sent(command);
  if (command.startsWith(QLatin1Char('I')) && !m_unansweredSince) m_unansweredSince = nowMs();
  if (command.startsWith(QLatin1String("K0"))) {
    ++m_tunings;
    m_tuneTicket = ticket;
    m_tuneCrossedAt = characterMs > 0 ? m_lineFreeAt : nowMs() + kReplyLimitMs;
    m_tuneTakenAt.reset();
  }
  return ticket;
}

void ReceiverLink::pump() {
  const QString text = m_port->input();
  if (text.isEmpty()) return;
  m_pairing.received(text);
  if (!m_tuneTakenAt && m_pairing.settled(m_tuneTicket)) m_tuneTakenAt = nowMs();
}

std::optional<QString> ReceiverLink::take(Ticket ticket) {
  pump();
  auto reply = m_pairing.take(ticket);
  if (reply) m_unansweredSince.reset();
  return reply;
}

double ReceiverLink::msWithoutReply() const { return m_unansweredSince ? nowMs() - *m_unansweredSince : 0; }

double ReceiverLink::msUntilSent() const { return std::max(0.0, m_lineFreeAt - nowMs()); }

double ReceiverLink::msUntilTuned(double settleMs) {
  pump();
  const double reached = m_tuneTakenAt ? std::min(*m_tuneTakenAt, m_tuneCrossedAt) : m_tuneCrossedAt;
  return std::max(0.0, reached + settleMs - nowMs());
}

}  // namespace zelvora
