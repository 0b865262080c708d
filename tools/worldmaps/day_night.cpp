#include "worldmaps/day_night.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace zelvora::worldmaps {
namespace {

constexpr double kDegree = std::numbers::pi / 180.0;

// Full day light from 3 degrees of sun height, full night below -6 degrees
// (end of civil twilight).
constexpr double kNightBelow = -6.0;
constexpr double kDayAbove = 3.0;

double normalizedLongitude(double longitude) {
  double lon = std::fmod(longitude + 180.0, 360.0);
  if (lon < 0) lon += 360.0;
  return lon - 180.0;
}

// Works on the sine of the sun's height, which near the horizon is as good
// as the angle and saves an arc sine per pixel.
double dayWeight(double sinElevation) {
  static const double night = std::sin(kNightBelow * kDegree);
  static const double day = std::sin(kDayAbove * kDegree);
  const double t = std::clamp((sinElevation - night) / (day - night), 0.0, 1.0);
  return t * t * (3.0 - 2.0 * t);
}

}  // namespace

double SeasonDeclination(Season season) { return season == Season::MarchToSeptember ? 12.0 : -17.0; }

GeoPoint SubsolarPoint(int utcHour, double declinationDeg) {
  // At 12:00 UTC the sun stands over Greenwich and moves 15 degrees west
  // each hour.
  const double hours = utcHour + 0.5;
  return {declinationDeg, normalizedLongitude(-15.0 * (hours - 12.0))};
}

GeoPoint Antipode(GeoPoint point) { return {-point.latitude, normalizedLongitude(point.longitude + 180.0)}; }

double SunElevation(GeoPoint place, GeoPoint subsolar) {
  const double s = std::sin(place.latitude * kDegree) * std::sin(subsolar.latitude * kDegree) +
                   std::cos(place.latitude * kDegree) * std::cos(subsolar.latitude * kDegree) *
                       std::cos((place.longitude - subsolar.longitude) * kDegree);
  return std::asin(std::clamp(s, -1.0, 1.0)) / kDegree;
}

QPointF MapPosition(GeoPoint place, QSize size) {
  return {(place.longitude + 180.0) / 360.0 * size.width(), (90.0 - place.latitude) / 180.0 * size.height()};
}

QImage DayNightMap(const QImage& day, const QImage& night, GeoPoint subsolar, QSize size) {
  const QImage dayScaled =
      day.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).convertToFormat(QImage::Format_RGB32);
  const QImage nightScaled =
      night.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).convertToFormat(QImage::Format_RGB32);
  QImage map(size, QImage::Format_RGB32);

  // sin(elevation) = sin(lat) sin(dec) + cos(lat) cos(dec) cos(dlon): the
  // longitude part is the same for every row, the latitude part for every
  // pixel of a row.
  const double sinDec = std::sin(subsolar.latitude * kDegree);
  const double cosDec = std::cos(subsolar.latitude * kDegree);
  std::vector<double> cosDeltaLon(size.width());
  for (int x = 0; x < size.width(); ++x) {
    const double lon = (x + 0.5) / size.width() * 360.0 - 180.0;
    cosDeltaLon[x] = std::cos((lon - subsolar.longitude) * kDegree);
  }
  for (int y = 0; y < size.height(); ++y) {
    const double lat = 90.0 - (y + 0.5) / size.height() * 180.0;
    const double a = std::sin(lat * kDegree) * sinDec;
    const double b = std::cos(lat * kDegree) * cosDec;
    const auto* d = reinterpret_cast<const QRgb*>(dayScaled.constScanLine(y));
    const auto* n = reinterpret_cast<const QRgb*>(nightScaled.constScanLine(y));
    auto* out = reinterpret_cast<QRgb*>(map.scanLine(y));
    for (int x = 0; x < size.width(); ++x) {
      const double w = dayWeight(a + b * cosDeltaLon[x]);
      const auto mix = [w](int dayValue, int nightValue) {
        return static_cast<int>(std::lround(w * dayValue + (1.0 - w) * nightValue));
      };
      out[x] = qRgb(mix(qRed(d[x]), qRed(n[x])), mix(qGreen(d[x]), qGreen(n[x])), mix(qBlue(d[x]), qBlue(n[x])));
    }
  }
  return map;
}

}  // namespace zelvora::worldmaps
