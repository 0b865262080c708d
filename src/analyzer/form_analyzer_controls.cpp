#include "analyzer/form_analyzer.h"

#include "analyzer/picture_box.h"
#include "platform/classic_timer.h"
#include "platform/design.h"
#include "platform/twips.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QWheelEvent>

namespace zelvora {
namespace {

QScrollBar* setUp(QScrollBar* bar, int minimum, int maximum, int value, int pageStep) {
  bar->setRange(minimum, maximum);
  bar->setValue(value);
  bar->setPageStep(pageStep);
  // A change counts when the click or the drag has ended, not while the
  // thumb moves.
  bar->setTracking(false);
  // The window's white text colour would make the arrows vanish on the
  // light buttons.
  QPalette palette = bar->palette();
  palette.setColor(QPalette::WindowText, QApplication::palette().color(QPalette::WindowText));
  bar->setPalette(palette);
  return bar;
}

QScrollBar* scrollBar(Qt::Orientation orientation, QWidget* parent, int minimum, int maximum, int value, int pageStep) {
  return setUp(new QScrollBar(orientation, parent), minimum, maximum, value, pageStep);
}

// A vertical bar whose top end holds the larger value. The bar's own steps
// (arrows, clicks beside the thumb, keys, wheel) count towards the bottom
// end as larger; each is turned round so that the thumb goes where the user
// points.
class UpsideDownScrollBar : public QScrollBar {
 public:
  explicit UpsideDownScrollBar(QWidget* parent) : QScrollBar(Qt::Vertical, parent) {
    setInvertedAppearance(true);
    connect(this, &QAbstractSlider::actionTriggered, this, [this](int action) { turnRound(action); });
  }

 protected:
  void wheelEvent(QWheelEvent* event) override {
    QWheelEvent turned(event->position(), event->globalPosition(), -event->pixelDelta(), -event->angleDelta(),
                       event->buttons(), event->modifiers(), event->phase(), event->inverted(), event->source());
    QScrollBar::wheelEvent(&turned);
    event->setAccepted(turned.isAccepted());
  }

 private:
  void turnRound(int action) {
    switch (action) {
      case SliderSingleStepAdd:
        setSliderPosition(value() - singleStep());
        break;
      case SliderSingleStepSub:
        setSliderPosition(value() + singleStep());
        break;
      case SliderPageStepAdd:
        setSliderPosition(value() - pageStep());
        break;
      case SliderPageStepSub:
        setSliderPosition(value() + pageStep());
        break;
      case SliderToMinimum:
        setSliderPosition(maximum());
        break;
      case SliderToMaximum:
        setSliderPosition(minimum());
        break;
      default:
        break;
    }
  }
};

QScrollBar* upsideDownBar(QWidget* parent, int bottom, int top, int value) {
  return setUp(new UpsideDownScrollBar(parent), bottom, top, value, 1);
}

}  // namespace

void Form_analyzer::buildControls(AnalyzerControls& c, QWidget* client) {
  client->setFont(DesignFont(QStringLiteral("MS Sans Serif"), 8.25));
  QPalette palette = client->palette();
  palette.setColor(QPalette::Window, QColor(128, 128, 128));
  palette.setColor(QPalette::WindowText, Qt::white);
  client->setPalette(palette);
  client->setAutoFillBackground(true);

  c.frmSample = placed(new QGroupBox(QStringLiteral("Sampling"), client), QStringLiteral("frmSample"), 120, 240, 2295, 1335);
  c.cboSRate = placed(new QComboBox(c.frmSample), QStringLiteral("cboSRate"), 240, 360, 1215, 315);
  c.cboSRate->setEditable(true);
  // Enter in the text neither adds to the list nor counts as a pick.
  c.cboSRate->setInsertPolicy(QComboBox::NoInsert);
  c.cboSRate->addItems({QStringLiteral("48000"), QStringLiteral("44100"), QStringLiteral("22050"), QStringLiteral("11025"),
                        QStringLiteral("5512")});
  c.cboSRate->setEditText(QStringLiteral("48000"));
  c.Label4 = placed(new QLabel(QStringLiteral("Rate"), c.frmSample), QStringLiteral("Label4"), 1560, 360, 615, 255);
  c.cboBins = placed(new QComboBox(c.frmSample), QStringLiteral("cboBins"), 240, 840, 1215, 315);
  c.cboBins->setEditable(true);
  c.cboBins->setInsertPolicy(QComboBox::NoInsert);
  c.cboBins->setEditText(QStringLiteral("2048"));
  c.Label1 = placed(new QLabel(QStringLiteral("Samples"), c.frmSample), QStringLiteral("Label1"), 1560, 840, 615, 255);

  c.frmTrace = placed(new QGroupBox(QStringLiteral("Kurve"), client), QStringLiteral("frmTrace"), 120, 1800, 2295, 2295);
  c.optNormal = placed(new QRadioButton(QStringLiteral("Normal"), c.frmTrace), QStringLiteral("optNormal"), 240, 360, 1335, 375);
  c.optNormal->setChecked(true);
  c.optMaxhold = placed(new QRadioButton(QStringLiteral("Max halten"), c.frmTrace), QStringLiteral("optMaxhold"), 240, 720, 1335, 375);
  c.optAverage = placed(new QRadioButton(QStringLiteral("Durchschnitt"), c.frmTrace), QStringLiteral("optAverage"), 240, 1080, 1335, 375);
  c.scrAVG = placed(scrollBar(Qt::Horizontal, c.frmTrace, 1, 20, 5, 1), "scrAVG", 240, 1440, 1335, 255);
  c.lblAV = placed(new QLabel(c.frmTrace), QStringLiteral("lblAV"), 1680, 1440, 495, 495);
  c.lblAV->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  c.chkOverWrite = placed(new QCheckBox(QStringLiteral("Addieren"), c.frmTrace), QStringLiteral("chkOverWrite"), 240, 1920, 1095, 255);

  c.frmMemory = placed(new QGroupBox(QStringLiteral("Kanal 2 Speicher"), client), QStringLiteral("frmMemory"), 120, 4320, 2295, 1860);
  c.cmdStore = placed(new QPushButton(QStringLiteral("Speichere Kanal 2"), c.frmMemory), QStringLiteral("cmdStore"), 120, 360, 1935, 375);
  c.cmdDisplaytrace =
      placed(new QPushButton(QStringLiteral("Zeige Kanal 2"), c.frmMemory), QStringLiteral("cmdDisplaytrace"), 120, 840, 1935, 375);
  c.cmdTracemath =
      placed(new QPushButton(QStringLiteral("Kanal 1- Kanal 2 ON"), c.frmMemory), QStringLiteral("cmdTracemath"), 120, 1320, 1935, 375);

  c.frmBrightness = placed(new QGroupBox(QStringLiteral("Helligkeit"), client), QStringLiteral("frmBrightness"), 120, 6360, 2295, 1155);
  c.scrGridBrightness =
      placed(scrollBar(Qt::Horizontal, c.frmBrightness, 0, 255, 80, 16), "scrGridBrightness", 120, 360, 1335, 255);
  c.Label7 = placed(new QLabel(QStringLiteral("Gitter"), c.frmBrightness), QStringLiteral("Label7"), 1560, 360, 375, 255);
  c.scrBckBrightness =
      placed(scrollBar(Qt::Horizontal, c.frmBrightness, 0, 255, 0, 16), "scrBckBrightness", 120, 720, 1335, 255);
  c.Label8 = placed(new QLabel(QStringLiteral("Hintergr."), c.frmBrightness), QStringLiteral("Label8"), 1560, 720, 735, 255);

  c.frmSpecialScreens =
      placed(new QGroupBox(QStringLiteral("Weitere Ansichten"), client), QStringLiteral("frmSpecialScreens"), 120, 7800, 2295, 735);
  c.chkSmall = placed(new QCheckBox(QStringLiteral("Klein"), c.frmSpecialScreens), QStringLiteral("chkSmall"), 240, 360, 975, 255);
  c.chkBW = placed(new QCheckBox(QStringLiteral("Mono"), c.frmSpecialScreens), QStringLiteral("chkBW"), 1320, 360, 855, 255);

  c.lblReflvl = placed(new QLabel(QStringLiteral("Ref: 0 dB"), client), QStringLiteral("lblReflvl"), 2520, 360, 855, 255);
  c.scrReflvl = placed(scrollBar(Qt::Vertical, client, -60, 60, 0, 10), "scrReflvl", 3120, 720, 255, 1455);
  c.Label5 = placed(new QLabel(QStringLiteral("T2 offset:"), client), QStringLiteral("Label5"), 2520, 2400, 855, 255);
  c.lblT2Offset = placed(new QLabel(QStringLiteral("0 dB"), client), QStringLiteral("lblT2Offset"), 2760, 2640, 615, 255);
  c.scrT2Offset = placed(scrollBar(Qt::Vertical, client, -60, 60, 0, 10), "scrT2Offset", 3120, 3000, 255, 1455);
  c.lbldBdiv = placed(new QLabel(QStringLiteral("10 dB/div"), client), QStringLiteral("lbldBdiv"), 2520, 4680, 855, 255);
  c.scrdBdiv = placed(upsideDownBar(client, 2, 10, 10), "scrdBdiv", 3120, 5040, 255, 1215);
  c.lblTime = placed(new QLabel(QStringLiteral("T= 0 ms"), client), QStringLiteral("lblTime"), 2520, 6480, 855, 255);
  c.scrUpdateTime = placed(upsideDownBar(client, 0, 40, 0), "scrUpdateTime", 3120, 6840, 255, 855);

  c.Picture1 = placed(new PictureBox(client), QStringLiteral("Picture1"), 3600, 360, 4815, 4815);
  c.Picture1->setBackColor(Qt::black);
  c.Picture1->Cls();

  c.Label3 = placed(new QLabel(QStringLiteral("F-Min"), client), QStringLiteral("Label3"), 3600, 5280, 495, 255);
  c.txtFMin = placed(new QLineEdit(client), QStringLiteral("txtFMin"), 4080, 5280, 855, 285);
  c.txtMessage = placed(new QPlainTextEdit(QStringLiteral("Messages:"), client), QStringLiteral("txtMessage"), 5160, 5280, 615, 495);
  c.txtMessage->setReadOnly(true);
  c.CmdSwitch = placed(new QPushButton(QStringLiteral("STOP"), client), QStringLiteral("CmdSwitch"), 5520, 5280, 975, 375);
  c.Label2 = placed(new QLabel(QStringLiteral("F-Max"), client), QStringLiteral("Label2"), 7080, 5280, 495, 255);
  c.txtFMax = placed(new QLineEdit(client), QStringLiteral("txtFMax"), 7560, 5280, 855, 285);

  const QFont linkFont = DesignFont(QStringLiteral("Arial"), 9.75);
  c.Label9 = placed(new QLabel(QStringLiteral("Hier findest du alle möglichen Funk-Codes mit Sound-Beispielen."), client),
                    "Label9", 3720, 6000, 4695, 495);
  c.ComSIG = placed(new QPushButton(QStringLiteral("SIGIDWIKI"), client), QStringLiteral("ComSIG"), 3720, 6720, 4695, 375);
  c.Label6 = placed(new QLabel(QStringLiteral("Wenn du nach Software suchst, um kodierte Signale zu entschlüsseln wirst du "
                                              "hier fündig."),
                               client),
                    "Label6", 3720, 7320, 4695, 495);
  c.ComDecode = placed(new QPushButton(QStringLiteral("Decoder Software"), client), QStringLiteral("ComDecode"), 3720, 7920, 4695, 375);
  for (QWidget* w : std::initializer_list<QWidget*>{c.Label9, c.ComSIG, c.Label6, c.ComDecode}) w->setFont(linkFont);
  c.Label9->setWordWrap(true);
  c.Label6->setWordWrap(true);

  c.Timer1 = new ClassicTimer(client, QStringLiteral("Timer1"), 1, false);
  c.Timer1->setHandler([this] { Timer1_Timer(); });

  QObject::connect(c.CmdSwitch, &QPushButton::clicked, client, [this] { CmdSwitch_Click(); });
  QObject::connect(c.cboBins, &QComboBox::activated, client, [this] { cboBins_Click(); });
  QObject::connect(c.cboSRate, &QComboBox::activated, client, [this] { cboSRate_Click(); });
  QObject::connect(c.cmdStore, &QPushButton::clicked, client, [this] { cmdStore_Click(); });
  QObject::connect(c.cmdDisplaytrace, &QPushButton::clicked, client, [this] { cmdDisplaytrace_Click(); });
  QObject::connect(c.cmdTracemath, &QPushButton::clicked, client, [this] { cmdTracemath_Click(); });
  QObject::connect(c.chkBW, &QCheckBox::toggled, client, [this] { chkBW_Click(); });
  QObject::connect(c.chkSmall, &QCheckBox::toggled, client, [this] { chkSmall_Click(); });
  QObject::connect(c.scrAVG, &QScrollBar::valueChanged, client, [this] { scrAVG_Change(); });
  QObject::connect(c.scrGridBrightness, &QScrollBar::valueChanged, client, [this] { scrGridBrightness_Change(); });
  QObject::connect(c.scrBckBrightness, &QScrollBar::valueChanged, client, [this] { scrBckBrightness_Change(); });
  QObject::connect(c.scrReflvl, &QScrollBar::valueChanged, client, [this] { scrReflvl_Change(); });
  QObject::connect(c.scrT2Offset, &QScrollBar::valueChanged, client, [this] { scrT2Offset_Change(); });
  QObject::connect(c.scrdBdiv, &QScrollBar::valueChanged, client, [this] { scrdBdiv_Change(); });
  QObject::connect(c.scrUpdateTime, &QScrollBar::valueChanged, client, [this] { scrUpdateTime_Change(); });
  QObject::connect(c.ComDecode, &QPushButton::clicked, client, [this] { ComDecode_Click(); });
  QObject::connect(c.ComSIG, &QPushButton::clicked, client, [this] { ComSIG_Click(); });
}

}  // namespace zelvora
