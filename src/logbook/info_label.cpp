#include "logbook/info_label.h"

#include <QPainter>

namespace zelvora {

void InfoLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QString shown = text();
  shown.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
  painter.setPen(palette().color(foregroundRole()));
  painter.drawText(contentsRect(), static_cast<int>(Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap), shown);
}

}  // namespace zelvora
