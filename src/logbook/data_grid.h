#pragma once

#include <QPoint>
#include <QWidget>

#include <functional>
#include <vector>

class QLabel;
class QTableView;

namespace zelvora {

class LogbookTable;

// The data grid: a caption bar over a table view bound to a result set.
class DataGrid : public QWidget {
  Q_OBJECT

 public:
  explicit DataGrid(QWidget* parent = nullptr);

  // Unbinds the result set so the next one shows exactly its own columns.
  void reset();
  // Binds a result set; false when it is not open.
  bool bind(LogbookTable* table);
  // Hands an entry still being typed to the result set, as leaving the
  // cell does.
  void commitEdit();
  LogbookTable* table() const { return m_table; }

  void setCaption(const QString& caption);
  QString caption() const;
  void setBothScrollBars();
  void setAllowAddNew(bool allow);
  void setAllowUpdate(bool allow);

  int columnCount() const;
  // The column of that name, or -1.
  int columnIndex(const QString& name) const;
  void setColumnWidthTwips(int column, double twips);
  double columnWidthTwips(int column) const;

  // The current row: the row of the current cell, or the first row when
  // no cell was chosen yet; -1 when there are no rows.
  int currentRow() const;
  QString cellText(int row, int column) const;
  bool setCellText(int row, int column, const QString& text);

  QTableView* view() const { return m_view; }
  void setDoubleClickHandler(std::function<void()> handler) { m_onDoubleClick = std::move(handler); }

 private:
  // Widens each column to show its texts in full, up to a limit.
  void fitColumns();

  QLabel* m_caption;
  QTableView* m_view;
  LogbookTable* m_table = nullptr;
  // The current cell (column, row) and the column widths while the result
  // set is read again.
  QPoint m_keptCell{-1, -1};
  std::vector<int> m_keptWidths;
  std::function<void()> m_onDoubleClick;
};

}  // namespace zelvora
