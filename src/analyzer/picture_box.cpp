#include "analyzer/picture_box.h"

#include <QPaintEvent>
#include <QResizeEvent>

namespace zelvora {

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  m_picture = QImage(QSize(1, 1), QImage::Format_RGB32);
  m_picture.fill(m_backColor);
  setScale(0, 0, 1, 1);
}

PictureBox::~PictureBox() { finishDrawing(); }

void PictureBox::setBackColor(const QColor& color) { m_backColor = color; }

void PictureBox::setScale(double left, double top, double width, double height) {
  m_left = left;
  m_top = top;
  m_scaleWidth = width;
  m_scaleHeight = height;
  fitPicture();
  updateTransform();
}

void PictureBox::updateTransform() {
  const double sx = m_scaleWidth != 0 ? m_picture.width() / m_scaleWidth : 0;
  const double sy = m_scaleHeight != 0 ? m_picture.height() / m_scaleHeight : 0;
  // Pixel centres sit half a pixel in, so a line on a user coordinate hits
  // the pixel that coordinate falls into.
  m_toPixels = QTransform(sx, 0, 0, sy, -m_left * sx - 0.5, -m_top * sy - 0.5);
  if (m_painter) m_painter->setTransform(m_toPixels);
}

void PictureBox::Cls() {
  fitPicture();
  finishDrawing();
  m_picture.fill(m_backColor);
  update();
}

QPainter& PictureBox::painter() {
  if (!m_painter) {
    fitPicture();
    // One painter stays open for a whole drawing pass; the repaint ends it.
    m_painter.emplace(&m_picture);
    m_painter->setTransform(m_toPixels);
    update();
  }
  return *m_painter;
}

void PictureBox::Line(double x1, double y1, double x2, double y2, const QColor& color) {
  QPainter& p = painter();
  p.setPen(QPen(color, 0));
  p.drawLine(QPointF(x1, y1), QPointF(x2, y2));
}

void PictureBox::finishDrawing() {
  if (m_painter) m_painter.reset();
}

const QImage& PictureBox::picture() {
  fitPicture();
  finishDrawing();
  return m_picture;
}

QPointF PictureBox::toPixels(double x, double y) const { return m_toPixels.map(QPointF(x, y)) + QPointF(0.5, 0.5); }

void PictureBox::paintEvent(QPaintEvent*) {
  fitPicture();
  finishDrawing();
  QPainter p(this);
  p.drawImage(rect(), m_picture);
}

void PictureBox::resizeEvent(QResizeEvent*) { fitPicture(); }

void PictureBox::fitPicture() {
  const QSize size = this->size().expandedTo({1, 1});
  if (m_picture.size() == size) return;
  finishDrawing();
  // What was drawn stays in view, stretched to the new size until the next
  // drawing pass.
  m_picture = m_picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  updateTransform();
}

}  // namespace zelvora
