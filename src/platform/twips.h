#pragma once

#include <QRect>

class QWidget;

namespace zelvora {

// Window and control geometry is kept in twips (1/1440 inch) and converted
// to pixels with the screen's logical DPI here, and nowhere else.
int twipsToPixels(double twips);
int pixelsToTwips(int pixels);

// Places a control at Left, Top, Width, Height given in twips.
void placeTwips(QWidget* widget, double left, double top, double width, double height);

}  // namespace zelvora
