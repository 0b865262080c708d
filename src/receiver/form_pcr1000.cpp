#include "receiver/form_pcr1000.h"

#include <QWidget>

namespace zelvora {

Form_pcr1000::Form_pcr1000() : Form(QStringLiteral("Form_pcr1000"), QStringLiteral("DIV1000 Uziveruz"), {7725, 10170}, Border::Sizable) {}

void Form_pcr1000::createControls(QWidget* client) { Q_UNUSED(client); }

}  // namespace zelvora
