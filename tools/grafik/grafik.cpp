// Draws the receiver panel's pictures: the status lamp (off, red, green)
// and the picture buttons, as JPEG files into the folder given.

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cstdio>
#include <functional>

namespace {

// Button pictures fill a 975 x 375 twips button: 65 x 25 pixels, drawn at
// twice the size for a smooth result.
constexpr int kButtonW = 130, kButtonH = 50;
constexpr int kLamp = 48;

bool save(const QImage& image, const QDir& dir, const char* name) {
  if (image.save(dir.filePath(QString::fromLatin1(name)), "JPG", 92)) return true;
  std::fprintf(stderr, "grafik: cannot write %s\n", name);
  return false;
}

QImage lamp(const QColor& glow) {
  QImage image(kLamp, kLamp, QImage::Format_RGB32);
  image.fill(Qt::black);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QRadialGradient g(QPointF(kLamp * 0.4, kLamp * 0.35), kLamp * 0.55);
  g.setColorAt(0, glow.lighter(170));
  g.setColorAt(0.6, glow);
  g.setColorAt(1, glow.darker(300));
  p.setBrush(g);
  p.setPen(QPen(QColor(90, 90, 90), 2));
  p.drawEllipse(QRectF(3, 3, kLamp - 6, kLamp - 6));
  return image;
}

// A raised metal key with a symbol in the given colour.
QImage button(const QColor& symbolColour, const std::function<void(QPainter&, const QRectF&)>& symbol) {
  QImage image(kButtonW, kButtonH, QImage::Format_RGB32);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient face(0, 0, 0, kButtonH);
  face.setColorAt(0, QColor(235, 235, 235));
  face.setColorAt(1, QColor(150, 150, 150));
  p.fillRect(image.rect(), face);
  p.setPen(QPen(QColor(80, 80, 80), 3));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(1.5, 1.5, kButtonW - 3, kButtonH - 3));
  p.setPen(QPen(symbolColour, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(symbolColour);
  symbol(p, QRectF(kButtonW / 2.0 - 18, 8, 36, kButtonH - 16));
  return image;
}

void power(QPainter& p, const QRectF& r) {
  p.setBrush(Qt::NoBrush);
  const QRectF ring = r.adjusted(3, 3, -3, -3);
  p.drawArc(ring, 120 * 16, 300 * 16);
  p.drawLine(QPointF(ring.center().x(), ring.top() - 2), QPointF(ring.center().x(), ring.center().y()));
}

void triangle(QPainter& p, const QRectF& r, bool up) {
  QPainterPath path;
  const double top = r.top() + 4, bottom = r.bottom() - 4;
  path.moveTo(r.left() + 4, up ? bottom : top);
  path.lineTo(r.right() - 4, up ? bottom : top);
  path.lineTo(r.center().x(), up ? top : bottom);
  path.closeSubpath();
  p.drawPath(path);
}

void arrowRight(QPainter& p, const QRectF& r) {
  const double y = r.center().y();
  p.drawLine(QPointF(r.left(), y), QPointF(r.right() - 4, y));
  p.drawLine(QPointF(r.right() - 14, y - 10), QPointF(r.right() - 4, y));
  p.drawLine(QPointF(r.right() - 14, y + 10), QPointF(r.right() - 4, y));
}

void sweep(QPainter& p, const QRectF& r) {
  p.setBrush(Qt::NoBrush);
  QPainterPath wave;
  wave.moveTo(r.left(), r.center().y());
  for (int i = 0; i < 4; ++i) {
    const double x = r.left() + i * r.width() / 4;
    wave.quadTo(x + r.width() / 8, i % 2 ? r.bottom() : r.top(), x + r.width() / 4, r.center().y());
  }
  p.drawPath(wave);
}

void cross(QPainter& p, const QRectF& r) {
  const QRectF s = r.adjusted(6, 2, -6, -2);
  p.drawLine(s.topLeft(), s.bottomRight());
  p.drawLine(s.topRight(), s.bottomLeft());
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: grafik FOLDER\n");
    return 2;
  }
  QDir dir(QString::fromLocal8Bit(argv[1]));
  if (!dir.mkpath(QStringLiteral("."))) return 1;

  const QColor green(0, 200, 0), red(220, 0, 0), grey(90, 90, 90), blue(0, 70, 200), amber(230, 140, 0);
  bool ok = true;
  ok &= save(lamp(QColor(60, 60, 60)), dir, "lampe-aus.jpg");
  ok &= save(lamp(QColor(230, 0, 0)), dir, "lampe-rot.jpg");
  ok &= save(lamp(QColor(0, 220, 0)), dir, "lampe-gruen.jpg");
  ok &= save(button(green, power), dir, "but_radioon.jpg");
  ok &= save(button(grey, power), dir, "but_radioon2.jpg");
  ok &= save(button(red, power), dir, "but_radiooff.jpg");
  ok &= save(button(blue, [](QPainter& p, const QRectF& r) { triangle(p, r, false); }), dir, "but_down.jpg");
  ok &= save(button(blue, [](QPainter& p, const QRectF& r) { triangle(p, r, true); }), dir, "but_up.jpg");
  ok &= save(button(blue, arrowRight), dir, "but_direct.jpg");
  ok &= save(button(grey, sweep), dir, "but_scan.jpg");
  ok &= save(button(amber, sweep), dir, "but_scan2.jpg");
  ok &= save(button(red, cross), dir, "but_exit.jpg");
  return ok ? 0 : 1;
}
