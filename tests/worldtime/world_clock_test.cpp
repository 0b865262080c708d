#include "local_time_zone.h"
#include "platform/classic_timer.h"
#include "platform/clock.h"
#include "platform/events.h"
#include "platform/form_registry.h"
#include "support/program_folder_fixture.h"
#include "worldtime/form_weltzeit.h"

#include <QLabel>
#include <QLineEdit>
#include <QTimeZone>

namespace zelvora {
namespace {

QDateTime utc(int day, int hour, int minute, int second) {
  return QDateTime(QDate(2026, 7, day), QTime(hour, minute, second), QTimeZone::utc());
}

class WorldClockTest : public test::ProgramFolderTest {
 protected:
  Form_weltzeit& clock() { return form<Form_weltzeit>(); }
  void tickAt(const QDateTime& instant) {
    Clock::set(instant);
    clock().Timer_utc_Timer();
  }
  QString text(QLineEdit* WeltzeitControls::*field) { return (clock().ui().*field)->text(); }
};

struct CityCase {
  int utcHour;
  QLineEdit* WeltzeitControls::*field;
  const char* text;
  bool night;
};

// The city hours, date marks and colours for the hours where something
// turns over, with local minute 07 and second 30 (the computer runs on UTC).
const CityCase kCityCases[] = {
    {22, &WeltzeitControls::zeit_newyork, "- 5 New York :: 17:07:30", false},
    {22, &WeltzeitControls::zeit_bombay, "+5 Bombay :: 03:07:30  >>>", true},
    {22, &WeltzeitControls::zeit_sydney, "+10 Sydney :: 08:07:30  >>>", false},
    {22, &WeltzeitControls::zeit_moskau, "+3 Moskau :: 01:07:30  >>>", true},
    {22, &WeltzeitControls::zeit_tokio, "+9 Tokio :: 07:07:30  >>>", false},
    {22, &WeltzeitControls::zeit_losangeles, "- 8 Los Angeles :: 14:07:30", false},
    {22, &WeltzeitControls::zeit_rio, "- 3 Rio de Janeiro :: 19:07:30", false},
    {4, &WeltzeitControls::zeit_newyork, "- 5 New York :: 23:07:30  <<<", true},
    {5, &WeltzeitControls::zeit_newyork, "- 5 New York :: 00:07:30", true},
    {0, &WeltzeitControls::zeit_losangeles, "- 8 Los Angeles :: 16:07:30  <<<", false},
    {0, &WeltzeitControls::zeit_rio, "- 3 Rio de Janeiro :: 21:07:30  <<<", true},
    {0, &WeltzeitControls::zeit_newyork, "- 5 New York :: 19:07:30  <<<", false},
    {13, &WeltzeitControls::zeit_sydney, "+10 Sydney :: 23:07:30", true},
    {14, &WeltzeitControls::zeit_sydney, "+10 Sydney :: 00:07:30  >>>", true},
    {14, &WeltzeitControls::zeit_tokio, "+9 Tokio :: 23:07:30", true},
    {15, &WeltzeitControls::zeit_tokio, "+9 Tokio :: 00:07:30  >>>", true},
    {20, &WeltzeitControls::zeit_moskau, "+3 Moskau :: 23:07:30", true},
    {21, &WeltzeitControls::zeit_moskau, "+3 Moskau :: 00:07:30  >>>", true},
    {18, &WeltzeitControls::zeit_bombay, "+5 Bombay :: 23:07:30", true},
    {19, &WeltzeitControls::zeit_bombay, "+5 Bombay :: 00:07:30  >>>", true},
    {7, &WeltzeitControls::zeit_losangeles, "- 8 Los Angeles :: 23:07:30  <<<", true},
    {8, &WeltzeitControls::zeit_losangeles, "- 8 Los Angeles :: 00:07:30", true},
    {2, &WeltzeitControls::zeit_rio, "- 3 Rio de Janeiro :: 23:07:30  <<<", true},
    {3, &WeltzeitControls::zeit_rio, "- 3 Rio de Janeiro :: 00:07:30", true},
    // Day runs from 06 to 20 o'clock city time.
    {10, &WeltzeitControls::zeit_newyork, "- 5 New York :: 05:07:30", true},
    {11, &WeltzeitControls::zeit_newyork, "- 5 New York :: 06:07:30", false},
    {1, &WeltzeitControls::zeit_newyork, "- 5 New York :: 20:07:30  <<<", false},
    {2, &WeltzeitControls::zeit_newyork, "- 5 New York :: 21:07:30  <<<", true},
};

TEST_F(WorldClockTest, CityHoursDateMarksAndDayNightColours) {
  for (const CityCase& c : kCityCases) {
    tickAt(utc(15, c.utcHour, 7, 30));
    QLineEdit* field = clock().ui().*c.field;
    EXPECT_EQ(field->text(), QString::fromUtf8(c.text)) << "U = " << c.utcHour;
    const QColor background = c.night ? QColor(Qt::black) : QColor(Qt::white);
    const QColor foreground = c.night ? QColor(Qt::white) : QColor(Qt::black);
    EXPECT_EQ(field->palette().color(QPalette::Base), background) << c.text;
    EXPECT_EQ(field->palette().color(QPalette::Text), foreground) << c.text;
  }
}

TEST_F(WorldClockTest, UtcAndLocalLinesWithTheirExactSpacing) {
  tickAt(utc(15, 14, 30, 5));
  EXPECT_EQ(text(&WeltzeitControls::UTC), QStringLiteral("UTC   14:30:05     15.07.2026"));
  EXPECT_EQ(text(&WeltzeitControls::zeit_local), QStringLiteral(" Ortszeit  14:30:05  15.07.2026"));
  EXPECT_EQ(clock().ui().zeit_local->palette().color(QPalette::Text), QColor(0, 0, 192));
  EXPECT_EQ(clock().ui().UTC->palette().color(QPalette::Text), QColor(0, 255, 0));
}

TEST_F(WorldClockTest, HalfHourZoneGivesLocalMinutesAndTheLocalDateOnTheUtcLine) {
  test::LocalTimeZone zone("Asia/Kolkata");
  // 22:00:15 UTC on 15 July is 03:30:15 on 16 July in India.
  tickAt(utc(15, 22, 0, 15));
  EXPECT_EQ(text(&WeltzeitControls::UTC), QStringLiteral("UTC   22:00:15     16.07.2026"));
  EXPECT_EQ(text(&WeltzeitControls::zeit_local), QStringLiteral(" Ortszeit  03:30:15  16.07.2026"));
  EXPECT_EQ(text(&WeltzeitControls::zeit_newyork), QStringLiteral("- 5 New York :: 17:30:15"));
  EXPECT_EQ(text(&WeltzeitControls::zeit_sydney), QStringLiteral("+10 Sydney :: 08:30:15  >>>"));
}

TEST_F(WorldClockTest, TheTimerRefreshesEverySecondAlsoWhileHidden) {
  Clock::set(utc(15, 9, 0, 0));
  WeltzeitControls& c = clock().ui();
  EXPECT_EQ(c.Timer_utc->interval(), 1000);
  EXPECT_TRUE(c.Timer_utc->enabled());
  EXPECT_EQ(c.Label1->text(), QStringLiteral("<<< = Datum - 1        >>> = Datum +1"));
  EXPECT_FALSE(clock().visible());
  ASSERT_TRUE(WaitUntil([&] { return !c.UTC->text().isEmpty(); }, 3000));
  EXPECT_EQ(c.UTC->text(), QStringLiteral("UTC   09:00:00     15.07.2026"));

  Clock::set(utc(15, 9, 0, 1));
  ASSERT_TRUE(WaitUntil([&] { return c.UTC->text().contains(QStringLiteral("09:00:01")); }, 3000));
  EXPECT_EQ(c.zeit_tokio->text(), QStringLiteral("+9 Tokio :: 18:00:01"));
}

}  // namespace
}  // namespace zelvora
