#pragma once

#include <QImage>
#include <QPointF>
#include <QSize>

namespace zelvora::worldmaps {

// The two sets of map pages and the sun's declination drawn for each: the
// mean declination of March to September and of October to February.
enum class Season { MarchToSeptember, OctoberToFebruary };
double SeasonDeclination(Season season);

// Latitude and longitude in degrees (north and east positive).
struct GeoPoint {
  double latitude;
  double longitude;
};

// Where the sun stands overhead in the middle of a UTC hour (hh:30), with
// the given declination; the equation of time is left out.
GeoPoint SubsolarPoint(int utcHour, double declinationDeg);
GeoPoint Antipode(GeoPoint point);

// Height of the sun above the horizon at a place, in degrees.
double SunElevation(GeoPoint place, GeoPoint subsolar);

// Pixel position of a place on an equirectangular map of the given size
// (longitude -180 at the left edge, latitude +90 at the top).
QPointF MapPosition(GeoPoint place, QSize size);

// Blends the day and the night picture (both equirectangular) along the
// terminator, with a soft twilight band; the result has the given size.
QImage DayNightMap(const QImage& day, const QImage& night, GeoPoint subsolar, QSize size);

}  // namespace zelvora::worldmaps
