#include "app/frm_splash.h"

#include "app/artwork.h"
#include "app/labels.h"
#include "platform/classic_timer.h"
#include "platform/twips.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QTimer>

namespace zelvora {
namespace {

QLabel* addLabel(QWidget* parent, const char* name, const QString& text, const QRect& twips, const QColor& colour,
                 double points, bool bold) {
  QLabel* label = createLabel(parent, name, text, twips, {colour, points, bold});
  // Clicks on the labels do nothing; they must not reach the frame.
  label->setAttribute(Qt::WA_NoMousePropagation);
  return label;
}

// Forwards the frame's clicks and the window's key presses to the handlers.
class SplashInput : public QObject {
 public:
  SplashInput(frmSplash* form, QObject* parent) : QObject(parent), m_form(form) {}
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::MouseButtonRelease && watched->objectName() == QLatin1String("Frame1")) {
      m_form->Frame1_Click();
      return true;
    }
    if (event->type() == QEvent::KeyPress && !static_cast<QKeyEvent*>(event)->text().isEmpty()) {
      m_form->Form_KeyPress();
      return true;
    }
    return false;
  }

 private:
  frmSplash* m_form;
};

}  // namespace

frmSplash::frmSplash() : FormOf(QStringLiteral("frmSplash"), QString(), {7380, 4245}, Border::None) {}

void frmSplash::buildControls(SplashControls& c, QWidget* client) {
  client->setAutoFillBackground(true);
  client->setStyleSheet(QStringLiteral("QWidget#frmSplash_client { background: black; }"));
  client->setFocusPolicy(Qt::StrongFocus);

  c.Timer_intro = new ClassicTimer(client, QStringLiteral("Timer_intro"), 5000, true);
  c.Timer_intro->setHandler([this] { Timer_intro_Timer(); });

  c.Frame1 = new QFrame(client);
  c.Frame1->setObjectName(QStringLiteral("Frame1"));
  c.Frame1->setStyleSheet(QStringLiteral("QFrame#Frame1 { background: black; }"));
  placeTwips(c.Frame1, 120, 60, 7080, 4050);

  c.imgLogo = new QLabel(c.Frame1);
  c.imgLogo->setObjectName(QStringLiteral("imgLogo"));
  c.imgLogo->setAttribute(Qt::WA_NoMousePropagation);
  placeTwips(c.imgLogo, -360, 120, 3735, 3705);
  c.imgLogo->setPixmap(ProgramLogo(250));
  c.imgLogo->setAlignment(Qt::AlignCenter);

  addLabel(c.Frame1, "lblCompanyProduct", QStringLiteral("Zelvora"), {3120, 940, 1800, 330}, Qt::white, 14.25, true);
  c.lblProductName = addLabel(c.Frame1, "lblProductName", QString(), {3120, 1365, 3255, 360}, QColor(0, 255, 0), 15.75, true);
  addLabel(c.Frame1, "Label1", QStringLiteral("Nutzung in eigener Verantwortung"), {3840, 1800, 2775, 255},
           QColor(0xC0, 0xC0, 0xC0), 8.25, false);
  addLabel(c.Frame1, "lblPlatform", QStringLiteral("Windows"), {5475, 2340, 1380, 360}, Qt::white, 15.75, true);
  c.lblVersion = addLabel(c.Frame1, "lblVersion", QString(), {5805, 2700, 1050, 285}, Qt::white, 12, true);
  addLabel(c.Frame1, "lblMakerWeb", QStringLiteral("Funkempfang am Rechner"), {4560, 3060, 2415, 255}, Qt::white, 8.25, false);
  addLabel(c.Frame1, "lblCompany", QStringLiteral("Kurzwelle hören und auswerten"), {4560, 3270, 2415, 255}, Qt::white, 8.25,
           false);
  addLabel(c.Frame1, "lblWarning",
           CreditsLine(),
           {230, 3760, 6855, 195}, QColor(0, 255, 0), 8.25, false);

  auto* input = new SplashInput(this, client);
  c.Frame1->installEventFilter(input);
  client->installEventFilter(input);
}

void frmSplash::Form_Load() {
  // The splash stands in the middle of the frame, whose size is known only
  // once the start-up has shown it.
  QTimer::singleShot(0, client(), [this] { centerInFrame(); });
  ui().lblVersion->setText(QStringLiteral("XP/7/8/10"));
  ui().lblProductName->setText(QStringLiteral("Zelvora 1.0"));
  client()->setFocus();
}

void frmSplash::Timer_intro_Timer() {
  ui().Timer_intro->setEnabled(false);
  unload();
}

void frmSplash::Frame1_Click() { unload(); }

void frmSplash::Form_KeyPress() { unload(); }

}  // namespace zelvora
