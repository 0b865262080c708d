// The receiver panel's controls at their design places (twips, relative to
// their container) with their design values.

#include "platform/classic_timer.h"
#include "platform/design.h"
#include "platform/twips.h"
#include "receiver/form_pcr1000.h"
#include "receiver/panel_widgets.h"
#include "receiver/print_box.h"
#include "receiver/receiver_link.h"
#include "receiver/tuning_steps.h"

#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QSlider>
#include <QStatusBar>

namespace zelvora {
namespace {

const QColor kLightGrey(192, 192, 192);

void colours(QWidget* w, const QColor& fore, const QColor& back) {
  QPalette p = w->palette();
  p.setColor(QPalette::WindowText, fore);
  p.setColor(QPalette::Window, back);
  w->setPalette(p);
  w->setAutoFillBackground(true);
}

QLabel* label(QWidget* parent, const QString& name, const QString& text, double l, double t, double w, double h) {
  return placed(new QLabel(text, parent), name, l, t, w, h);
}

QFrame* frame(QWidget* parent, const QString& name, double l, double t, double w, double h) {
  auto* f = placed(new QFrame(parent), name, l, t, w, h);
  f->setFrameShape(QFrame::Box);
  f->setFrameShadow(QFrame::Sunken);
  return f;
}

QGroupBox* group(QWidget* parent, const QString& name, const QString& caption, double l, double t, double w, double h) {
  return placed(new QGroupBox(caption, parent), name, l, t, w, h);
}

QPushButton* button(QWidget* parent, const QString& name, const QString& caption, double l, double t, double w, double h) {
  return placed(new QPushButton(caption, parent), name, l, t, w, h);
}

TextField* edit(QWidget* parent, const QString& name, const QString& text, double l, double t, double w, double h) {
  auto* e = new TextField(parent, name, text);
  placeTwips(e, l, t, w, h);
  return e;
}

QSlider* slider(QWidget* parent, const QString& name, double l, double t, double w, double h) {
  auto* s = placed(new QSlider(Qt::Horizontal, parent), name, l, t, w, h);
  s->setRange(0, 255);
  s->setValue(0);
  return s;
}

}  // namespace

void Form_pcr1000::buildControls(Pcr1000Controls& c, QWidget* client) {
  colours(client, Qt::black, kLightGrey);

  // Black top strip with the status bar, and the signal bar over it.
  c.Frame5 = frame(client, QStringLiteral("Frame5"), 120, 0, 7455, 735);
  colours(c.Frame5, Qt::white, Qt::black);
  c.StatusBar1 = new QStatusBar(c.Frame5);
  c.StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
  c.StatusBar1->setSizeGripEnabled(false);
  placeTwips(c.StatusBar1, 0, 465, 7455, 270);
  for (int i = 1; i <= 7; ++i) {
    auto* panel = new QLabel(c.StatusBar1);
    panel->setObjectName(QStringLiteral("StatusBar1_Panel%1").arg(i));
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    c.StatusBar1->addWidget(panel, 1);
  }
  c.abdeck_signmeter = label(c.Frame5, QStringLiteral("abdeck_signmeter"), QString(), 0, -88, 7695, 200);
  colours(c.abdeck_signmeter, Qt::black, kLightGrey);
  c.SignalStrengthMeter = new PrintBox(client, QStringLiteral("SignalStrengthMeter"), Qt::black);
  placeTwips(c.SignalStrengthMeter, 240, 270, 7095, 270);
  c.SignalStrengthMeter->setFont(DesignFont(QStringLiteral("Arial"), 14.25, true));
  c.SignalStrengthMeter->setToolTip(QStringLiteral("Signalstärke an/aus"));
  c.Label_signal = label(c.SignalStrengthMeter, QStringLiteral("Label_signal"), QStringLiteral("SIGNAL: "), 6120, 24, 1335, 225);
  colours(c.Label_signal, Qt::white, QColor(64, 64, 64));
  c.Label_signal->setFont(DesignFont(QStringLiteral("Arial"), 8.25, true));

  // Frequency display with the lamp and the attenuator warning.
  c.Frame4 = frame(client, QStringLiteral("Frame4"), 120, 810, 7455, 735);
  c.abdecker = label(c.Frame4, QStringLiteral("abdecker"), QString(), 0, 0, 7455, 101);
  colours(c.abdecker, Qt::black, kLightGrey);
  c.DisplayFrequency = new PrintBox(client, QStringLiteral("DisplayFrequency"), Qt::black);
  placeTwips(c.DisplayFrequency, 240, 990, 7215, 495);
  c.DisplayFrequency->setFont(DesignFont(QStringLiteral("Arial"), 21.75, true));
  c.DisplayFrequency->setForeColor(Qt::red);
  c.Picsun = new PictureImage(c.DisplayFrequency, QStringLiteral("Picsun"));
  // The lamp sits between the printed frequency and the attenuator warning.
  placeTwips(c.Picsun, 5400, 67, 360, 360);
  c.Label_att = label(c.DisplayFrequency, QStringLiteral("Label_att"), QString(), 5840, 142, 1575, 495);
  colours(c.Label_att, Qt::yellow, Qt::black);
  c.Label_att->setAutoFillBackground(false);
  c.Label_att->setFont(DesignFont(QStringLiteral("Arial"), 9.75, true));

  // Row of picture buttons.
  c.Frame_buttons = frame(client, QStringLiteral("Frame_buttons"), 120, 1620, 7455, 975);
  const auto pictureButton = [&](PictureButton*& b, const char* name, double left) {
    b = new PictureButton(client, QString::fromLatin1(name));
    placeTwips(b, left, 1965, 975, 375);
  };
  pictureButton(c.RadioOn, "RadioOn", 435);
  pictureButton(c.RadioOff, "RadioOff", 1410);
  pictureButton(c.FrequencyDown, "FrequencyDown", 2385);
  pictureButton(c.FrequencyUp, "FrequencyUp", 3360);
  pictureButton(c.Direct, "Direct", 4335);
  pictureButton(c.Scan, "Scan", 5310);
  pictureButton(c.Exit, "Exit", 6285);
  c.RadioOff->setPicture(PanelPicture("but_radiooff.jpg"));
  c.FrequencyDown->setPicture(PanelPicture("but_down.jpg"));
  c.FrequencyUp->setPicture(PanelPicture("but_up.jpg"));
  c.Direct->setPicture(PanelPicture("but_direct.jpg"));
  c.Exit->setPicture(PanelPicture("but_exit.jpg"));
  c.RadioOn->setToolTip(QStringLiteral("Empfänger ein"));
  c.RadioOff->setToolTip(QStringLiteral("Empfänger aus"));
  c.FrequencyDown->setToolTip(QStringLiteral("Einen Schritt abwärts"));
  c.FrequencyUp->setToolTip(QStringLiteral("Einen Schritt aufwärts"));
  c.Direct->setToolTip(QStringLiteral("Frequenz in die Eingabe kopieren"));
  c.Scan->setToolTip(QStringLiteral("Suchlauf"));
  c.Exit->setToolTip(QStringLiteral("Ausschalten, sichern und schließen"));

  // Entry row.
  c.Check_lock = new ValueCheckBox(client, QStringLiteral("Check_lock"), QStringLiteral("LOCK"));
  placeTwips(c.Check_lock, 4350, 2760, 720, 330);
  c.Check_lock->setToolTip(QStringLiteral("Pfeiltasten deaktivieren"));
  // Beside the tick box the panel's 8.25 pt would cut "LOCK".
  c.Check_lock->setFont(DesignFont(QStringLiteral("Arial"), 7.5));
  c.but_fqeingabe = button(client, QStringLiteral("but_fqeingabe"), QStringLiteral("FREQUENZ"), 5130, 2760, 1155, 330);
  c.Frequenzeingabe = edit(client, QStringLiteral("Frequenzeingabe"), QStringLiteral("99.1"), 6345, 2760, 1230, 330);

  // Settings area.
  c.Frame_schieber = frame(client, QStringLiteral("Frame_schieber"), 120, 3150, 7455, 3015);
  c.Back = new PrintBox(client, QStringLiteral("Back"), kLightGrey);
  placeTwips(c.Back, 240, 3360, 7215, 2655);
  QWidget* back = c.Back;

  const QFont fieldFont = DesignFont(QStringLiteral("Arial"), 8.25, false);
  c.VolumeFrame = group(back, QStringLiteral("VolumeFrame"), QStringLiteral("Lautstärke"), 120, 120, 2295, 735);
  c.Volume = slider(c.VolumeFrame, QStringLiteral("Volume"), 120, 300, 1455, 255);
  c.lswert = edit(c.VolumeFrame, QStringLiteral("lswert"), QString(), 1680, 270, 495, 315);
  c.SquelchFrame = group(back, QStringLiteral("SquelchFrame"), QStringLiteral("Squelch"), 120, 960, 2295, 732);
  c.Squelch = slider(c.SquelchFrame, QStringLiteral("Squelch"), 120, 300, 1455, 255);
  c.sqwert = edit(c.SquelchFrame, QStringLiteral("sqwert"), QString(), 1680, 270, 495, 315);
  // The frames' caption emphasis must not spread to the fields inside.
  c.lswert->setFont(fieldFont);
  c.sqwert->setFont(fieldFont);
  c.IfShiftFrame = group(back, QStringLiteral("IfShiftFrame"), QStringLiteral("IF Shift"), 120, 1800, 2295, 732);
  c.IfShift = slider(c.IfShiftFrame, QStringLiteral("IfShift"), 120, 300, 2055, 255);
  c.Command1 = button(back, QStringLiteral("Command1"), QStringLiteral("><"), 1080, 2400, 375, 255);

  c.TuningStepFrame = group(back, QStringLiteral("TuningStepFrame"), QStringLiteral("Schrittweite"), 2640, 120, 1692, 972);
  c.TuningStep = placed(new QComboBox(c.TuningStepFrame), QStringLiteral("TuningStep"), 120, 360, 1452, 345);
  c.TuningStep->addItems(TuningStepEntries());
  c.TuningStep->setCurrentIndex(-1);

  c.ImproveSignalFrame = group(back, QStringLiteral("ImproveSignalFrame"), QStringLiteral("Signal"), 2640, 1200, 1692, 1332);
  const auto check = [&](ValueCheckBox*& box, const char* name, double l, double t, const char* tip) {
    box = new ValueCheckBox(c.ImproveSignalFrame, QString::fromLatin1(name), QString::fromLatin1(name));
    placeTwips(box, l, t, 732, 348);
    box->setToolTip(QString::fromUtf8(tip));
    box->setAutoFillBackground(true);
    box->setFont(fieldFont);
  };
  check(c.AFC, "AFC", 120, 480, "Automatische Frequenzkontrolle");
  check(c.AGC, "AGC", 847, 480, "Automatische Verstärkungskontrolle");
  check(c.ATT, "ATT", 120, 840, "Signalabschwächer");
  check(c.NB, "NB", 847, 840, "Noise Blanker");

  c.ModeFrame = group(back, QStringLiteral("ModeFrame"), QStringLiteral("Modus"), 4560, 120, 972, 2412);
  const auto mode = [&](OptionButton*& option, const char* name, double top) {
    option = new OptionButton(c.ModeFrame, QString::fromLatin1(name), QString::fromLatin1(name));
    placeTwips(option, 120, top, 732, 330);
  };
  mode(c.AM, "AM", 360);
  mode(c.FM, "FM", 690);
  mode(c.WFM, "WFM", 1020);
  mode(c.USB, "USB", 1350);
  mode(c.LSB, "LSB", 1680);
  mode(c.CW, "CW", 2010);

  c.FilterFrame = group(back, QStringLiteral("FilterFrame"), QStringLiteral("Filter"), 5760, 120, 1332, 2412);
  const char* filterCaptions[] = {"2.8 KHz", "6 KHz", "15 KHz", "50 KHz", "230 KHz"};
  for (int i = 0; i < 5; ++i) {
    c.Filter[i] = new OptionButton(c.FilterFrame, QStringLiteral("Filter%1").arg(i + 1), QString::fromLatin1(filterCaptions[i]));
    placeTwips(c.Filter[i], 120, 360 + 360 * i, 1092, 360);
  }

  // Scan and port row.
  c.Label_sc1 = label(client, QStringLiteral("Label_sc1"), QStringLiteral("SC1"), 2190, 6180, 375, 255);
  c.Label_sc1->setToolTip(QStringLiteral("Startfrequenz Doppelklick"));
  c.Text_scan1 = edit(client, QStringLiteral("Text_scan1"), QStringLiteral("144"), 2640, 6150, 735, 315);
  c.Label_sc2 = label(client, QStringLiteral("Label_sc2"), QStringLiteral("SC2"), 3480, 6180, 375, 255);
  c.Label_sc2->setToolTip(QStringLiteral("Stopfrequenz"));
  c.Text_scan2 = edit(client, QStringLiteral("Text_scan2"), QStringLiteral("146"), 3960, 6150, 735, 315);
  c.Comm_comport = button(client, QStringLiteral("Comm_comport"), QStringLiteral("COM Port"), 4875, 6195, 1200, 240);
  c.Comm_comport->setToolTip(QStringLiteral("Info Gerätemanager"));
  c.COM_eingabe = edit(client, QStringLiteral("COM_eingabe"), QStringLiteral("1"), 6120, 6150, 495, 315);
  c.Comm_tipps = button(client, QStringLiteral("Comm_tipps"), QStringLiteral("TIPS"), 6840, 6195, 735, 240);

  // Memory slots: four columns (frequency, name, frequency, name), eight
  // rows; the first row holds slots 17 and 9.
  c.Frame3 = group(client, QStringLiteral("Frame3"), QStringLiteral("16 Speicherplätze"), 120, 6360, 7455, 3615);
  const auto slotRow = [](int slot) { return slot == 17 ? 0 : slot <= 8 ? slot - 1 : slot - 9; };
  for (int slot = 2; slot <= 17; ++slot) {
    const bool leftPair = slot == 17 || slot <= 8;
    const double top = 360 + 330 * slotRow(slot);
    c.sp[slot] = edit(c.Frame3, QStringLiteral("sp%1").arg(slot), QString(), leftPair ? 270 : 3780, top, 1695, 330);
    c.sn[slot] = edit(c.Frame3, QStringLiteral("sn%1").arg(slot), QString(), leftPair ? 1965 : 5475, top, 1695, 330);
  }
  c.Comm_speichern = button(c.Frame3, QStringLiteral("Comm_speichern"), QStringLiteral("DATEN SPEICHERN"), 270, 3120, 3414, 350);
  c.utc_hintergr = new PrintBox(c.Frame3, QStringLiteral("utc_hintergr"), Qt::black);
  placeTwips(c.utc_hintergr, 3800, 3120, 3375, 340);
  c.Label_utc = label(c.utc_hintergr, QStringLiteral("Label_utc"), QStringLiteral("UTC"), 80, 45, 1515, 375);
  c.Label_utc->setFont(DesignFont(QStringLiteral("Arial"), 9.75, true));
  colours(c.Label_utc, Qt::green, Qt::black);
  c.Label_local = label(c.utc_hintergr, QStringLiteral("Label_local"), QStringLiteral("Lokal"), 1760, 45, 1695, 255);
  c.Label_local->setFont(DesignFont(QStringLiteral("Arial"), 9.75, true));
  colours(c.Label_local, Qt::yellow, Qt::black);

  c.MSComm1 = CreatePort(client);
  c.link = std::make_unique<ReceiverLink>(c.MSComm1);
  c.Timer1 = new ClassicTimer(client, QStringLiteral("Timer1"), 0, false);
  c.Timer2 = new ClassicTimer(client, QStringLiteral("Timer2"), 0, false);
  c.Timer3 = new ClassicTimer(client, QStringLiteral("Timer3"), 0, false);
  c.Timer4 = new ClassicTimer(client, QStringLiteral("Timer4"), 0, false);
  c.Timer_utc = new ClassicTimer(client, QStringLiteral("Timer_utc"), 0, false);

  connectHandlers(c);
}

}  // namespace zelvora
