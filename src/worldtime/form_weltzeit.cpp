#include "worldtime/form_weltzeit.h"

#include "platform/classic_timer.h"
#include "platform/clock.h"
#include "platform/design.h"
#include "platform/twips.h"
#include "worldtime/city_clock.h"
#include "worldtime/utc_time.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>

namespace zelvora {
namespace {

const QColor kGrey(128, 128, 128);

void setColours(QWidget* widget, const QColor& background, const QColor& text) {
  QPalette palette = widget->palette();
  for (QPalette::ColorRole role : {QPalette::Base, QPalette::Window}) palette.setColor(role, background);
  for (QPalette::ColorRole role : {QPalette::Text, QPalette::WindowText}) palette.setColor(role, text);
  widget->setPalette(palette);
}

QFrame* addFrame(QWidget* parent, const char* name, const QColor& background, const QRect& twips) {
  auto* frame = new QFrame(parent);
  frame->setObjectName(QString::fromLatin1(name));
  frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
  frame->setAutoFillBackground(true);
  setColours(frame, background, Qt::white);
  placeTwips(frame, twips.x(), twips.y(), twips.width(), twips.height());
  return frame;
}

QLineEdit* addField(QFrame* parent, const char* name, int left, int top, const QFont& font) {
  auto* field = new QLineEdit(parent);
  field->setObjectName(QString::fromLatin1(name));
  field->setFont(font);
  // The clock rewrites the fields every second; typing into them is pointless.
  field->setReadOnly(true);
  field->setFocusPolicy(Qt::NoFocus);
  setColours(field, Qt::white, Qt::black);
  placeTwips(field, left, top, 3495, 375);
  return field;
}

// The cities in the order in which they are refreshed.
struct City {
  QLineEdit* WeltzeitControls::*field;
  const char* prefix;
  int offsetHours;
};

const City kCities[] = {
    {&WeltzeitControls::zeit_newyork, "- 5 New York :: ", -5},
    {&WeltzeitControls::zeit_bombay, "+5 Bombay :: ", 5},
    {&WeltzeitControls::zeit_tokio, "+9 Tokio :: ", 9},
    {&WeltzeitControls::zeit_losangeles, "- 8 Los Angeles :: ", -8},
    {&WeltzeitControls::zeit_rio, "- 3 Rio de Janeiro :: ", -3},
    {&WeltzeitControls::zeit_moskau, "+3 Moskau :: ", 3},
    {&WeltzeitControls::zeit_sydney, "+10 Sydney :: ", 10},
};

QString twoDigits(int value) { return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0')); }

}  // namespace

Form_weltzeit::Form_weltzeit()
    : FormOf(QStringLiteral("Form_weltzeit"), QStringLiteral("Weltzeit"), {8565, 3840}, Border::Sizable) {}

void Form_weltzeit::buildControls(WeltzeitControls& c, QWidget* client) {
  client->setAutoFillBackground(true);
  setColours(client, kGrey, Qt::white);

  c.Frame_weltzeit = addFrame(client, "Frame_weltzeit", kGrey, {120, 0, 8295, 2730});
  c.Frame_weltzeit->setFont(DesignFont(QStringLiteral("Microsoft Sans Serif"), 12, true));

  const QFont cityFont = DesignFont(QStringLiteral("Arial"), 9.75, false);
  c.zeit_local = addField(c.Frame_weltzeit, "zeit_local", 480, 510, DesignFont(QStringLiteral("Arial"), 9.75, true));
  setColours(c.zeit_local, Qt::white, QColor(0, 0, 192));
  c.zeit_losangeles = addField(c.Frame_weltzeit, "zeit_losangeles", 480, 990, cityFont);
  c.zeit_newyork = addField(c.Frame_weltzeit, "zeit_newyork", 480, 1470, cityFont);
  c.zeit_rio = addField(c.Frame_weltzeit, "zeit_rio", 480, 1950, cityFont);
  c.zeit_moskau = addField(c.Frame_weltzeit, "zeit_moskau", 4320, 510, cityFont);
  c.zeit_bombay = addField(c.Frame_weltzeit, "zeit_bombay", 4320, 990, cityFont);
  c.zeit_tokio = addField(c.Frame_weltzeit, "zeit_tokio", 4320, 1470, cityFont);
  c.zeit_sydney = addField(c.Frame_weltzeit, "zeit_sydney", 4320, 1950, cityFont);

  c.Label1 = new QLabel(QStringLiteral("<<< = Datum - 1        >>> = Datum +1"), c.Frame_weltzeit);
  c.Label1->setObjectName(QStringLiteral("Label1"));
  c.Label1->setFont(DesignFont(QStringLiteral("Microsoft Sans Serif"), 8.25, false));
  setColours(c.Label1, kGrey, Qt::white);
  placeTwips(c.Label1, 2850, 2400, 2895, 255);
  // A substitute font may be wider than the design's; the legend must stay
  // readable, so the label grows to the right as far as its text needs.
  c.Label1->resize(std::max(c.Label1->width(), c.Label1->sizeHint().width()), c.Label1->height());

  c.Frame_utc = addFrame(client, "Frame_utc", Qt::black, {120, 2760, 8295, 900});
  c.UTC = new QLineEdit(c.Frame_utc);
  c.UTC->setObjectName(QStringLiteral("UTC"));
  c.UTC->setFont(DesignFont(QStringLiteral("Arial"), 24, true));
  c.UTC->setFrame(false);
  c.UTC->setReadOnly(true);
  c.UTC->setFocusPolicy(Qt::NoFocus);
  setColours(c.UTC, Qt::black, QColor(0, 255, 0));
  placeTwips(c.UTC, 880, 180, 6855, 675);

  // A grey strip across the black frame's top edge hides its border line.
  c.Label_abdecker_utc = new QLabel(c.Frame_utc);
  c.Label_abdecker_utc->setObjectName(QStringLiteral("Label_abdecker_utc"));
  c.Label_abdecker_utc->setAutoFillBackground(true);
  setColours(c.Label_abdecker_utc, kGrey, Qt::white);
  placeTwips(c.Label_abdecker_utc, 0, -290, 8335, 375);

  c.Timer_utc = new ClassicTimer(client, QStringLiteral("Timer_utc"), 1000, true);
  c.Timer_utc->setHandler([this] { Timer_utc_Timer(); });
}

void Form_weltzeit::Form_Load() { ui().Timer_utc->setInterval(1000); }

void Form_weltzeit::Timer_utc_Timer() {
  WeltzeitControls& c = ui();
  const QString utcText = UtcTimeText();
  const int utcHour = UtcHour();
  const QDateTime local = Clock::nowLocal();
  const QString localDate = local.date().toString(QStringLiteral("dd.MM.yyyy"));
  const QString minuteSecond = QLatin1Char(':') + twoDigits(local.time().minute()) + QLatin1Char(':') +
                               twoDigits(local.time().second());

  c.UTC->setText(QStringLiteral("UTC   ") + utcText + QStringLiteral("     ") + localDate);
  c.zeit_local->setText(QStringLiteral(" Ortszeit  ") + twoDigits(local.time().hour()) + minuteSecond +
                        QStringLiteral("  ") + localDate);

  for (const City& city : kCities) {
    const int hour = CityHour(utcHour, city.offsetHours);
    QLineEdit* field = c.*city.field;
    field->setText(QString::fromUtf8(city.prefix) + twoDigits(hour) + minuteSecond +
                   CityDateMark(utcHour, city.offsetHours));
    if (IsCityNight(hour)) {
      setColours(field, Qt::black, Qt::white);
    } else {
      setColours(field, Qt::white, Qt::black);
    }
  }
}

}  // namespace zelvora
