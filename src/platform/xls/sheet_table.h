#pragma once

#include "platform/xls/biff_records.h"
#include "platform/xls/cell_formats.h"
#include "platform/xls/shared_strings.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace zelvora::xls {

enum class CellType { Empty, Number, Text, Boolean, Error };

struct CellValue {
  CellType type = CellType::Empty;
  double number = 0;
  std::string text;  // what the cell shows, UTF-8
};

// One worksheet substream: its records kept as read, and its cell table
// (ROW records and cell records) taken apart so single cells can change.
// Until a cell changes the substream is written back byte for byte.
class SheetTable {
 public:
  // records: the substream from its BOF to its EOF. Cell texts and number
  // formats are looked up in the workbook's tables.
  void read(std::vector<Record> records, const SharedStrings& strings, const CellFormats& formats);

  // One past the last row and column that hold a cell.
  int rowCount() const { return m_rowCount; }
  int columnCount() const { return m_columnCount; }
  const CellValue& value(int row, int column) const;

  // Sets a cell; text goes into the shared string table. The cell keeps its
  // cell format (XF), a new cell takes the format of the cell above it;
  // a format number of 0 or more is used instead.
  void setText(int row, int column, const std::u16string& text, SharedStrings& strings, int xf = -1);
  void setNumber(int row, int column, double number, const CellFormats& formats, int xf = -1);

  bool changed() const { return m_changed; }

  // The substream as it goes into the stream at streamOffset; oldOffset is
  // where it stood when read (INDEX keeps absolute positions).
  Bytes serialize(std::size_t oldOffset, std::size_t newOffset) const;

  const std::vector<Record>& records() const { return m_records; }

  static constexpr int kMaxRows = 65536;
  static constexpr int kMaxColumns = 256;

 private:
  // A cell record with the records that belong to it (the STRING result of
  // a formula, shared formula and array records).
  struct Unit {
    int firstColumn = 0;
    int lastColumn = 0;
    std::vector<Record> records;
  };
  using Row = std::vector<Unit>;

  void takeUnit(int row, Unit unit, const SharedStrings& strings, const CellFormats& formats);
  Unit& unitForWrite(int row, int column);
  void store(int row, int column, CellValue value);
  std::uint16_t formatFor(int row, int column);
  std::uint16_t cellFormatFor(int row, int column, int xf);
  Bytes serializeChanged(std::size_t newOffset) const;

  std::vector<Record> m_records;
  // Records before and after the cell table, for writing a changed sheet.
  std::vector<Record> m_prefix;
  std::vector<Record> m_suffix;
  std::map<int, Bytes> m_rowRecords;
  std::map<int, Row> m_rows;
  std::map<std::uint32_t, CellValue> m_values;
  int m_rowCount = 0;
  int m_columnCount = 0;
  bool m_changed = false;
};

// Writes a substream that moved from oldOffset to newOffset in the stream,
// unchanged but for the absolute positions in its INDEX record.
Bytes serializeMoved(const std::vector<Record>& records, std::size_t oldOffset, std::size_t newOffset);

}  // namespace zelvora::xls
