#pragma once

#include "logbook/logbook_connection.h"
#include "logbook/logbook_table.h"
#include "platform/form.h"

#include <memory>

class QLabel;
class QPushButton;

namespace zelvora {

class DataGrid;
class FileListBox;

struct LogbookControls {
  FileListBox* tablist = nullptr;
  QPushButton* Comm_excelauf = nullptr;
  QPushButton* Comm_excelzu = nullptr;
  QPushButton* Comm_datum = nullptr;
  QPushButton* Comm_ortszeit = nullptr;
  QPushButton* Comm_swinfo = nullptr;
  QPushButton* Comm_websdr = nullptr;
  QLabel* Label_info = nullptr;
  DataGrid* Data_frequenzen = nullptr;
};

// The logbook: one sheet "Tabelle1" of a workbook in the "\excel\" folder
// in an editable grid, with stamps for date and times and a double-click
// that copies the first column into the receiver panel's entry field.
class Form_frequenzliste2 : public FormOf<LogbookControls> {
 public:
  Form_frequenzliste2();

  void Comm_excelauf_Click();
  void Comm_excelzu_Click();
  void Comm_datum_Click();
  void Comm_ortszeit_Click();
  void Comm_swinfo_Click();
  void Comm_websdr_Click();
  void Data_frequenzen_DblClick();

 protected:
  void buildControls(LogbookControls& c, QWidget* client) override;
  void Form_Load() override;
  void Form_Resize() override;
  void Form_Unload() override;

 private:
  void pointFileList();
  // Unbinds the grid and opens a new connection and result set on the
  // workbook, reporting each failing step. Returns the message for the
  // open's further failing steps.
  QString openWorkbook(const QString& path);
  void sizeForOpen();
  void widenRemarks();
  void stamp(const QString& field, const QString& text, const QString& fieldMessage);
  void closeWorkbook();

  std::unique_ptr<LogbookConnection> m_connection;
  std::unique_ptr<LogbookTable> m_table;
};

}  // namespace zelvora
