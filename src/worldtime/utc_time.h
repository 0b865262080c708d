#pragma once

#include <QString>

namespace zelvora {

// The current UTC time as "hh:mm:ss"; hour and month of the current UTC
// time. Each call reads the clock once.
QString UtcTimeText();
int UtcHour();
int UtcMonth();

// The computer's local time and date in the program's formats.
QString LocalTimeText();       // "hh:mm:ss"
QString LocalTimeShortText();  // "hh:mm"
QString LocalDateText();       // "dd.mm.yyyy"

}  // namespace zelvora
