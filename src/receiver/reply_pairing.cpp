#include "receiver/reply_pairing.h"

#include <array>
#include <utility>

namespace zelvora {
namespace {

// A received text longer than any reply with no line end in it is noise;
// dropping it keeps a babbling line from growing the buffer.
constexpr qsizetype kLongestLine = 256;
// A receiver that stopped answering leaves its entries behind; past this
// many the oldest count as lost.
constexpr size_t kMostOutstanding = 1024;

}  // namespace

std::optional<ReplyPairing::Form> ReplyPairing::FormOfCommand(const QString& command) {
  if (command == QLatin1String("I0?")) return Form::Squelch;
  if (command == QLatin1String("I1?")) return Form::Signal;
  return std::nullopt;
}

ReplyPairing::Ticket ReplyPairing::sent(const QString& command) {
  const auto query = FormOfCommand(command);
  if (command == QLatin1String("G300")) m_polled = true;
  if (!query && !m_polled) return 0;
  const Ticket ticket = ++m_last;
  if (m_pending.size() >= kMostOutstanding) {
    settle(m_pending.front().ticket);
    m_pending.pop_front();
  }
  m_pending.push_back({ticket, query.value_or(Form::Acknowledgement)});
  return ticket;
}

void ReplyPairing::received(const QString& text) {
  for (const QChar ch : text) {
    if (ch == QLatin1Char('\r') || ch == QLatin1Char('\n')) {
      if (!m_partial.isEmpty()) line(m_partial);
      m_partial.clear();
      continue;
    }
    if (m_partial.size() < kLongestLine) m_partial += ch;
  }
}

// A reply may follow stray bytes on its line, so it is looked for anywhere
// in it. A line with no reply prefix at all carries no reply; a line
// without the prefix the oldest entry waits for answers a later entry.
void ReplyPairing::line(const QString& text) {
  static const std::array<std::pair<Form, QLatin1String>, 3> prefixes = {{
      {Form::Acknowledgement, QLatin1String("G0")},
      {Form::Squelch, QLatin1String("I0")},
      {Form::Signal, QLatin1String("I1")},
  }};
  const auto find = [&](Form form) {
    for (const auto& [kind, prefix] : prefixes)
      if (kind == form) return text.indexOf(prefix);
    return qsizetype(-1);
  };
  bool anyReply = false;
  for (const auto& [kind, prefix] : prefixes) anyReply |= text.contains(prefix);
  if (!anyReply) return;
  while (!m_pending.empty()) {
    const Entry entry = m_pending.front();
    m_pending.pop_front();
    settle(entry.ticket);
    const qsizetype at = find(entry.form);
    if (at < 0) continue;
    if (entry.form != Form::Acknowledgement) m_replies[entry.ticket] = text.mid(at);
    return;
  }
}

void ReplyPairing::settle(Ticket ticket) {
  if (ticket > m_settledThrough) m_settledThrough = ticket;
}

std::optional<QString> ReplyPairing::take(Ticket ticket) {
  const auto found = m_replies.find(ticket);
  if (found == m_replies.end()) return std::nullopt;
  QString reply = std::move(found->second);
  m_replies.erase(found);
  return reply;
}

void ReplyPairing::giveUp(Ticket ticket) {
  while (!m_pending.empty() && m_pending.front().ticket <= ticket) m_pending.pop_front();
  m_replies.erase(ticket);
  settle(ticket);
}

void ReplyPairing::reset() {
  m_pending.clear();
  m_replies.clear();
  m_partial.clear();
  m_polled = false;
  m_settledThrough = m_last;
}

}  // namespace zelvora
