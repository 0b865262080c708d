#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

#include <functional>

namespace zelvora {

// A picture box that prints text: Cls clears it, Print writes one line at
// the top left (or right-aligned), in its fore colour and font.
class PrintBox : public QWidget {
  Q_OBJECT

 public:
  PrintBox(QWidget* parent, const QString& name, const QColor& background);

  void Cls();
  void Print(const QString& text);
  void setForeColor(const QColor& color);
  QColor foreColor() const { return m_fore; }
  // What is printed now, line after line.
  QString printed() const { return m_lines.join(QLatin1Char('\n')); }

  // Any mouse button pressed on the box.
  void setMouseDownHandler(std::function<void()> handler) { m_mouseDown = std::move(handler); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  QColor m_fore = Qt::black;
  QStringList m_lines;
  std::function<void()> m_mouseDown;
};

}  // namespace zelvora
