#include "app/frm_about.h"

#include <QWidget>

namespace zelvora {

frmAbout::frmAbout() : Form(QStringLiteral("frmAbout"), QStringLiteral("Info zum Programm"), {5730, 3555}, Border::Fixed) {}

void frmAbout::createControls(QWidget* client) { Q_UNUSED(client); }

}  // namespace zelvora
