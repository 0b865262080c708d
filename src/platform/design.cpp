#include "platform/design.h"

#include <QStringList>

namespace zelvora {

QFont DesignFont(const QString& family, double points, bool bold) {
  QFont font;
  font.setFamilies(QStringList{family, QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
  font.setPointSizeF(points);
  font.setBold(bold);
  return font;
}

}  // namespace zelvora
