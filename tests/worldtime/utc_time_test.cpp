#include "local_time_zone.h"
#include "platform/clock.h"
#include "support/program_folder_fixture.h"
#include "worldtime/utc_time.h"

#include <QTimeZone>

namespace zelvora {
namespace {

QDateTime utc(int year, int month, int day, int hour, int minute, int second) {
  return QDateTime(QDate(year, month, day), QTime(hour, minute, second), QTimeZone::utc());
}

class UtcTimeTest : public test::ProgramFolderTest {};

TEST_F(UtcTimeTest, MidnightGivesZeroesAndAnInstantGivenWithAnOffsetStillReadsAsUtc) {
  Clock::set(utc(2026, 7, 15, 0, 0, 0));
  EXPECT_EQ(UtcTimeText(), QStringLiteral("00:00:00"));
  EXPECT_EQ(UtcHour(), 0);

  // 05:35:09 at +05:30 is 00:05:09 UTC.
  Clock::set(QDateTime(QDate(2026, 7, 15), QTime(5, 35, 9), QTimeZone(5 * 3600 + 30 * 60)));
  EXPECT_EQ(UtcTimeText(), QStringLiteral("00:05:09"));
  EXPECT_EQ(UtcHour(), 0);
  EXPECT_EQ(UtcMonth(), 7);
}

TEST_F(UtcTimeTest, HourAndMonthFollowTheUtcCalendarAcrossBoundaries) {
  struct Case {
    QDateTime instant;
    const char* text;
    int hour;
    int month;
  };
  const Case cases[] = {
      {utc(2027, 1, 31, 23, 59, 59), "23:59:59", 23, 1},
      {utc(2027, 2, 1, 0, 0, 0), "00:00:00", 0, 2},
      {utc(2026, 12, 31, 23, 59, 59), "23:59:59", 23, 12},
      {utc(2027, 1, 1, 0, 0, 1), "00:00:01", 0, 1},
      {utc(2026, 3, 7, 7, 5, 9), "07:05:09", 7, 3},
  };
  // A zone ahead of UTC must not move the hour or the month.
  test::LocalTimeZone zone("Asia/Kolkata");
  for (const Case& c : cases) {
    Clock::set(c.instant);
    EXPECT_EQ(UtcTimeText(), QString::fromLatin1(c.text)) << c.text;
    EXPECT_EQ(UtcHour(), c.hour) << c.text;
    EXPECT_EQ(UtcMonth(), c.month) << c.text;
  }
}

TEST_F(UtcTimeTest, LocalTextsComeFromTheComputersZoneIncludingHalfHours) {
  test::LocalTimeZone zone("Asia/Kolkata");
  Clock::set(utc(2026, 7, 15, 22, 0, 15));
  EXPECT_EQ(LocalTimeText(), QStringLiteral("03:30:15"));
  EXPECT_EQ(LocalTimeShortText(), QStringLiteral("03:30"));
  EXPECT_EQ(LocalDateText(), QStringLiteral("16.07.2026"));
  EXPECT_EQ(UtcTimeText(), QStringLiteral("22:00:15"));
}

}  // namespace
}  // namespace zelvora
