#include "serial_line.h"

#include <algorithm>
#include <cmath>

namespace pcrsim {

SerialLine::SerialLine(LineOptions options, Receiver receiver, Deliver deliver)
    : m_options(options),
      m_charMs(options.baud > 0 ? 10000.0 / options.baud : 0),
      m_receiver(std::move(receiver)),
      m_deliver(std::move(deliver)) {}

void SerialLine::schedule(double atMs, std::function<void()> event) {
  // Events of the same time keep the order they were scheduled in.
  m_events.emplace_hint(m_events.upper_bound(atMs), atMs, std::move(event));
}

void SerialLine::fromProgram(const char* bytes, size_t count, double nowMs) {
  for (size_t i = 0; i < count; ++i) {
    const char ch = bytes[i];
    m_inFreeAt = std::max(m_inFreeAt, nowMs) + m_charMs;
    // The program ends commands with CR LF, other clients with LF alone.
    if (ch != '\r' && ch != '\n') {
      m_incoming += ch;
      continue;
    }
    if (m_incoming.empty()) continue;
    const double arrived = m_inFreeAt;
    schedule(arrived, [this, command = std::move(m_incoming), arrived] { take(command, arrived); });
    m_incoming.clear();
  }
}

void SerialLine::take(const std::string& command, double arrivedMs) {
  // One command at a time: the next waits until the receiver is done.
  const double done = std::max(arrivedMs, m_receiverFreeAt) + m_options.processMs;
  m_receiverFreeAt = done;
  const auto handle = [this, command, arrivedMs, done] {
    auto [bytes, lateMs] = m_receiver(command, arrivedMs);
    if (!bytes.empty()) answer(bytes, done + lateMs);
  };
  if (done > arrivedMs) schedule(done, handle);
  else handle();
}

void SerialLine::answer(const std::string& bytes, double fromMs) {
  // A late answer holds back the ones after it: the receiver answers in
  // order.
  double at = std::max(fromMs, m_outFreeAt);
  size_t start = 0;
  double startDelivery = -1;
  for (size_t i = 0; i < bytes.size(); ++i) {
    at += m_charMs;
    double delivery = at;
    if (m_options.latencyMs > 0) delivery = std::ceil(at / m_options.latencyMs) * m_options.latencyMs;
    if (i > start && delivery != startDelivery) {
      schedule(startDelivery, [this, part = bytes.substr(start, i - start)] { m_deliver(part); });
      start = i;
    }
    startDelivery = delivery;
  }
  m_outFreeAt = at;
  schedule(startDelivery, [this, part = bytes.substr(start)] { m_deliver(part); });
}

double SerialLine::run(double nowMs) {
  while (!m_events.empty() && m_events.begin()->first <= nowMs) {
    auto event = std::move(m_events.begin()->second);
    m_events.erase(m_events.begin());
    event();
  }
  return m_events.empty() ? -1 : m_events.begin()->first;
}

}  // namespace pcrsim
