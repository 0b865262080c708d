#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QTransform>
#include <QWidget>

#include <optional>

namespace zelvora {

// A picture box that keeps what is drawn into it (drawing goes into a
// picture that is shown on every repaint) and takes line coordinates in a
// user scale: the box's top-left corner is (left, top), its full width and
// height are width and height units.
class PictureBox : public QWidget {
  Q_OBJECT

 public:
  explicit PictureBox(QWidget* parent = nullptr);
  ~PictureBox() override;

  QColor backColor() const { return m_backColor; }
  void setBackColor(const QColor& color);
  void setScale(double left, double top, double width, double height);

  // Fills the picture with the background colour.
  void Cls();
  // A line from (x1, y1) to (x2, y2) in user units, one pixel wide.
  void Line(double x1, double y1, double x2, double y2, const QColor& color);

  // The picture as drawn so far.
  const QImage& picture();
  // Pixel position of a point in user units.
  QPointF toPixels(double x, double y) const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QPainter& painter();
  void finishDrawing();
  // The picture takes the box's size.
  void fitPicture();
  void updateTransform();

  QImage m_picture;
  std::optional<QPainter> m_painter;
  QColor m_backColor = Qt::black;
  double m_left = 0;
  double m_top = 0;
  double m_scaleWidth = 1;
  double m_scaleHeight = 1;
  QTransform m_toPixels;
};

}  // namespace zelvora
