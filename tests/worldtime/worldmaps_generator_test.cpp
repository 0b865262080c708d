#include "worldmaps/day_night.h"
#include "worldmaps/map_page.h"

#include <gtest/gtest.h>

#include <QImage>

#include <cmath>

namespace zelvora::worldmaps {
namespace {

const QSize kMap(720, 360);

// A white day picture and a black night picture show the day side as white
// and the night side as black.
QImage plain(Qt::GlobalColor colour) {
  QImage image(360, 180, QImage::Format_RGB32);
  image.fill(colour);
  return image;
}

int brightnessAt(const QImage& map, GeoPoint place) {
  QPointF at = MapPosition(place, map.size());
  const int x = std::clamp(static_cast<int>(at.x()), 0, map.width() - 1);
  const int y = std::clamp(static_cast<int>(at.y()), 0, map.height() - 1);
  return qGray(map.pixel(x, y));
}

TEST(WorldMapGeometry, SunStandsOverTheMeridianOfTheHalfHourAtTheSeasonsDeclination) {
  struct Case {
    int hour;
    double longitude;
  };
  // At 12:30 UTC the sun has moved 7.5 degrees west of Greenwich.
  const Case cases[] = {{0, 172.5}, {6, 82.5}, {12, -7.5}, {14, -37.5}, {18, -97.5}, {23, -172.5}};
  for (Season season : {Season::MarchToSeptember, Season::OctoberToFebruary}) {
    for (const Case& c : cases) {
      const GeoPoint sun = SubsolarPoint(c.hour, SeasonDeclination(season));
      EXPECT_DOUBLE_EQ(sun.longitude, c.longitude) << c.hour;
      EXPECT_DOUBLE_EQ(sun.latitude, SeasonDeclination(season));
    }
  }
  EXPECT_GT(SeasonDeclination(Season::MarchToSeptember), 5.0);
  EXPECT_LT(SeasonDeclination(Season::OctoberToFebruary), -5.0);
}

TEST(WorldMapGeometry, SubsolarPointLiesInTheDaySideAndItsAntipodeInTheNightSide) {
  const QImage day = plain(Qt::white);
  const QImage night = plain(Qt::black);
  for (Season season : {Season::MarchToSeptember, Season::OctoberToFebruary}) {
    for (int hour : {0, 5, 11, 14, 19, 23}) {
      const GeoPoint sun = SubsolarPoint(hour, SeasonDeclination(season));
      const GeoPoint opposite = Antipode(sun);
      EXPECT_NEAR(SunElevation(sun, sun), 90.0, 1e-6);
      EXPECT_NEAR(SunElevation(opposite, sun), -90.0, 1e-6);

      const QImage map = DayNightMap(day, night, sun, kMap);
      EXPECT_EQ(brightnessAt(map, sun), 255) << "hour " << hour;
      EXPECT_EQ(brightnessAt(map, opposite), 0) << "hour " << hour;
      // 100 degrees along the equator from the sun it is night.
      const double duskLongitude = sun.longitude + 100.0;
      const GeoPoint dusk{0.0, duskLongitude >= 180.0 ? duskLongitude - 360.0 : duskLongitude};
      EXPECT_LT(SunElevation(dusk, sun), 0.0);
    }
  }
}

TEST(WorldMapGeometry, PolarDayInTheNorthFromMarchToSeptemberAndPolarNightOtherwise) {
  const QImage day = plain(Qt::white);
  const QImage night = plain(Qt::black);
  for (int hour : {3, 15}) {
    const QImage summer = DayNightMap(day, night, SubsolarPoint(hour, SeasonDeclination(Season::MarchToSeptember)), kMap);
    const QImage winter = DayNightMap(day, night, SubsolarPoint(hour, SeasonDeclination(Season::OctoberToFebruary)), kMap);
    for (int x = 0; x < kMap.width(); x += 45) {
      EXPECT_EQ(qGray(summer.pixel(x, 0)), 255) << "x " << x;
      EXPECT_EQ(qGray(winter.pixel(x, 0)), 0) << "x " << x;
      EXPECT_EQ(qGray(summer.pixel(x, kMap.height() - 1)), 0) << "x " << x;
    }
  }
}

TEST(WorldMapPages, PageAndPictureNamesAndNeighbourLinks) {
  EXPECT_EQ(PageFileName(Season::MarchToSeptember, 0), QStringLiteral("weltkarteS0.htm"));
  EXPECT_EQ(PictureFileName(Season::OctoberToFebruary, 23), QStringLiteral("weltkarte23.jpg"));
  const QString page = WorldMapPageHtml(Season::MarchToSeptember, 0);
  EXPECT_TRUE(page.contains(QStringLiteral("src=\"weltkarteS0.jpg\"")));
  EXPECT_TRUE(page.contains(QStringLiteral("href=\"weltkarteS23.htm\""))) << "the hour before midnight";
  EXPECT_TRUE(page.contains(QStringLiteral("href=\"weltkarteS1.htm\"")));
  EXPECT_TRUE(page.contains(QStringLiteral("href=\"weltkarte0.htm\""))) << "the same hour of the other set";
}

}  // namespace
}  // namespace zelvora::worldmaps
