#include "app/frm_tip.h"

#include <QWidget>

namespace zelvora {

frmTip::frmTip() : Form(QStringLiteral("frmTip"), QStringLiteral("Tips und Tricks"), {5415, 2820}, Border::Fixed) {}

void frmTip::createControls(QWidget* client) { Q_UNUSED(client); }

}  // namespace zelvora
