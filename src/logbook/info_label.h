#pragma once

#include <QLabel>

namespace zelvora {

// A label whose text breaks into a new line at a carriage return, as the
// classic label did; text() keeps the carriage return.
class InfoLabel : public QLabel {
  Q_OBJECT

 public:
  using QLabel::QLabel;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace zelvora
