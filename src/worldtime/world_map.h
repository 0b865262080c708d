#pragma once

#include <QString>

namespace zelvora {

// The world-map page for a UTC month and hour: "weltkarteS<h>.htm" from
// March to September, "weltkarte<h>.htm" otherwise.
QString WorldMapPageName(int utcMonth, int utcHour);

// Sends Browser1 to the map page of the current UTC hour and shows the
// first browser window.
void ShowWorldMap();

}  // namespace zelvora
