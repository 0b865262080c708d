#include "receiver/reply_pairing.h"

#include <gtest/gtest.h>

#include <QStringList>

namespace zelvora {
namespace {

// What the program sent and what came back, as one script: ">X" sends X,
// "<text" receives text, "?n=R" expects the reply to the n-th query sent
// (0 based) to be R ("-" for none yet or lost), "!n" gives the n-th query
// up.
struct Script {
  const char* name;
  QStringList steps;
};

void RunScript(const Script& script) {
  ReplyPairing pairing;
  std::vector<ReplyPairing::Ticket> queries;
  std::map<size_t, QString> taken;
  for (const QString& step : script.steps) {
    const QString rest = step.mid(1);
    switch (step[0].toLatin1()) {
      case '>': {
        const auto ticket = pairing.sent(rest);
        if (rest.startsWith(QLatin1Char('I'))) queries.push_back(ticket);
        break;
      }
      case '<':
        pairing.received(rest);
        break;
      case '!':
        pairing.giveUp(queries.at(rest.toUInt()));
        break;
      case '?': {
        const auto parts = rest.split(QLatin1Char('='));
        const size_t n = parts[0].toUInt();
        if (auto reply = pairing.take(queries.at(n))) taken[n] = *reply;
        const QString got = taken.count(n) ? taken[n] : QStringLiteral("-");
        EXPECT_EQ(got, parts[1]) << script.name << ": " << step.toStdString();
        break;
      }
    }
  }
}

TEST(ReplyPairingTest, EachQueryGetsItsOwnReply) {
  const Script scripts[] = {
      {"in order, replies framed as the receiver frames them",
       {">H101", ">G300", "<\nG000\r\n", ">K00145000000050200", ">I0?", "?0=-", "<\nG000\r\n\nI0", "?0=-",
        "<07\r\n", "?0=I007"}},
      {"a reply that follows stray bytes on its line",
       {">G300", ">I1?", "<\n\x01*5\r\n+-I1A3\r\n", "?0=I1A3"}},
      {"a lost acknowledgement costs nothing",
       {">G300", "<G000\r\n", ">K00145000000050200", ">I0?", "<I004\r\n", "?0=I004"}},
      {"a lost query reply shows when the next step's acknowledgement comes",
       {">G300", "<G000\r\n", ">K00145025000050200", ">I0?", "<G000\r\n", ">K00145050000050200", ">I0?",
        "<G000\r\n", "?1=-", "<I007\r\n", "?1=I007", "?0=-"}},
      {"a spoiled prefix after a timeout: the next poll is in step again",
       {">I1?", "<#1A0\r\n", "?0=-", "!0", ">I1?", "<I150\r\n", "?1=I150"}},
      {"spoiled digits are still the query's reply",
       {">I1?", "<I1x0\r\n", "?0=I1x0"}},
      {"commands of a receiver not polled expect nothing",
       {">H101", ">K00145000000050200", ">I0?", "<I003\r\n", "?0=I003"}},
      {"two queries in one read",
       {">I1?", ">I0?", "<\nI150\r\n\nI007\r\n", "?1=I007", "?0=I150"}},
  };
  for (const Script& script : scripts) RunScript(script);
}

TEST(ReplyPairingTest, ACommandIsSettledByItsReplyOrByALaterOne) {
  ReplyPairing pairing;
  pairing.sent(QStringLiteral("G300"));
  const auto tune = pairing.sent(QStringLiteral("K00145000000050200"));
  const auto squelch = pairing.sent(QStringLiteral("I0?"));
  EXPECT_FALSE(pairing.settled(tune));
  pairing.received(QStringLiteral("\nG000\r\n"));
  EXPECT_FALSE(pairing.settled(tune)) << "that was the reply to G300";
  pairing.received(QStringLiteral("\nI004\r\n"));
  EXPECT_TRUE(pairing.settled(tune)) << "its acknowledgement was lost, but the receiver took it before the query";
  EXPECT_TRUE(pairing.settled(squelch));
  EXPECT_FALSE(pairing.settled(0));
}

}  // namespace
}  // namespace zelvora
