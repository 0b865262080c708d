#include "receiver/form_pcr1000.h"

#include "platform/twips.h"

#include <QLineEdit>

namespace zelvora {

Form_pcr1000::Form_pcr1000()
    : FormOf(QStringLiteral("Form_pcr1000"), QStringLiteral("DIV1000 Uziveruz"), {7725, 10170}) {}

void Form_pcr1000::buildControls(Pcr1000Controls& c, QWidget* client) {
  c.Frequenzeingabe = new QLineEdit(client);
  c.Frequenzeingabe->setObjectName(QStringLiteral("Frequenzeingabe"));
  placeTwips(c.Frequenzeingabe, 120, 1200, 1800, 375);
}

}  // namespace zelvora
