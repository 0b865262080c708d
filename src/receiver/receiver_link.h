#pragma once

#include "receiver/reply_pairing.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>

#include <optional>

namespace zelvora {

class ReceiverPort;

// What the receiver panel knows of the wire to the receiver: it writes the
// commands, pairs the replies with them, and reckons from the line settings
// when each command has crossed the line, since a real line carries about
// one character a millisecond and nothing reports when the last one left.
class ReceiverLink {
 public:
  using Ticket = ReplyPairing::Ticket;

  // How long a reply may take once its command has crossed the line. A
  // reply takes 7 characters (7.3 ms at 9600 baud) after the receiver's
  // own time, and a USB adapter holds it up to 16 ms more; a reply not
  // there many times over is lost.
  static constexpr double kReplyLimitMs = 250;

  explicit ReceiverLink(ReceiverPort* port);

  // The port was opened or closed.
  void reset();
  // Writes command + CR LF as one output and returns its ticket.
  Ticket write(const QString& command);
  // Takes in what the port received so far.
  void pump();

  // The query's reply line, once it came.
  std::optional<QString> take(Ticket ticket);
  // The entry's reply came, or a later one showed that it never will.
  bool settled(Ticket ticket) const { return m_pairing.settled(ticket); }
  void giveUp(Ticket ticket) { m_pairing.giveUp(ticket); }

  // Milliseconds until everything written so far has crossed the line.
  double msUntilSent() const;
  // Milliseconds until the last frequency command has reached the receiver
  // (its acknowledgement came, or its line time passed) and the receiver
  // had the given time to retune; 0 when that is past. Without a line of
  // its own (a Hamlib rig) only the acknowledgement tells, within the
  // reply limit.
  double msUntilTuned(double settleMs);
  // Frequency commands written so far: a step compares it before and after
  // its query to know that no one retuned meanwhile.
  quint64 tunings() const { return m_tunings; }
  // Milliseconds since the first query that is still without its reply
  // was written; 0 when every query was answered.
  double msWithoutReply() const;

 private:
  double nowMs() const;

  ReceiverPort* m_port;
  // Takes replies in as they arrive, so the time a frequency command was
  // acknowledged is known; the connection ends with the link.
  QObject m_listener;
  ReplyPairing m_pairing;
  QElapsedTimer m_clock;
  double m_lineFreeAt = 0;
  quint64 m_tunings = 0;
  Ticket m_tuneTicket = 0;
  double m_tuneCrossedAt = 0;
  std::optional<double> m_tuneTakenAt;
  std::optional<double> m_unansweredSince;
};

}  // namespace zelvora
