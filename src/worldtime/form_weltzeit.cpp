#include "worldtime/form_weltzeit.h"

#include <QWidget>

namespace zelvora {

Form_weltzeit::Form_weltzeit() : Form(QStringLiteral("Form_weltzeit"), QStringLiteral("Weltzeit"), {8565, 3840}, Border::Sizable) {}

void Form_weltzeit::createControls(QWidget* client) { Q_UNUSED(client); }

}  // namespace zelvora
