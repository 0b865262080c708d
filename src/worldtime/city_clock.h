#pragma once

#include <QString>

namespace zelvora {

// The hour of a city at a fixed whole-hour offset from UTC, brought into
// 0 to 23.
int CityHour(int utcHour, int offsetHours);

// "  <<<" while the city's date is the UTC date minus one day, "  >>>" while
// it is the UTC date plus one day, else nothing.
QString CityDateMark(int utcHour, int offsetHours);

// Night in a city runs from 21 to 05 o'clock; it is shown white on black.
bool IsCityNight(int cityHour);

}  // namespace zelvora
