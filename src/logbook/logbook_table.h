#pragma once

#include "logbook/logbook_connection.h"

#include <QAbstractTableModel>

#include <memory>

namespace zelvora {

// The result set over one sheet of the workbook: its first row names the
// fields, every further row is a record. Edits are written through to the
// file at once; with adding allowed, one empty row after the last record
// takes a new record.
class LogbookTable : public QAbstractTableModel {
  Q_OBJECT

 public:
  using QAbstractTableModel::QAbstractTableModel;

  bool open(const LogbookConnection& connection, const QString& sheetName);
  void close();
  bool isOpen() const { return m_sheet != nullptr; }

  int recordCount() const;
  int fieldCount() const;
  QString fieldName(int field) const;
  // The field of that name (letter case ignored), or -1.
  int fieldIndex(const QString& name) const;
  QString text(int record, int field) const;
  // Writes a cell and saves the file. As text, or, where the column holds
  // numbers and the text reads as one, as a number. A failed save leaves
  // the table as the file still is and returns false.
  //
  // When another program has saved the workbook since it was read, the
  // write goes into the file as that program left it: same record and
  // field, a new record after that program's last one. The user is told
  // once that the workbook was read again.
  bool write(int record, int field, const QString& text, bool asText);
  // The message for the last write that failed: the grid's write-failure
  // text and, on the next line, why.
  QString writeFailure() const;

  void setAllowAddNew(bool allow);
  void setAllowUpdate(bool allow) { m_allowUpdate = allow; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;

 private:
  bool storesNumbers(int record, int field) const;
  int sheetRecords() const;
  bool fail(const QString& reason);
  // Reads the workbook from disk in place of the copy shown, showing at
  // least `shown` records; the copy stays when the file cannot be read.
  xls::FileStatus readAgain(xls::WorkbookFile::Lock lock, int shown);
  void reload();

  std::shared_ptr<xls::WorkbookFile> m_file;
  xls::SheetTable* m_sheet = nullptr;
  QString m_sheetName;
  // Records shown: a record emptied by an edit stays in the grid until the
  // workbook is opened again.
  int m_shownRecords = 0;
  bool m_allowAddNew = false;
  bool m_allowUpdate = false;
  QString m_failureReason;
};

}  // namespace zelvora
