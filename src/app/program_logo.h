#pragma once

#include <QLinearGradient>

class QPainter;

namespace zelvora {

// The program's logo, an antenna mast sending waves, painted into a
// size x size square. Kept apart from the rest of the program (it needs
// only Qt's painting) so the build can draw the desktop icons from it.
void PaintProgramLogo(QPainter& p, double size);

// The program's icon: the logo on a night-sky tile, so it stands out on
// light and dark menus alike.
void PaintProgramIcon(QPainter& p, double size);

// The dark blue of the icon's tile and of the main window without its
// photograph, from the top down to the given height.
QLinearGradient NightSky(double height);

}  // namespace zelvora
