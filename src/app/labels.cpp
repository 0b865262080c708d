#include "app/labels.h"

#include "platform/design.h"

#include <QLabel>

namespace zelvora {

QLabel* createLabel(QWidget* parent, const char* name, const QString& text, const QRect& twips, const LabelStyle& style) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setFont(DesignFont(QStringLiteral("Arial"), style.points, style.bold));
  label->setStyleSheet(QStringLiteral("color: %1; background: %2;").arg(style.colour.name(), style.background));
  placeTwips(label, twips.x(), twips.y(), twips.width(), twips.height());
  return label;
}

QString CreditsLine() {
  return QStringLiteral("Dank an die Helfer beim Empfänger-Teil (PCR1000) und beim Spektrum-Analyzer");
}

QString MakerLine() { return QStringLiteral("Zelvora – Funkempfang am Rechner"); }

}  // namespace zelvora
