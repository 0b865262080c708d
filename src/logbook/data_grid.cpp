#include "logbook/data_grid.h"

#include "logbook/logbook_table.h"
#include "platform/twips.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace zelvora {
namespace {

// Rows looked at when a column is fitted to its texts: enough to see what a
// column holds, few enough that a long logbook still opens at once.
constexpr int kFitRows = 100;
// No column is fitted wider than the remarks column.
constexpr double kWidestColumnTwips = 5500;

}  // namespace

DataGrid::DataGrid(QWidget* parent) : QWidget(parent), m_caption(new QLabel(this)), m_view(new QTableView(this)) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  m_caption->setObjectName(QStringLiteral("caption"));
  m_caption->setAlignment(Qt::AlignCenter);
  m_caption->setFrameShape(QFrame::Panel);
  m_caption->setFrameShadow(QFrame::Raised);
  m_view->setObjectName(QStringLiteral("view"));
  // A double-click copies the frequency; editing starts by typing, F2 or
  // a click into the current cell.
  m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
  m_view->setSelectionMode(QAbstractItemView::SingleSelection);
  m_view->verticalHeader()->setDefaultSectionSize(m_view->fontMetrics().height() + 6);
  m_view->verticalHeader()->setResizeContentsPrecision(kFitRows);
  layout->addWidget(m_caption);
  layout->addWidget(m_view, 1);
  connect(m_view, &QTableView::doubleClicked, this, [this] {
    if (m_onDoubleClick) m_onDoubleClick();
  });
}

void DataGrid::reset() {
  if (m_table) disconnect(m_table, nullptr, this, nullptr);
  m_view->setModel(nullptr);
  m_table = nullptr;
}

bool DataGrid::bind(LogbookTable* table) {
  if (!table || !table->isOpen()) return false;
  if (m_table) disconnect(m_table, nullptr, this, nullptr);
  m_table = table;
  m_view->setModel(table);
  // The result set reads the workbook again after another program saved it
  // or after a failed write; the user stays on the cell being stamped and
  // the columns keep their widths.
  connect(table, &QAbstractItemModel::modelAboutToBeReset, this, [this] {
    const QModelIndex current = m_view->currentIndex();
    m_keptCell = current.isValid() ? QPoint(current.column(), current.row()) : QPoint(-1, -1);
    m_keptWidths.clear();
    for (int column = 0; column < m_view->horizontalHeader()->count(); ++column)
      m_keptWidths.push_back(m_view->columnWidth(column));
  });
  connect(table, &QAbstractItemModel::modelReset, this, [this] {
    for (int column = 0; column < std::min(static_cast<int>(m_keptWidths.size()), m_table->columnCount()); ++column)
      m_view->setColumnWidth(column, m_keptWidths[static_cast<std::size_t>(column)]);
    if (m_keptCell.y() >= 0 && m_keptCell.y() < m_table->rowCount() && m_keptCell.x() < m_table->columnCount())
      m_view->setCurrentIndex(m_table->index(m_keptCell.y(), m_keptCell.x()));
  });
  m_view->horizontalHeader()->reset();
  fitColumns();
  m_view->clearSelection();
  return true;
}

void DataGrid::commitEdit() {
  // Leaving the edited cell commits its editor.
  if (m_view->indexWidget(m_view->currentIndex())) m_view->setCurrentIndex({});
}

void DataGrid::fitColumns() {
  QHeaderView* header = m_view->horizontalHeader();
  const int narrowest = header->defaultSectionSize();
  const int widest = twipsToPixels(kWidestColumnTwips);
  for (int column = 0; column < header->count(); ++column) {
    m_view->resizeColumnToContents(column);
    m_view->setColumnWidth(column, std::clamp(m_view->columnWidth(column), narrowest, widest));
  }
}

void DataGrid::setCaption(const QString& caption) { m_caption->setText(caption); }

QString DataGrid::caption() const { return m_caption->text(); }

void DataGrid::setBothScrollBars() {
  // Both bars stay in place, also while everything fits.
  m_view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  m_view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

void DataGrid::setAllowAddNew(bool allow) {
  if (m_table) m_table->setAllowAddNew(allow);
}

void DataGrid::setAllowUpdate(bool allow) {
  if (m_table) m_table->setAllowUpdate(allow);
  m_view->setEditTriggers(allow ? QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed |
                                      QAbstractItemView::SelectedClicked
                                : QAbstractItemView::NoEditTriggers);
}

int DataGrid::columnCount() const { return m_table ? m_table->fieldCount() : 0; }

int DataGrid::columnIndex(const QString& name) const { return m_table ? m_table->fieldIndex(name) : -1; }

void DataGrid::setColumnWidthTwips(int column, double twips) { m_view->setColumnWidth(column, twipsToPixels(twips)); }

double DataGrid::columnWidthTwips(int column) const { return pixelsToTwips(m_view->columnWidth(column)); }

int DataGrid::currentRow() const {
  if (!m_table || m_table->rowCount() == 0) return -1;
  const QModelIndex current = m_view->currentIndex();
  return current.isValid() ? current.row() : 0;
}

QString DataGrid::cellText(int row, int column) const { return m_table ? m_table->text(row, column) : QString(); }

bool DataGrid::setCellText(int row, int column, const QString& text) {
  return m_table && m_table->write(row, column, text, true);
}

}  // namespace zelvora
