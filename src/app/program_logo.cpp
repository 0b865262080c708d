#include "app/program_logo.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPen>

namespace zelvora {

void PaintProgramLogo(QPainter& p, double size) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 100.0, size / 100.0);
  // Mast with guy lines.
  p.setPen(QPen(QColor(200, 200, 200), 4, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(50, 30), QPointF(50, 92));
  p.setPen(QPen(QColor(160, 160, 160), 2));
  p.drawLine(QPointF(50, 45), QPointF(30, 92));
  p.drawLine(QPointF(50, 45), QPointF(70, 92));
  // Waves leaving the top of the mast.
  p.setBrush(Qt::NoBrush);
  const QColor waves[] = {QColor(0, 255, 0), QColor(0, 200, 60), QColor(0, 150, 90)};
  for (int i = 0; i < 3; ++i) {
    const double r = 12 + i * 12;
    p.setPen(QPen(waves[i], 5, Qt::SolidLine, Qt::RoundCap));
    const QRectF box(50 - r, 28 - r, 2 * r, 2 * r);
    p.drawArc(box, 30 * 16, 120 * 16);
    p.drawArc(box, 210 * 16, -30 * 16);
    p.drawArc(box, -30 * 16, 30 * 16);
  }
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 60, 60));
  p.drawEllipse(QPointF(50, 28), 6, 6);
  p.restore();
}

QLinearGradient NightSky(double height) {
  QLinearGradient sky(0, 0, 0, height);
  sky.setColorAt(0, QColor(10, 20, 50));
  sky.setColorAt(1, QColor(40, 60, 110));
  return sky;
}

void PaintProgramIcon(QPainter& p, double size) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 100.0, size / 100.0);
  p.setPen(Qt::NoPen);
  p.setBrush(NightSky(100));
  p.drawRoundedRect(QRectF(2, 2, 96, 96), 16, 16);
  // The outer waves reach above the logo's square; shrunk, they stay on
  // the tile.
  p.translate(10, 16);
  PaintProgramLogo(p, 80);
  p.restore();
}

}  // namespace zelvora
