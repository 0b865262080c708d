#include "app/frm_tip.h"

#include "app/artwork.h"
#include "app/labels.h"
#include "platform/dialog_keys.h"
#include "platform/legacy_text.h"
#include "platform/program_folder.h"
#include "platform/text_value.h"
#include "platform/twips.h"
#include "platform/user_settings.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QRandomGenerator>

namespace zelvora {
namespace {

const QString kSection = QStringLiteral("Options");
const QString kShowTips = QStringLiteral("Show Tips at Startup");
const QString kTipsFile = QStringLiteral("TIPOFDAY.TXT");

QPushButton* addButton(QWidget* parent, const char* name, const QString& caption, const QRect& twips) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(QString::fromLatin1(name));
  placeTwips(button, twips.x(), twips.y(), twips.width(), twips.height());
  return button;
}

}  // namespace

frmTip::frmTip() : FormOf(QStringLiteral("frmTip"), QStringLiteral("Tips und Tricks"), {5415, 2820}, Border::Fixed) {}

void frmTip::buildControls(TipControls& c, QWidget* client) {
  c.cmdOK = addButton(client, "cmdOK", QStringLiteral("OK"), {4080, 120, 1215, 375});
  c.cmdNextTip = addButton(client, "cmdNextTip", QStringLiteral("&Nächster Tip"), {4080, 600, 1215, 375});
  QObject::connect(c.cmdOK, &QPushButton::clicked, client, [this] { cmdOK_Click(); });
  QObject::connect(c.cmdNextTip, &QPushButton::clicked, client, [this] { cmdNextTip_Click(); });

  c.Picture1 = new QWidget(client);
  c.Picture1->setObjectName(QStringLiteral("Picture1"));
  c.Picture1->setStyleSheet(QStringLiteral("QWidget#Picture1 { background: white; }"));
  c.Picture1->setAttribute(Qt::WA_StyledBackground);
  placeTwips(c.Picture1, 120, 120, 3735, 2115);
  auto* icon = new QLabel(c.Picture1);
  icon->setObjectName(QStringLiteral("imgIcon"));
  icon->setPixmap(ProgramLogo(twipsToPixels(360)));
  placeTwips(icon, 90, 90, 360, 360);
  createLabel(c.Picture1, "Label1", QStringLiteral("Ein paar Kniffe... ;-)"), {540, 180, 2655, 255},
              {Qt::black, 8.25, true, QStringLiteral("white")});
  c.lblTipText = createLabel(c.Picture1, "lblTipText", QString(), {180, 600, 3255, 1275},
                             {Qt::black, 8.25, false, QStringLiteral("white")});
  c.lblTipText->setWordWrap(true);
  c.lblTipText->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  createLabel(client, "Label2",
              QStringLiteral("Vor Benutzung von Fremdsoftware Eprom-Sicherung machen! Software in der Linkliste"),
              {120, 2280, 4335, 495}, {QColor(255, 0, 0), 8.25, true})
      ->setWordWrap(true);

  c.chkLoadTipsAtStartup = new QCheckBox(QStringLiteral("&Tips beim Starten anzeigen"), client);
  c.chkLoadTipsAtStartup->setObjectName(QStringLiteral("chkLoadTipsAtStartup"));
  placeTwips(c.chkLoadTipsAtStartup, 120, 2940, 2415, 315);
  QObject::connect(c.chkLoadTipsAtStartup, &QCheckBox::toggled, client, [this] { chkLoadTipsAtStartup_Click(); });

  setDialogButtons(client, c.cmdOK, c.cmdOK);
}

void frmTip::Form_Load() {
  // A stored value that is not a number counts as 0, like any other text.
  if (RoundHalfEven(Val(GetSetting(kSection, kShowTips, QStringLiteral("1")))) == 0) {
    unload();
    return;
  }
  ui().chkLoadTipsAtStartup->setChecked(true);
  if (!LoadTips(ProgramFolder() + QStringLiteral("\\") + kTipsFile)) {
    ui().lblTipText->setText(QStringLiteral("Die Datei ") + kTipsFile + QStringLiteral(" wurde nicht gefunden? ") +
                             QStringLiteral("\r\n\r\n") + QStringLiteral("Textdatei mit dem Namen ") + kTipsFile +
                             QStringLiteral(" unter Verwendung von NotePad mit 1 Tip pro Zeile erstellen. ") +
                             QStringLiteral("Dann im selben Verzeichnis wie die Anwendung ablegen. "));
  }
}

bool frmTip::LoadTips(const QString& path) {
  if (path.isEmpty() || !QFileInfo(NativePath(path)).isFile()) return false;
  const auto text = ReadLegacyText(path);
  if (!text) return false;
  m_tips += SplitLines(*text);
  ShowNextTip();
  return true;
}

void frmTip::ShowNextTip() {
  if (!m_tips.isEmpty()) m_currentTip = 1 + static_cast<int>(QRandomGenerator::global()->bounded(m_tips.size()));
  DisplayCurrentTip();
}

void frmTip::DisplayCurrentTip() {
  if (!m_tips.isEmpty() && m_currentTip >= 1 && m_currentTip <= m_tips.size())
    ui().lblTipText->setText(m_tips.at(m_currentTip - 1));
}

void frmTip::cmdNextTip_Click() { ShowNextTip(); }

void frmTip::cmdOK_Click() { unload(); }

void frmTip::chkLoadTipsAtStartup_Click() {
  SaveSetting(kSection, kShowTips, ui().chkLoadTipsAtStartup->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
}

}  // namespace zelvora
