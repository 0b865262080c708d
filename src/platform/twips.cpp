#include "platform/twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <cmath>

namespace zelvora {
namespace {

double logicalDpi() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->logicalDotsPerInchX() : 96.0;
}

}  // namespace

int twipsToPixels(double twips) { return static_cast<int>(std::lround(twips * logicalDpi() / 1440.0)); }

int pixelsToTwips(int pixels) { return static_cast<int>(std::lround(pixels * 1440.0 / logicalDpi())); }

void placeTwips(QWidget* widget, double left, double top, double width, double height) {
  widget->setGeometry(twipsToPixels(left), twipsToPixels(top), std::max(0, twipsToPixels(width)),
                      std::max(0, twipsToPixels(height)));
}

}  // namespace zelvora
