#include "app/frm_about.h"

#include "app/artwork.h"
#include "app/labels.h"
#include "platform/dialog_keys.h"
#include "platform/message_box.h"
#include "platform/system_programs.h"
#include "platform/twips.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>

namespace zelvora {
namespace {

// Desktop tools that show the machine's hardware and system, in order of
// preference.
const QStringList kSystemInfoPrograms = {QStringLiteral("hardinfo"), QStringLiteral("kinfocenter"),
                                         QStringLiteral("gnome-system-monitor"), QStringLiteral("xfce4-taskmanager")};

void addLine(QWidget* parent, const char* name, const QColor& colour, int x1, int y, int x2, int thicknessPixels) {
  auto* line = new QWidget(parent);
  line->setObjectName(QString::fromLatin1(name));
  line->setAttribute(Qt::WA_StyledBackground);
  line->setStyleSheet(QStringLiteral("background: %1;").arg(colour.name()));
  line->setGeometry(twipsToPixels(x1), twipsToPixels(y), twipsToPixels(x2 - x1), thicknessPixels);
}

}  // namespace

frmAbout::frmAbout()
    : FormOf(QStringLiteral("frmAbout"), QStringLiteral("Info zum Programm"), {5730, 3555}, Border::Fixed) {}

void frmAbout::buildControls(AboutControls& c, QWidget* client) {
  auto* icon = new QLabel(client);
  icon->setObjectName(QStringLiteral("picIcon"));
  icon->setPixmap(ProgramLogo(twipsToPixels(540)));
  placeTwips(icon, 240, 240, 540, 540);

  c.lblTitle = createLabel(client, "lblTitle", QString(), {1050, 240, 3885, 480}, {Qt::black, 18, true});
  c.lblVersion = createLabel(client, "lblVersion", QString(), {1050, 780, 3885, 225});
  // At 8.25 pt the last line of the text would fall below the label.
  c.lblDescription = createLabel(client, "lblDescription", QString(), {1050, 1125, 3885, 1170}, {Qt::black, 7.5});
  c.lblDescription->setWordWrap(true);
  c.lblDescription->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  c.lblDisclaimer = createLabel(client, "lblDisclaimer", QString(), {255, 2625, 3870, 825});
  c.lblDisclaimer->setWordWrap(true);
  c.lblDisclaimer->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  c.cmdOK = new QPushButton(QStringLiteral("OK"), client);
  c.cmdOK->setObjectName(QStringLiteral("cmdOK"));
  placeTwips(c.cmdOK, 4245, 2625, 1260, 345);
  QObject::connect(c.cmdOK, &QPushButton::clicked, client, [this] { cmdOK_Click(); });
  c.cmdSysInfo = new QPushButton(QStringLiteral("&Systeminfo..."), client);
  c.cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
  placeTwips(c.cmdSysInfo, 4260, 3075, 1245, 345);
  QObject::connect(c.cmdSysInfo, &QPushButton::clicked, client, [this] { StartSysInfo(); });

  // An etched separator above the buttons.
  addLine(client, "Line1_1", QColor(0x80, 0x80, 0x80), 90, 2445, 5654, 1);
  addLine(client, "Line1_0", Qt::white, 105, 2460, 5654, 2);

  setDialogButtons(client, c.cmdOK, c.cmdOK);
}

void frmAbout::Form_Load() {
  setCaption(QStringLiteral("Info zu Zelvora"));
  centerInFrame();
  ui().lblVersion->setText(QStringLiteral("Version 1.0.0"));
  ui().lblTitle->setText(QStringLiteral("Zelvora"));
  ui().lblDescription->setText(QStringLiteral(
      "Benutzung in eigener Verantwortung. Der Urheber übernimmt keine Haftung für eventuelle Schäden. Ein Programm "
      "für Anfänger und Fortgeschrittene zum erforschen von Radiowellen und kodierten Signalen. Das Programm kann mit "
      "Excel-Tabellen und HTML Seiten immer aktuell gehalten oder erweitert werden."));
  // Two line breaks between credits and maker (the old label broke lines at CR).
  ui().lblDisclaimer->setText(CreditsLine() + QStringLiteral("\n\n") + MakerLine());
}

void frmAbout::StartSysInfo() {
  if (!StartProgram(FindProgram(kSystemInfoPrograms)))
    MsgBox(QStringLiteral("Systeminformationen sind momentan nicht verfügbar"), MsgOkOnly);
}

void frmAbout::cmdOK_Click() { unload(); }

}  // namespace zelvora
