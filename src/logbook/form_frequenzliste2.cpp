#include "logbook/form_frequenzliste2.h"

#include "logbook/data_grid.h"
#include "logbook/info_label.h"
#include "platform/design.h"
#include "platform/file_list_box.h"
#include "platform/form_registry.h"
#include "platform/message_box.h"
#include "platform/program_folder.h"
#include "platform/twips.h"
#include "platform/web_link.h"
#include "receiver/form_pcr1000.h"
#include "worldtime/utc_time.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace zelvora {
namespace {

const QString kOpenMessage =
    QStringLiteral("Tabelle muss Tabelle1 heißen! Dateiname ist egal. Oder ist die Tabelle in einem anderen Programm geöffnet?");
const QString kDateMessage = QStringLiteral("Fehler bei der Datumseingabe. Feldname muss \"Datum\" sein.");
const QString kTimeMessage = QStringLiteral("Fehler bei der Eingabe. Feldnamen müssen \"Ortszeit\" und \"UTC\" sein.");
const QString kFormatMessage =
    QStringLiteral("Dateiformat wird nicht unterstützt: nur Excel-Arbeitsmappen 97–2003 (.xls).");
const QString kSheet = QStringLiteral("Tabelle1");
const QString kDefaultWorkbook = QStringLiteral("logbuch-kw.xls");

constexpr double kGridLeft = 240;
constexpr double kGridTop = 1080;
constexpr double kFileListHeight = 870;
constexpr double kOpenWidth = 8655;
constexpr double kOpenHeight = 4700;

QString excelFolder() { return ProgramFolder() + QStringLiteral("\\excel\\"); }

// Runs one step of a sequence; a failing step shows its message and the
// sequence goes on.
void step(bool ok, const QString& message) {
  if (!ok) MsgBox(message, MsgOkOnly);
}

// A size in whole twips as a 16-bit signed value.
std::int16_t savedTwips(double twips) {
  return static_cast<std::int16_t>(std::clamp<long>(std::lround(twips), INT16_MIN, INT16_MAX));
}

QPushButton* button(QWidget* client, const char* name, const QString& caption, double left, double top, double width) {
  auto* b = new QPushButton(caption, client);
  b->setObjectName(QString::fromLatin1(name));
  placeTwips(b, left, top, width, 375);
  return b;
}

}  // namespace

Form_frequenzliste2::Form_frequenzliste2()
    : FormOf(QStringLiteral("Form_frequenzliste2"), QStringLiteral("Logbuch"), {9165, 4545}, Border::Sizable) {}

void Form_frequenzliste2::buildControls(LogbookControls& c, QWidget* client) {
  c.tablist = new FileListBox(client);
  c.tablist->setObjectName(QStringLiteral("tablist"));
  placeTwips(c.tablist, 240, 40, 2535, kFileListHeight);
  // Workbooks copied into the folder while the window is open show up at once.
  c.tablist->setWatching(true);

  c.Comm_excelauf = button(client, "Comm_excelauf", QStringLiteral("Öffnen"), 2880, 120, 975);
  c.Comm_excelzu = button(client, "Comm_excelzu", QStringLiteral("Schließen"), 3960, 120, 975);
  c.Comm_datum = button(client, "Comm_datum", QStringLiteral("Datum"), 5040, 120, 615);
  c.Comm_ortszeit = button(client, "Comm_ortszeit", QStringLiteral("Ortszeit und UTC"), 5760, 120, 1455);
  c.Comm_swinfo = button(client, "Comm_swinfo", QStringLiteral("KW Sender"), 7320, 120, 975);
  c.Comm_websdr = button(client, "Comm_websdr", QStringLiteral("WebSDR"), 7320, 600, 975);

  c.Label_info = new InfoLabel(client);
  c.Label_info->setObjectName(QStringLiteral("Label_info"));
  placeTwips(c.Label_info, 2880, 520, 5295, 495);
  // The label reaches under the "WebSDR" button, which stays on top.
  c.Label_info->lower();

  for (QWidget* w : std::initializer_list<QWidget*>{c.Comm_excelauf, c.Comm_excelzu, c.Comm_datum, c.Comm_ortszeit,
                                                     c.Comm_swinfo, c.Label_info})
    w->setFont(DesignFont(QStringLiteral("Arial"), 8.25));

  c.Data_frequenzen = new DataGrid(client);
  c.Data_frequenzen->setObjectName(QStringLiteral("Data_frequenzen"));
  c.Data_frequenzen->setCaption(kDefaultWorkbook);
  placeTwips(c.Data_frequenzen, kGridLeft, kGridTop, 5655, 2295);
  c.Data_frequenzen->setDoubleClickHandler([this] { Data_frequenzen_DblClick(); });

  QObject::connect(c.Comm_excelauf, &QPushButton::clicked, client, [this] { Comm_excelauf_Click(); });
  QObject::connect(c.Comm_excelzu, &QPushButton::clicked, client, [this] { Comm_excelzu_Click(); });
  QObject::connect(c.Comm_datum, &QPushButton::clicked, client, [this] { Comm_datum_Click(); });
  QObject::connect(c.Comm_ortszeit, &QPushButton::clicked, client, [this] { Comm_ortszeit_Click(); });
  QObject::connect(c.Comm_swinfo, &QPushButton::clicked, client, [this] { Comm_swinfo_Click(); });
  QObject::connect(c.Comm_websdr, &QPushButton::clicked, client, [this] { Comm_websdr_Click(); });
}

void Form_frequenzliste2::pointFileList() {
  ui().tablist->setPath(excelFolder());
  ui().tablist->setPattern(QStringLiteral("*.xls"));
}

QString Form_frequenzliste2::openWorkbook(const QString& path) {
  DataGrid* grid = ui().Data_frequenzen;
  grid->reset();
  // The old result set and connection are replaced; closing them first
  // leaves nothing of the old workbook bound.
  if (m_table) m_table->close();
  m_connection = std::make_unique<LogbookConnection>();
  const xls::FileStatus status = m_connection->open(NativePath(path));
  // A file of another kind is no question of sheet names or of other
  // programs: every step that fails because of it says so.
  const QString message = status == xls::FileStatus::UnsupportedFormat ? kFormatMessage : kOpenMessage;
  step(status == xls::FileStatus::Ok, message);
  m_table = std::make_unique<LogbookTable>();
  step(m_table->open(*m_connection, kSheet), message);
  return message;
}

void Form_frequenzliste2::sizeForOpen() {
  setWidth(kOpenWidth);
  setHeight(kOpenHeight);
  placeTwips(ui().Data_frequenzen, kGridLeft, kGridTop, 8000, std::max(0.0, height() - 700));
}

void Form_frequenzliste2::widenRemarks() {
  DataGrid* grid = ui().Data_frequenzen;
  if (grid->columnCount() < 8) return;
  const int remarks = grid->columnIndex(QStringLiteral("Bemerkungen"));
  step(remarks >= 0, kOpenMessage);
  if (remarks >= 0) grid->setColumnWidthTwips(remarks, 5500);
}

void Form_frequenzliste2::Form_Load() {
  pointFileList();
  const QString path = ProgramFolder() + QStringLiteral("\\excel\\") + kDefaultWorkbook;
  const QString openMessage = openWorkbook(path);
  DataGrid* grid = ui().Data_frequenzen;
  grid->setCaption(kDefaultWorkbook);
  step(grid->bind(m_table.get()), openMessage);
  sizeForOpen();
  ui().Label_info->setText(QStringLiteral("Doppelklick auf Frequenz = Kopie in den Icom PCR1000") + QChar(13) +
                           QStringLiteral("Buttons fügen Datum, Ortszeit, UTC ein"));
  widenRemarks();
  grid->setBothScrollBars();
  grid->setAllowAddNew(true);
  grid->setAllowUpdate(true);
  ui().Comm_excelauf->setEnabled(false);
  ui().Comm_excelzu->setEnabled(true);
}

void Form_frequenzliste2::Comm_excelauf_Click() {
  const std::int16_t keptWidth = savedTwips(width());
  const std::int16_t keptHeight = savedTwips(height());
  pointFileList();
  const QString fileName = ui().tablist->fileName();
  const QString openMessage = openWorkbook(excelFolder() + fileName);
  DataGrid* grid = ui().Data_frequenzen;
  grid->setCaption(fileName);
  step(grid->bind(m_table.get()), openMessage);
  sizeForOpen();
  grid->setBothScrollBars();
  widenRemarks();
  // Adding and editing stay as the load set them up.
  grid->setAllowAddNew(true);
  grid->setAllowUpdate(true);
  ui().Comm_excelauf->setEnabled(false);
  ui().Comm_excelzu->setEnabled(true);
  setWidth(keptWidth);
  setHeight(keptHeight);
}

void Form_frequenzliste2::closeWorkbook() {
  ui().Data_frequenzen->commitEdit();
  if (m_table) m_table->close();
  if (m_connection) m_connection->close();
}

void Form_frequenzliste2::Comm_excelzu_Click() {
  closeWorkbook();
  ui().Comm_excelzu->setEnabled(false);
  ui().Comm_excelauf->setEnabled(true);
}

void Form_frequenzliste2::stamp(const QString& field, const QString& text, const QString& fieldMessage) {
  DataGrid* grid = ui().Data_frequenzen;
  const int column = grid->columnIndex(field);
  const int row = grid->currentRow();
  if (column < 0 || row < 0) {
    step(false, fieldMessage);
    return;
  }
  // The column is there: a write that fails is the file's fault, and the
  // user is told what kept it from being written.
  if (!grid->setCellText(row, column, text)) step(false, grid->table()->writeFailure());
}

void Form_frequenzliste2::Comm_datum_Click() {
  const QString today = LocalDateText();
  stamp(QStringLiteral("Datum"), today, kDateMessage);
}

void Form_frequenzliste2::Comm_ortszeit_Click() {
  const QString local = LocalTimeShortText();
  stamp(QStringLiteral("Ortszeit"), local, kTimeMessage);
  stamp(QStringLiteral("UTC"), UtcTimeText().left(5), kTimeMessage);
}

void Form_frequenzliste2::Comm_swinfo_Click() { OpenWebLink(WebLinkAddress(QStringLiteral("Comm_swinfo"))); }

void Form_frequenzliste2::Comm_websdr_Click() { OpenWebLink(WebLinkAddress(QStringLiteral("Comm_websdr"))); }

void Form_frequenzliste2::Data_frequenzen_DblClick() {
  // Looking at an unloaded receiver panel would load it; an unloaded panel
  // is not visible anyway.
  Form_pcr1000& receiver = form<Form_pcr1000>();
  if (!receiver.isLoaded() || !receiver.visible()) return;
  DataGrid* grid = ui().Data_frequenzen;
  const int row = grid->currentRow();
  if (row < 0) return;
  receiver.Frequenzeingabe()->setText(grid->cellText(row, 0));
}

void Form_frequenzliste2::Form_Resize() {
  // A window smaller than the margins leaves the grid at zero size.
  const double width = std::max(0.0, scaleWidth() - 2 * kGridLeft);
  const double height = std::max(0.0, scaleHeight() - kFileListHeight - 2 * kGridLeft);
  placeTwips(ui().Data_frequenzen, kGridLeft, kGridTop, width, height);
  ui().Data_frequenzen->setBothScrollBars();
}

void Form_frequenzliste2::Form_Unload() { closeWorkbook(); }

}  // namespace zelvora
