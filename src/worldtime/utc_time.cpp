#include "worldtime/utc_time.h"

#include "platform/clock.h"

namespace zelvora {

QString UtcTimeText() { return Clock::nowUtc().time().toString(QStringLiteral("HH:mm:ss")); }

int UtcHour() { return Clock::nowUtc().time().hour(); }

int UtcMonth() { return Clock::nowUtc().date().month(); }

QString LocalTimeText() { return Clock::nowLocal().time().toString(QStringLiteral("HH:mm:ss")); }

QString LocalTimeShortText() { return Clock::nowLocal().time().toString(QStringLiteral("HH:mm")); }

QString LocalDateText() { return Clock::nowLocal().date().toString(QStringLiteral("dd.MM.yyyy")); }

}  // namespace zelvora
