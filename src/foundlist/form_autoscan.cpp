#include "foundlist/form_autoscan.h"

#include "app/mdi_zelvora.h"
#include "platform/clipboard/clipboard.h"
#include "platform/design.h"
#include "platform/form_registry.h"
#include "platform/message_box.h"
#include "platform/twips.h"
#include "receiver/form_pcr1000.h"

#include <QEvent>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>

#include <functional>

namespace zelvora {
namespace {

// Gap the main window keeps right of the found list.
constexpr double kMainWindowMargin = 300;

// Line edits have no double-click signal; this turns a left double-click
// into a call of the slot's handler and lets the field react as usual.
class DoubleClickFilter : public QObject {
 public:
  DoubleClickFilter(QObject* field, std::function<void()> handler) : QObject(field), m_handler(std::move(handler)) {}

  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::MouseButtonDblClick &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
      m_handler();
    return false;
  }

 private:
  std::function<void()> m_handler;
};

QPushButton* makeButton(QWidget* client, const char* name, const QString& caption, double left, double width) {
  auto* button = new QPushButton(caption, client);
  button->setObjectName(QString::fromLatin1(name));
  placeTwips(button, left, 5880, width, 375);
  return button;
}

}  // namespace

Form_autoscan::Form_autoscan()
    : FormOf(QStringLiteral("Form_autoscan"), QStringLiteral("Autoscan Frequenzen"), {5400, 6360}, Border::Sizable) {}

QLineEdit* Form_autoscan::autscan(int k) { return ui().autscan.at(static_cast<std::size_t>(k - 1)); }

void Form_autoscan::buildControls(AutoscanControls& c, QWidget* client) {
  c.Label_freqgefund = new QLabel(QStringLiteral("Doppelklick kopiert die Frequenz in die Frequenzeingabe"), client);
  c.Label_freqgefund->setObjectName(QStringLiteral("Label_freqgefund"));
  c.Label_freqgefund->setFont(DesignFont(QStringLiteral("Arial"), 9));
  placeTwips(c.Label_freqgefund, 120, 45, 5175, 255);

  c.Comm_freqfindspeichern = makeButton(client, "Comm_freqfindspeichern", QStringLiteral("Zwischenablage"), 120, 1695);
  c.Comm_freqfindschliess = makeButton(client, "Comm_freqfindschliess", QStringLiteral("Schließen"), 3600, 1695);
  c.Commfreqloesch = makeButton(client, "Commfreqloesch", QStringLiteral("Alle löschen"), 1920, 1575);
  QObject::connect(c.Comm_freqfindspeichern, &QPushButton::clicked, client, [this] { Comm_freqfindspeichern_Click(); });
  QObject::connect(c.Comm_freqfindschliess, &QPushButton::clicked, client, [this] { Comm_freqfindschliess_Click(); });
  QObject::connect(c.Commfreqloesch, &QPushButton::clicked, client, [this] { Commfreqloesch_Click(); });

  // Four columns of fifteen; the list fills down each column in turn.
  constexpr int kRows = 15;
  constexpr double kColumnLeft[] = {120, 1440, 2760, 4080};
  QWidget* previous = c.Commfreqloesch;
  QWidget::setTabOrder(c.Comm_freqfindspeichern, c.Comm_freqfindschliess);
  QWidget::setTabOrder(c.Comm_freqfindschliess, c.Commfreqloesch);
  for (int k = 1; k <= kSlots; ++k) {
    auto* slot = new QLineEdit(client);
    slot->setObjectName(QStringLiteral("autscan%1").arg(k));
    const int column = (k - 1) / kRows;
    const int row = (k - 1) % kRows;
    placeTwips(slot, kColumnLeft[column], 360 + 360 * row, 1215, 285);
    slot->installEventFilter(new DoubleClickFilter(slot, [this, k] { autscan_DblClick(k); }));
    QWidget::setTabOrder(previous, slot);
    previous = slot;
    c.autscan[static_cast<std::size_t>(k - 1)] = slot;
  }
}

void Form_autoscan::Form_Load() {
  // Along the top edge of the frame, directly right of the receiver panel,
  // with the frame widened to hold both.
  auto& panel = form<Form_pcr1000>();
  setLeft(panel.width());
  setTop(0);
  // A maximized or minimized frame keeps the size the user gave it. The
  // main window is loaded whenever a child window is; the check keeps a
  // window used on its own from running the program's start-up.
  auto& main = form<MDIzelvora>();
  if (main.isLoaded() && main.windowState() == WindowState::Normal)
    main.setWidth(panel.width() + width() + kMainWindowMargin);
}

void Form_autoscan::autscan_DblClick(int k) {
  // Only the entry field changes; the receiver is retuned when the user
  // confirms the entry on the panel.
  form<Form_pcr1000>().Frequenzeingabe()->setText(autscan(k)->text());
}

void Form_autoscan::Comm_freqfindspeichern_Click() {
  QStringList texts;
  for (QLineEdit* slot : ui().autscan) texts.append(slot->text());
  if (!SetClipboardText(texts.join(QLatin1Char('\r'))))
    MsgBox(QStringLiteral("Die Frequenzliste konnte nicht in die Zwischenablage kopiert werden."),
           MsgOkOnly | MsgExclamation);
}

void Form_autoscan::Commfreqloesch_Click() {
  for (QLineEdit* slot : ui().autscan) slot->setText(QString());
  for (QLineEdit* slot : ui().autscan) slot->setReadOnly(false);
}

void Form_autoscan::Comm_freqfindschliess_Click() { unload(); }

}  // namespace zelvora
