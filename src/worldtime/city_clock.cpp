#include "worldtime/city_clock.h"

namespace zelvora {

int CityHour(int utcHour, int offsetHours) {
  int hour = utcHour + offsetHours;
  if (offsetHours < 0) {
    if (hour <= 0) hour += 24;
    if (hour == 24) hour = 0;
  } else if (hour >= 24) {
    hour -= 24;
  }
  return hour;
}

QString CityDateMark(int utcHour, int offsetHours) {
  // West of Greenwich the city is still on yesterday until the UTC hour
  // reaches the offset; east of it the city is on tomorrow once
  // 24 - offset hours of the UTC day are left.
  if (offsetHours < 0 && utcHour < -offsetHours) return QStringLiteral("  <<<");
  if (offsetHours > 0 && utcHour > 23 - offsetHours) return QStringLiteral("  >>>");
  return QString();
}

bool IsCityNight(int cityHour) { return cityHour >= 21 || cityHour <= 5; }

}  // namespace zelvora
