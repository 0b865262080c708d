#include "foundlist/form_autoscan.h"

#include <QWidget>

namespace zelvora {

Form_autoscan::Form_autoscan() : Form(QStringLiteral("Form_autoscan"), QStringLiteral("Autoscan Frequenzen"), {5400, 6360}, Border::Sizable) {}

void Form_autoscan::createControls(QWidget* client) { Q_UNUSED(client); }

}  // namespace zelvora
