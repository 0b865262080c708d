#pragma once

#include <QColor>
#include <QRect>
#include <QString>

class QLabel;
class QWidget;

namespace zelvora {

struct LabelStyle {
  QColor colour = Qt::black;
  double points = 8.25;
  bool bold = false;
  QString background = QStringLiteral("transparent");
};

// A label of the small windows, placed in twips, in Arial.
QLabel* createLabel(QWidget* parent, const char* name, const QString& text, const QRect& twips,
                    const LabelStyle& style = {});

// The credits line of the splash and about windows, and the maker line.
QString CreditsLine();
QString MakerLine();

}  // namespace zelvora
