#include "logbook/form_frequenzliste2.h"

#include <QWidget>

namespace zelvora {

Form_frequenzliste2::Form_frequenzliste2() : Form(QStringLiteral("Form_frequenzliste2"), QStringLiteral("Logbuch"), {9165, 4545}, Border::Sizable) {}

void Form_frequenzliste2::createControls(QWidget* client) { Q_UNUSED(client); }

}  // namespace zelvora
