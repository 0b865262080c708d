// libFuzzer target for reading the receiver's replies: the input is a run
// of steps (send a command, receive any text, take or give up a query's
// reply, reopen the port), played against the reply pairing. Every reply
// a query takes must be of the query's own form, come from text received
// after the query's line began, be taken once, and read as a meter level
// within the meter's range.

#include "receiver/pcr_protocol.h"
#include "receiver/reply_pairing.h"

#include <QString>

#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <set>
#include <string>
#include <vector>

namespace {

using zelvora::ReplyPairing;

struct Query {
  ReplyPairing::Ticket ticket;
  QString prefix;
  // Where in all received text the line that may carry the reply began.
  qsizetype lineStart;
  bool done = false;
};

[[noreturn]] void fail(const std::string& what) {
  std::cerr << what << std::endl;
  std::abort();
}

// Reads the steps from the front: an operation byte, then its operand.
class Steps {
 public:
  Steps(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
  bool more() const { return m_at < m_size; }
  std::uint8_t byte() { return m_at < m_size ? m_data[m_at++] : 0; }
  QString text(std::size_t length) {
    length = std::min(length, m_size - m_at);
    const QString t = QString::fromLatin1(reinterpret_cast<const char*>(m_data + m_at), qsizetype(length));
    m_at += length;
    return t;
  }

 private:
  const std::uint8_t* m_data;
  std::size_t m_size;
  std::size_t m_at = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const QString commands[] = {"G300", "H101", "H100", "K00145000000050200", "J4180", "J5001", "I0?", "I1?"};
  ReplyPairing pairing;
  std::vector<Query> queries;
  std::set<ReplyPairing::Ticket> settled;
  QString received;
  Steps steps(data, size);
  const auto check = [&] {
    for (const Query& q : queries)
      if (settled.count(q.ticket) && !pairing.settled(q.ticket)) fail("a settled query is outstanding again");
    for (const Query& q : queries)
      if (pairing.settled(q.ticket)) settled.insert(q.ticket);
  };
  while (steps.more()) {
    switch (steps.byte() % 5) {
      case 0: {
        const QString& command = commands[steps.byte() % std::size(commands)];
        const auto ticket = pairing.sent(command);
        if (command.startsWith(QLatin1Char('I'))) {
          if (ticket == 0) fail("a query expects no reply");
          const qsizetype lineStart = std::max(received.lastIndexOf(QLatin1Char('\r')), received.lastIndexOf(QLatin1Char('\n'))) + 1;
          queries.push_back({ticket, command.left(2), lineStart});
        }
        break;
      }
      case 1: {
        const QString text = steps.text(steps.byte());
        received += text;
        pairing.received(text);
        break;
      }
      case 2:
      case 3: {
        if (queries.empty()) break;
        Query& q = queries[steps.byte() % queries.size()];
        const auto reply = pairing.take(q.ticket);
        if (!reply) break;
        if (q.done) fail("a reply taken twice");
        q.done = true;
        if (!reply->startsWith(q.prefix)) fail("reply \"" + reply->toStdString() + "\" to " + q.prefix.toStdString());
        if (reply->contains(QLatin1Char('\r')) || reply->contains(QLatin1Char('\n'))) fail("a reply holds a line end");
        if (!received.mid(q.lineStart).contains(*reply)) fail("reply \"" + reply->toStdString() + "\" came before its query");
        if (!pairing.settled(q.ticket)) fail("an answered query is not settled");
        if (const auto raw = zelvora::SignalReading(*reply)) {
          if (*raw < 0 || *raw > 255) fail("strength out of range");
          const int level = zelvora::MeterLevel(*raw);
          if (level < 0 || level > 89) fail("meter level out of range");
        }
        break;
      }
      case 4: {
        const std::uint8_t what = steps.byte();
        if (what == 0xFF) {
          pairing.reset();
          for (Query& q : queries)
            if (!pairing.settled(q.ticket)) fail("a query outstanding after the port reopened");
        } else if (!queries.empty()) {
          const Query& q = queries[what % queries.size()];
          pairing.giveUp(q.ticket);
          if (pairing.take(q.ticket)) fail("a reply given up can still be taken");
        }
        break;
      }
    }
    check();
  }
  return 0;
}
