#pragma once

#include <QFont>
#include <QString>

#include "platform/twips.h"

namespace zelvora {

// A font of the window designs. Where the family is missing (the Windows
// fonts), Arial's metric twin stands in: it keeps texts inside their
// controls better than the system's default sans; for the narrower
// "MS Sans Serif", Arial Narrow's twin.
QFont DesignFont(const QString& family, double points, bool bold = false);

// Names a control and puts it at its design place, in twips.
template <class W>
W* placed(W* widget, const QString& name, double left, double top, double width, double height) {
  widget->setObjectName(name);
  placeTwips(widget, left, top, width, height);
  return widget;
}

}  // namespace zelvora
