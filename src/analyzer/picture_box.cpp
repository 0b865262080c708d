#include "analyzer/picture_box.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace zelvora {

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  m_picture = QImage(QSize(1, 1), QImage::Format_RGB32);
  m_picture.fill(m_backColor);
}

void PictureBox::setBackColor(const QColor& color) { m_backColor = color; }

void PictureBox::setScale(double left, double top, double width, double height) {
  m_left = left;
  m_top = top;
  m_scaleWidth = width;
  m_scaleHeight = height;
}

void PictureBox::Cls() {
  fitPicture();
  m_picture.fill(m_backColor);
  repaintLater();
}

QPoint PictureBox::toPixels(double x, double y) const {
  const double px = m_scaleWidth != 0 ? std::floor((x - m_left) * m_picture.width() / m_scaleWidth) : 0;
  const double py = m_scaleHeight != 0 ? std::floor((y - m_top) * m_picture.height() / m_scaleHeight) : 0;
  // Far outside is as good as just outside: nothing there is drawn.
  constexpr double kFar = 1 << 20;
  return {int(std::clamp(std::isnan(px) ? 0 : px, -kFar, kFar)), int(std::clamp(std::isnan(py) ? 0 : py, -kFar, kFar))};
}

void PictureBox::Line(double x1, double y1, double x2, double y2, const QColor& color) {
  const QPoint from = toPixels(x1, y1);
  const QPoint to = toPixels(x2, y2);
  const QRgb rgb = color.rgb();
  QRgb* pixels = reinterpret_cast<QRgb*>(m_picture.bits());
  const qsizetype stride = m_picture.bytesPerLine() / qsizetype(sizeof(QRgb));
  const int width = m_picture.width();
  const int height = m_picture.height();
  // Straight pixel steps from end to end (Bresenham): a crisp one-pixel
  // line at any size of the box.
  int x = from.x();
  int y = from.y();
  const int dx = std::abs(to.x() - x);
  const int dy = -std::abs(to.y() - y);
  const int stepX = x < to.x() ? 1 : -1;
  const int stepY = y < to.y() ? 1 : -1;
  int error = dx + dy;
  for (;;) {
    if (x >= 0 && y >= 0 && x < width && y < height) pixels[y * stride + x] = rgb;
    if (x == to.x() && y == to.y()) break;
    const int twice = 2 * error;
    if (twice >= dy) {
      error += dy;
      x += stepX;
    }
    if (twice <= dx) {
      error += dx;
      y += stepY;
    }
  }
  repaintLater();
}

void PictureBox::repaintLater() {
  if (m_repaintPending) return;
  m_repaintPending = true;
  update();
}

const QImage& PictureBox::picture() {
  fitPicture();
  return m_picture;
}

void PictureBox::paintEvent(QPaintEvent*) {
  m_repaintPending = false;
  fitPicture();
  QPainter(this).drawImage(rect(), m_picture);
}

void PictureBox::resizeEvent(QResizeEvent*) { fitPicture(); }

void PictureBox::fitPicture() {
  // One picture pixel per device pixel keeps the lines crisp on any screen.
  const qreal ratio = devicePixelRatioF();
  const QSize size = (QSizeF(this->size()) * ratio).toSize().expandedTo({1, 1});
  if (m_picture.size() == size) return;
  // What was drawn stays in view, stretched to the new size until the next
  // drawing pass.
  m_picture = m_picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  m_picture.setDevicePixelRatio(ratio);
}

}  // namespace zelvora
