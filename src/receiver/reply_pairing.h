#pragma once

#include <QString>

#include <cstdint>
#include <deque>
#include <map>
#include <optional>

namespace zelvora {

// Pairs the receiver's replies with what was sent. Once polled ("G300")
// the receiver answers every command and query with one line, in the order
// it got them: "G000" (or "G001", refused) for a command, "I0" + two digits
// for the squelch query and "I1" + two hexadecimal digits for the signal
// query; it answers the queries even when not polled. A reply line takes
// the oldest outstanding entry of its own form; entries of another form
// ahead of it have lost their replies. So a lost or spoiled reply costs only
// its own entry.
class ReplyPairing {
 public:
  using Ticket = std::uint64_t;

  // A command or query went out. Returns its ticket, or 0 when no reply is
  // expected (a command while the receiver is not polled).
  Ticket sent(const QString& command);
  // Text as received, in any pieces.
  void received(const QString& text);

  // True once the entry's reply came, or a later reply showed that it
  // never will: either way the receiver has taken the command in.
  bool settled(Ticket ticket) const { return ticket != 0 && ticket <= m_settledThrough; }
  // The reply line of a query, once; nothing while it has not come, and
  // nothing when it was lost.
  std::optional<QString> take(Ticket ticket);
  // The reply did not come in time: the entry and all before it are lost.
  void giveUp(Ticket ticket);
  // The port opened or closed: nothing is outstanding.
  void reset();

 private:
  enum class Form { Acknowledgement, Squelch, Signal };
  struct Entry {
    Ticket ticket;
    Form form;
  };
  static std::optional<Form> FormOfCommand(const QString& command);
  void line(const QString& text);
  void settle(Ticket ticket);

  std::deque<Entry> m_pending;
  std::map<Ticket, QString> m_replies;
  QString m_partial;
  bool m_polled = false;
  Ticket m_last = 0;
  Ticket m_settledThrough = 0;
};

}  // namespace zelvora
