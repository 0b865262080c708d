#include "platform/design.h"

#include <QStringList>

namespace zelvora {

QFont DesignFont(const QString& family, double points, bool bold) {
  // "MS Sans Serif" is a Windows bitmap font that Linux does not have. Its
  // texts run narrower than Arial's at the same size, and the layouts made
  // for it leave no more room than that: Arial Narrow's twin stands in.
  const bool bitmapSans = family.compare(QLatin1String("MS Sans Serif"), Qt::CaseInsensitive) == 0;
  QFont font;
  font.setFamilies(bitmapSans ? QStringList{family, QStringLiteral("Arial Narrow"), QStringLiteral("Liberation Sans Narrow")}
                              : QStringList{family, QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
  font.setPointSizeF(points);
  font.setBold(bold);
  return font;
}

}  // namespace zelvora
