#include "receiver/print_box.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

namespace zelvora {

PrintBox::PrintBox(QWidget* parent, const QString& name, const QColor& background) : QWidget(parent) {
  setObjectName(name);
  setAutoFillBackground(true);
  QPalette p = palette();
  p.setColor(QPalette::Window, background);
  setPalette(p);
}

void PrintBox::Cls() {
  m_lines.clear();
  update();
}

void PrintBox::Print(const QString& text) {
  m_lines << text;
  update();
}

void PrintBox::setForeColor(const QColor& color) {
  m_fore = color;
  update();
}

void PrintBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setFont(font());
  painter.setPen(m_fore);
  const QFontMetrics metrics(font());
  int y = metrics.ascent();
  for (const QString& line : m_lines) {
    painter.drawText(0, y, line);
    y += metrics.height();
  }
}

void PrintBox::mousePressEvent(QMouseEvent* event) {
  if (m_mouseDown) m_mouseDown();
  event->accept();
}

}  // namespace zelvora
