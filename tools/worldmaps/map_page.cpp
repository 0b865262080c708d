#include "worldmaps/map_page.h"

#include "worldtime/city_clock.h"
#include "worldtime/world_map.h"

#include <QDir>
#include <QFile>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace zelvora::worldmaps {
namespace {

constexpr int kMapWidth = 720;
constexpr int kMapHeight = 360;
constexpr int kStrip = 20;

// A month of each set, to ask the program for the page's name.
int monthOf(Season season) { return season == Season::MarchToSeptember ? 6 : 12; }

Season otherSeason(Season season) {
  return season == Season::MarchToSeptember ? Season::OctoberToFebruary : Season::MarchToSeptember;
}

QString signedHours(int hours) {
  if (hours == 0) return QStringLiteral("0");
  return (hours > 0 ? QStringLiteral("+") : QStringLiteral("\u2212")) + QString::number(std::abs(hours));
}

QString twoDigits(int value) { return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0')); }

double xOfLongitude(double longitude) { return (longitude + 180.0) / 360.0 * kMapWidth; }

// Nominal zones are 15 degrees wide around their meridian; the zones -12
// and +12 are the two halves beside the date line.
QRectF zoneCell(int zone, int top) {
  const double west = std::max(-180.0, 15.0 * zone - 7.5);
  const double east = std::min(180.0, 15.0 * zone + 7.5);
  return QRectF(xOfLongitude(west), top, xOfLongitude(east) - xOfLongitude(west), kStrip);
}

void drawScales(QPainter& painter, int utcHour) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(11);
  font.setBold(true);
  painter.setFont(font);
  const int bottom = kStrip + kMapHeight;
  painter.fillRect(QRect(0, 0, kMapWidth, kStrip), QColor(40, 40, 40));
  for (int zone = -12; zone <= 12; ++zone) {
    const QRectF top = zoneCell(zone, 0);
    const QRectF low = zoneCell(zone, bottom);
    const int hour = ((utcHour + zone) % 24 + 24) % 24;
    const bool night = IsCityNight(hour);
    painter.fillRect(low, night ? QColor(20, 30, 90) : QColor(255, 230, 120));
    painter.setPen(QColor(90, 90, 90));
    painter.drawRect(low);
    painter.drawRect(top);
    const bool half = top.width() < 20;
    if (half) continue;
    painter.setPen(zone == 0 ? QColor(0, 255, 0) : Qt::white);
    painter.drawText(top, Qt::AlignCenter, signedHours(zone));
    painter.setPen(night ? Qt::white : Qt::black);
    painter.drawText(low, Qt::AlignCenter, twoDigits(hour));
  }
}

void drawGrid(QPainter& painter) {
  QPen zoneLine(QColor(255, 255, 255, 70));
  zoneLine.setStyle(Qt::DotLine);
  painter.setPen(zoneLine);
  for (int zone = -12; zone < 12; ++zone) {
    const double x = xOfLongitude(15.0 * zone + 7.5);
    painter.drawLine(QPointF(x, kStrip), QPointF(x, kStrip + kMapHeight));
  }
  painter.setPen(QPen(QColor(255, 255, 255, 90)));
  painter.drawLine(QPointF(0, kStrip + kMapHeight / 2.0), QPointF(kMapWidth, kStrip + kMapHeight / 2.0));
}

void drawSun(QPainter& painter, GeoPoint subsolar) {
  const QPointF at = MapPosition(subsolar, QSize(kMapWidth, kMapHeight)) + QPointF(0, kStrip);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor(200, 80, 0), 2));
  painter.setBrush(QColor(255, 220, 0));
  painter.drawEllipse(at, 6, 6);
}

// The night picture shows little more than city lights; a faint copy of the
// day picture keeps the continents readable on the night side.
QImage withFaintLand(const QImage& night, const QImage& day) {
  QImage result = night.convertToFormat(QImage::Format_RGB32);
  const QImage land = day.convertToFormat(QImage::Format_RGB32);
  for (int y = 0; y < result.height(); ++y) {
    auto* out = reinterpret_cast<QRgb*>(result.scanLine(y));
    const auto* d = reinterpret_cast<const QRgb*>(land.constScanLine(y));
    for (int x = 0; x < result.width(); ++x) {
      const auto add = [](int lights, int dayValue) { return std::min(255, lights + dayValue / 4); };
      out[x] = qRgb(add(qRed(out[x]), qRed(d[x])), add(qGreen(out[x]), qGreen(d[x])), add(qBlue(out[x]), qBlue(d[x])));
    }
  }
  return result;
}

QString seasonText(Season season) {
  return season == Season::MarchToSeptember ? QStringLiteral("März bis September")
                                            : QStringLiteral("Oktober bis Februar");
}

QString link(Season season, int hour, const QString& text) {
  return QStringLiteral("<a href=\"%1\">%2</a>").arg(PageFileName(season, hour), text);
}

}  // namespace

QString PageFileName(Season season, int utcHour) { return WorldMapPageName(monthOf(season), utcHour); }

QString PictureFileName(Season season, int utcHour) {
  QString name = PageFileName(season, utcHour);
  name.chop(4);
  return name + QStringLiteral(".jpg");
}

QImage WorldMapPicture(const QImage& day, const QImage& night, Season season, int utcHour) {
  const GeoPoint sun = SubsolarPoint(utcHour, SeasonDeclination(season));
  QImage picture(kMapWidth, kMapHeight + 2 * kStrip, QImage::Format_RGB32);
  picture.fill(Qt::black);
  QPainter painter(&picture);
  painter.drawImage(0, kStrip, DayNightMap(day, night, sun, QSize(kMapWidth, kMapHeight)));
  drawGrid(painter);
  drawScales(painter, utcHour);
  drawSun(painter, sun);
  return picture;
}

QString WorldMapPageHtml(Season season, int utcHour) {
  const double declination = SeasonDeclination(season);
  const QString hour = twoDigits(utcHour);
  const QString declinationText =
      (declination >= 0 ? QStringLiteral("+") : QStringLiteral("\u2212")) + QString::number(std::abs(declination));
  QString html;
  html += QStringLiteral("<!DOCTYPE html>\n<html lang=\"de\">\n<head>\n<meta charset=\"utf-8\">\n");
  html += QStringLiteral("<title>Weltkarte %1 UTC (%2)</title>\n</head>\n<body>\n").arg(hour, seasonText(season));
  html += QStringLiteral("<h2>Tag und Nacht um %1 Uhr UTC</h2>\n").arg(hour);
  html += QStringLiteral("<p><img src=\"%1\" width=\"%2\" height=\"%3\" alt=\"Weltkarte mit Tag- und Nachtseite\"></p>\n")
              .arg(PictureFileName(season, utcHour))
              .arg(kMapWidth)
              .arg(kMapHeight + 2 * kStrip);
  html += QStringLiteral(
              "<p>Die Karte zeigt die Tag- und die Nachtseite der Erde um %1:30 UTC mit dem Sonnenstand der Monate "
              "%2 (Deklination der Sonne %3&deg;). Sie gilt von %1:00 bis %1:59 UTC. Der gelbe Punkt zeigt, wo "
              "die Sonne senkrecht steht.</p>\n")
              .arg(hour, seasonText(season), declinationText);
  html += QStringLiteral(
      "<p>Obere Leiste: Zeitzone als Abstand zur UTC in Stunden. Untere Leiste: Uhrzeit dieser Zone ohne "
      "Sommerzeit, hell von 06 bis 20 Uhr, dunkel bei Nacht. Die gepunkteten Linien sind die Grenzen der "
      "Zonen nach Längengraden; die Grenzen der Länder weichen davon ab.</p>\n");
  html += QStringLiteral(
      "<p>Auf der Nachtseite tragen die Bänder unter etwa 10 MHz weit, auf der Tagseite die Bänder darüber. "
      "Entlang der Dämmerungszone (Grauzone) ist Fernempfang oft besonders gut.</p>\n");
  html += QStringLiteral("<p>%1 &nbsp;|&nbsp; %2 &nbsp;|&nbsp; %3</p>\n")
              .arg(link(season, (utcHour + 23) % 24, QStringLiteral("&laquo; %1 UTC").arg(twoDigits((utcHour + 23) % 24))),
                   link(season, (utcHour + 1) % 24, QStringLiteral("%1 UTC &raquo;").arg(twoDigits((utcHour + 1) % 24))),
                   link(otherSeason(season), utcHour, seasonText(otherSeason(season))));
  html += QStringLiteral("</body>\n</html>\n");
  return html;
}

bool WriteWorldMaps(const QString& folder, const QImage& day, const QImage& night, QString* error) {
  if (!QDir().mkpath(folder)) {
    *error = QStringLiteral("cannot create %1").arg(folder);
    return false;
  }
  const QDir dir(folder);
  // Scaling the large source pictures once keeps the 48 pictures quick.
  const QSize mapSize(kMapWidth, kMapHeight);
  const QImage dayMap = day.scaled(mapSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  const QImage nightMap =
      withFaintLand(night.scaled(mapSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation), dayMap);
  for (Season season : {Season::MarchToSeptember, Season::OctoberToFebruary}) {
    for (int hour = 0; hour < 24; ++hour) {
      const QString picturePath = dir.filePath(PictureFileName(season, hour));
      if (!WorldMapPicture(dayMap, nightMap, season, hour).save(picturePath, "JPG", 85)) {
        *error = QStringLiteral("cannot write %1").arg(picturePath);
        return false;
      }
      QFile page(dir.filePath(PageFileName(season, hour)));
      if (!page.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
          page.write(WorldMapPageHtml(season, hour).toUtf8()) < 0) {
        *error = QStringLiteral("cannot write %1").arg(page.fileName());
        return false;
      }
    }
  }
  return true;
}

}  // namespace zelvora::worldmaps
