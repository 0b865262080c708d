#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>

namespace zelvora {

// A picture box that keeps what is drawn into it (drawing goes into a
// picture that is shown on every repaint) and takes line coordinates in a
// user scale: the box's top-left corner is (left, top), its full width and
// height are width and height units.
class PictureBox : public QWidget {
  Q_OBJECT

 public:
  explicit PictureBox(QWidget* parent = nullptr);

  QColor backColor() const { return m_backColor; }
  void setBackColor(const QColor& color);
  void setScale(double left, double top, double width, double height);

  // Fills the picture with the background colour.
  void Cls();
  // A line from (x1, y1) to (x2, y2) in user units, one pixel wide, both
  // end points included. Lines go into the picture as it was sized at the
  // last Cls; what lies outside it is left out.
  void Line(double x1, double y1, double x2, double y2, const QColor& color);

  // The picture as drawn so far.
  const QImage& picture();
  // The pixel a point in user units falls into.
  QPoint toPixels(double x, double y) const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  // The picture takes the box's size.
  void fitPicture();
  // One repaint for a whole drawing pass.
  void repaintLater();

  QImage m_picture;
  QColor m_backColor = Qt::black;
  double m_left = 0;
  double m_top = 0;
  double m_scaleWidth = 1;
  double m_scaleHeight = 1;
  bool m_repaintPending = false;
};

}  // namespace zelvora
