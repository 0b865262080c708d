#include "platform/classic_timer.h"
#include "platform/clock.h"
#include "platform/events.h"
#include "receiver_fixture.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <ctime>

namespace zelvora {
namespace {

using MemoryClockTest = test::ReceiverTest;

TEST_F(MemoryClockTest, DoubleClickOnAFrequencyFieldTunesThroughTheEntryField) {
  struct Case {
    const char* field;
    const char* text;
    const char* entryAfter;
    const char* command;  // nullptr: the receiver stays where it is
    const char* mode;
  };
  const Case cases[] = {
      {"sp17", "145,5 Relais", "145.5 Relais", "K00145500000050200", "FM"},
      {"sp5", "7.1", "7.1", "K00007100000020100", "AM"},
      {"sp9", "  433.5", "  433.5", "K00433500000050100", "FM"},
      {"sp12", "", "", nullptr, nullptr},
      {"sp2", "Relais", "Relais", nullptr, nullptr},
      {"sp3", "1400", "1400", nullptr, nullptr},
  };
  switchOn();
  for (const Case& c : cases) {
    panel().CurrentFrequency = 94.4;
    m_sim->clearLog();
    control<QLineEdit>(QString::fromLatin1(c.field))->setText(QString::fromUtf8(c.text));
    QTest::mouseDClick(control<QLineEdit>(QString::fromLatin1(c.field)), Qt::LeftButton);
    EXPECT_EQ(panel().Frequenzeingabe()->text(), QString::fromUtf8(c.entryAfter)) << c.field;
    if (c.command) {
      EXPECT_EQ(m_sim->waitForLast(QString::fromLatin1(c.command)), QString::fromLatin1(c.command)) << c.field;
      EXPECT_EQ(test::checkedOption(control<QGroupBox>(QStringLiteral("ModeFrame"))), QString::fromLatin1(c.mode));
    } else {
      test::settle(50);
      EXPECT_DOUBLE_EQ(panel().CurrentFrequency, 94.4) << c.field;
      EXPECT_TRUE(m_sim->commands().isEmpty()) << c.field;
    }
  }
}

TEST_F(MemoryClockTest, DoubleClickOnANameFieldDoesNothing) {
  switchOn();
  panel().Frequenzeingabe()->setText(QStringLiteral("99.1"));
  auto* name = control<QLineEdit>(QStringLiteral("sn5"));
  name->setText(QStringLiteral("145.5"));
  QTest::mouseDClick(name, Qt::LeftButton);
  test::settle(50);
  EXPECT_EQ(panel().Frequenzeingabe()->text(), QStringLiteral("99.1"));
  EXPECT_DOUBLE_EQ(panel().CurrentFrequency, 94.4);
  EXPECT_TRUE(m_sim->commands().isEmpty());
}

// The computer's local time zone for one test.
class LocalZone {
 public:
  explicit LocalZone(const char* zone) : m_old(qgetenv("TZ")), m_had(qEnvironmentVariableIsSet("TZ")) {
    qputenv("TZ", zone);
    tzset();
  }
  ~LocalZone() {
    if (m_had)
      qputenv("TZ", m_old);
    else
      qunsetenv("TZ");
    tzset();
  }

 private:
  QByteArray m_old;
  bool m_had;
};

TEST_F(MemoryClockTest, TheClockStripShowsUtcAndLocalTimeEverySecond) {
  LocalZone berlin(":Europe/Berlin");
  auto* timer = control<ClassicTimer>(QStringLiteral("Timer_utc"));
  EXPECT_TRUE(timer->enabled());
  EXPECT_EQ(timer->interval(), 1000);
  struct Case {
    const char* instant;
    const char* utc;
    const char* local;
  };
  const Case cases[] = {{"2026-12-08T14:03:09Z", "UTC 14:03:09", "Lokal 15:03:09"},
                        {"2026-12-31T23:00:00Z", "UTC 23:00:00", "Lokal 00:00:00"},
                        {"2027-01-01T00:00:00Z", "UTC 00:00:00", "Lokal 01:00:00"},
                        {"2026-07-01T09:08:07Z", "UTC 09:08:07", "Lokal 11:08:07"}};
  for (const Case& c : cases) {
    Clock::set(QDateTime::fromString(QString::fromLatin1(c.instant), Qt::ISODate));
    timer->fire();
    EXPECT_EQ(control<QLabel>(QStringLiteral("Label_utc"))->text(), QString::fromLatin1(c.utc));
    EXPECT_EQ(control<QLabel>(QStringLiteral("Label_local"))->text(), QString::fromLatin1(c.local));
  }
  // The timer itself drives the strip.
  Clock::set(QDateTime::fromString(QStringLiteral("2026-12-08T07:05:09Z"), Qt::ISODate));
  EXPECT_TRUE(WaitUntil([&] { return control<QLabel>(QStringLiteral("Label_utc"))->text() == "UTC 07:05:09"; }, 3000));
}

}  // namespace
}  // namespace zelvora
