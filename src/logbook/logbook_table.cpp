#include "logbook/logbook_table.h"

#include "platform/message_box.h"

#include <QLocale>

#include <cmath>

namespace zelvora {
namespace {

const QString kWriteFailed = QStringLiteral("Die Änderung konnte nicht in die Arbeitsmappe geschrieben werden.");
const QString kChangedOutside =
    QStringLiteral("Die Arbeitsmappe wurde außerhalb von Zelvora geändert und neu geladen.");

QString reasonFor(xls::FileStatus status) {
  switch (status) {
    case xls::FileStatus::ReadOnly:
      return QStringLiteral("Die Arbeitsmappe ist schreibgeschützt.");
    case xls::FileStatus::Locked:
      return QStringLiteral("Die Arbeitsmappe ist in einem anderen Programm geöffnet.");
    case xls::FileStatus::DiskFull:
      return QStringLiteral("Auf dem Datenträger ist kein Platz mehr frei.");
    case xls::FileStatus::Missing:
      return QStringLiteral("Die Arbeitsmappe ist nicht mehr vorhanden.");
    case xls::FileStatus::WriteFailed:
      return QStringLiteral("Beim Schreiben der Datei ist ein Fehler aufgetreten.");
    default:
      return QStringLiteral("Die Arbeitsmappe wurde außerhalb von Zelvora geändert und lässt sich nicht mehr lesen.");
  }
}

// A finite number only: the parser also reads "inf" and "nan", which a
// spreadsheet cell cannot hold as a number.
bool readNumber(QString text, double& number) {
  bool ok = false;
  number = QLocale::c().toDouble(text.trimmed().replace(QLatin1Char(','), QLatin1Char('.')), &ok);
  return ok && std::isfinite(number);
}

}  // namespace

bool LogbookTable::open(const LogbookConnection& connection, const QString& sheetName) {
  beginResetModel();
  m_file = connection.file();
  m_sheet = m_file ? m_file->workbook().sheet(sheetName.toStdString()) : nullptr;
  if (!m_sheet) m_file.reset();
  m_sheetName = sheetName;
  m_shownRecords = sheetRecords();
  endResetModel();
  return m_sheet != nullptr;
}

void LogbookTable::close() {
  beginResetModel();
  m_sheet = nullptr;
  m_shownRecords = 0;
  m_file.reset();
  endResetModel();
}

int LogbookTable::sheetRecords() const { return m_sheet ? std::max(0, m_sheet->rowCount() - 1) : 0; }

int LogbookTable::recordCount() const { return m_sheet ? m_shownRecords : 0; }

int LogbookTable::fieldCount() const { return m_sheet ? m_sheet->columnCount() : 0; }

QString LogbookTable::fieldName(int field) const {
  if (!m_sheet || field < 0 || field >= fieldCount()) return {};
  const QString name = QString::fromStdString(m_sheet->value(0, field).text);
  // A column without a name gets the name the classic spreadsheet driver
  // gave it.
  return name.isEmpty() ? QStringLiteral("F%1").arg(field + 1) : name;
}

int LogbookTable::fieldIndex(const QString& name) const {
  for (int field = 0; field < fieldCount(); ++field)
    if (fieldName(field).compare(name, Qt::CaseInsensitive) == 0) return field;
  return -1;
}

QString LogbookTable::text(int record, int field) const {
  if (!m_sheet || record < 0) return {};
  return QString::fromStdString(m_sheet->value(record + 1, field).text);
}

bool LogbookTable::storesNumbers(int record, int field) const {
  const xls::CellValue& cell = m_sheet->value(record + 1, field);
  if (cell.type == xls::CellType::Number) return true;
  return cell.type == xls::CellType::Empty && record > 0 && m_sheet->value(record, field).type == xls::CellType::Number;
}

bool LogbookTable::fail(const QString& reason) {
  m_failureReason = reason;
  return false;
}

QString LogbookTable::writeFailure() const { return kWriteFailed + QLatin1Char('\n') + m_failureReason; }

bool LogbookTable::write(int record, int field, const QString& text, bool asText) {
  if (!m_sheet) return fail(QStringLiteral("Es ist keine Arbeitsmappe geöffnet."));
  if (record < 0 || record > m_shownRecords || field < 0 || field >= fieldCount())
    return fail(QStringLiteral("Die Zelle liegt außerhalb der Tabelle."));
  const bool readAgainFirst = m_file->changedOnDisk();
  if (readAgainFirst) {
    const int readRecords = sheetRecords();
    const xls::FileStatus status = readAgain(xls::WorkbookFile::Lock::Respect, 0);
    if (status != xls::FileStatus::Ok) return fail(reasonFor(status));
    // A record typed below the old last one must not land on a record the
    // other program added there.
    if (record >= readRecords) record += sheetRecords() - readRecords;
    if (field >= fieldCount()) return fail(QStringLiteral("Die Zelle liegt außerhalb der Tabelle."));
  }
  if (record + 1 >= xls::SheetTable::kMaxRows) return fail(QStringLiteral("Das Tabellenblatt hat keine weitere Zeile."));
  const int before = rowCount();
  double number = 0;
  const bool changed = (!asText && storesNumbers(record, field) && readNumber(text, number))
                           ? m_file->workbook().setNumber(*m_sheet, record + 1, field, number)
                           : m_file->workbook().setText(*m_sheet, record + 1, field, text.toStdString());
  if (!changed)
    return fail(QStringLiteral("Die Zelle gehört zu einer Matrixformel oder Datentabelle, die nur als Ganzes geändert werden kann."));
  const xls::FileStatus saved = m_file->save();
  if (saved != xls::FileStatus::Ok) {
    reload();
    return fail(reasonFor(saved));
  }
  const int added = sheetRecords() - m_shownRecords;
  if (added > 0) {
    beginInsertRows({}, before, before + added - 1);
    m_shownRecords += added;
    endInsertRows();
  }
  emit dataChanged(index(record, field), index(record, field));
  if (readAgainFirst) MsgBox(kChangedOutside);
  return true;
}

xls::FileStatus LogbookTable::readAgain(xls::WorkbookFile::Lock lock, int shown) {
  auto file = std::make_shared<xls::WorkbookFile>();
  const xls::FileStatus status = file->open(m_file->path(), lock);
  if (status != xls::FileStatus::Ok) return status;
  xls::SheetTable* sheet = file->workbook().sheet(m_sheetName.toStdString());
  if (!sheet) return xls::FileStatus::NotWorkbook;
  beginResetModel();
  m_file = std::move(file);
  m_sheet = sheet;
  m_shownRecords = std::max(shown, sheetRecords());
  endResetModel();
  return xls::FileStatus::Ok;
}

void LogbookTable::reload() {
  // The file on disk is still the last good one: read it again, also when
  // another program has opened it since.
  if (readAgain(xls::WorkbookFile::Lock::Ignore, m_shownRecords) == xls::FileStatus::Ok) return;
  beginResetModel();
  m_sheet = nullptr;
  m_file.reset();
  m_shownRecords = 0;
  endResetModel();
}

void LogbookTable::setAllowAddNew(bool allow) {
  if (allow == m_allowAddNew) return;
  beginResetModel();
  m_allowAddNew = allow;
  endResetModel();
}

int LogbookTable::rowCount(const QModelIndex& parent) const {
  if (parent.isValid() || !m_sheet) return 0;
  return recordCount() + (m_allowAddNew ? 1 : 0);
}

int LogbookTable::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : fieldCount(); }

QVariant LogbookTable::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
  return text(index.row(), index.column());
}

QVariant LogbookTable::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Horizontal) return fieldName(section);
  return section == recordCount() ? QStringLiteral("*") : QString();
}

Qt::ItemFlags LogbookTable::flags(const QModelIndex& index) const {
  Qt::ItemFlags f = QAbstractTableModel::flags(index);
  if (m_allowUpdate || (m_allowAddNew && index.row() == recordCount())) f |= Qt::ItemIsEditable;
  return f;
}

bool LogbookTable::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::EditRole || !index.isValid()) return false;
  const QString textValue = value.toString();
  if (textValue == text(index.row(), index.column())) return true;
  if (write(index.row(), index.column(), textValue, false)) return true;
  MsgBox(writeFailure());
  return false;
}

}  // namespace zelvora
