#include "local_time_zone.h"
#include "platform/clock.h"
#include "platform/form_registry.h"
#include "platform/html_view.h"
#include "support/program_folder_fixture.h"
#include "web/form_browser.h"
#include "worldtime/world_map.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QTimeZone>

namespace zelvora {
namespace {

QDateTime utc(int year, int month, int day, int hour, int minute) {
  return QDateTime(QDate(year, month, day), QTime(hour, minute), QTimeZone::utc());
}

class WorldMapTest : public test::ProgramFolderTest {
 protected:
  QString shownPage() { return form<Form_browser>().Browser1()->LocationURL(); }
  QString pagePath(const QString& name) const { return folder() + QStringLiteral("\\zeitzonen\\") + name; }
};

TEST_F(WorldMapTest, ShowsThePageOfTheUtcMonthAndHourInTheFirstBrowser) {
  struct Case {
    QDateTime instant;
    const char* page;
  };
  const Case cases[] = {
      {utc(2026, 7, 15, 14, 30), "weltkarteS14.htm"}, {utc(2027, 3, 1, 0, 10), "weltkarteS0.htm"},
      {utc(2026, 9, 30, 23, 50), "weltkarteS23.htm"}, {utc(2026, 10, 1, 0, 10), "weltkarte0.htm"},
      {utc(2027, 2, 28, 9, 0), "weltkarte9.htm"},
  };
  for (const Case& c : cases) {
    Clock::set(c.instant);
    ShowWorldMap();
    EXPECT_EQ(shownPage(), pagePath(QString::fromLatin1(c.page)));
    EXPECT_TRUE(form<Form_browser>().visible());
  }
  // The page is a real map page, not the browser's notice of a missing file.
  Clock::set(utc(2026, 7, 15, 14, 30));
  ShowWorldMap();
  EXPECT_TRUE(form<Form_browser>().Browser1()->browser()->toPlainText().contains(
      QStringLiteral("Tag und Nacht um 14 Uhr UTC")));
}

TEST_F(WorldMapTest, TheUtcMonthDecidesNearLocalMidnight) {
  {
    // 00:30 on 1 March in Berlin is still February in UTC.
    test::LocalTimeZone zone("Europe/Berlin");
    Clock::set(utc(2027, 2, 28, 23, 30));
    ShowWorldMap();
    EXPECT_EQ(shownPage(), pagePath(QStringLiteral("weltkarte23.htm")));
  }
  {
    // 21:00 on 30 September in New York is already October in UTC.
    test::LocalTimeZone zone("America/New_York");
    Clock::set(utc(2026, 10, 1, 1, 0));
    ShowWorldMap();
    EXPECT_EQ(shownPage(), pagePath(QStringLiteral("weltkarte1.htm")));
  }
}

TEST_F(WorldMapTest, AllFortyEightPagesAreBuiltWithTheirPicturesAndLinks) {
  const QDir maps(programPath(QStringLiteral("zeitzonen")));
  const QRegularExpression reference(QStringLiteral("(?:src|href)=\"([^\"]+)\""));
  for (int month : {6, 12}) {
    for (int hour = 0; hour < 24; ++hour) {
      const QString name = WorldMapPageName(month, hour);
      QFile page(maps.filePath(name));
      ASSERT_TRUE(page.open(QIODevice::ReadOnly)) << name.toStdString();
      const QString html = QString::fromUtf8(page.readAll());
      int references = 0;
      for (const auto& match : reference.globalMatch(html)) {
        ++references;
        EXPECT_TRUE(maps.exists(match.captured(1))) << name.toStdString() << " -> " << match.captured(1).toStdString();
      }
      EXPECT_EQ(references, 4) << "picture, hour before, hour after, other set: " << name.toStdString();
      const QImage picture(maps.filePath(name.chopped(4) + QStringLiteral(".jpg")));
      EXPECT_EQ(picture.size(), QSize(720, 400)) << name.toStdString();
    }
  }
}

}  // namespace
}  // namespace zelvora
