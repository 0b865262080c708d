#include "worldtime/world_map.h"

namespace zelvora {

QString WorldMapPageName(int utcMonth, int utcHour) {
  const bool summerSet = utcMonth >= 3 && utcMonth <= 9;
  return (summerSet ? QStringLiteral("weltkarteS") : QStringLiteral("weltkarte")) + QString::number(utcHour) +
         QStringLiteral(".htm");
}

}  // namespace zelvora
