#pragma once

#include "platform/xls/biff_records.h"
#include "platform/xls/cell_formats.h"
#include "platform/xls/shared_strings.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zelvora::xls {

enum class CellType { Empty, Number, Text, Boolean, Error };

struct CellValue {
  CellType type = CellType::Empty;
  double number = 0;
  std::string text;  // what the cell shows, UTF-8
};

// One worksheet substream: its bytes kept as read, and its cell table
// (ROW records and cell records) taken apart so single cells can change.
// Until a cell changes the substream is written back byte for byte.
class SheetTable {
 public:
  // The substream from its BOF to its EOF. Cell texts and number formats
  // are looked up in the workbook's tables.
  void read(const std::uint8_t* substream, std::size_t size, const SharedStrings& strings, const CellFormats& formats);

  // One past the last row and column that hold a cell.
  int rowCount() const { return m_rowCount; }
  int columnCount() const { return m_columnCount; }
  const CellValue& value(int row, int column) const;

  // Sets a cell; text goes into the shared string table. The cell keeps its
  // cell format (XF), a new cell takes the format of the cell above it;
  // a format number of 0 or more is used instead. A cell of an array
  // formula or a data table over several cells is left as it is (false):
  // such a range only changes as a whole.
  bool setText(int row, int column, const std::u16string& text, SharedStrings& strings, int xf = -1);
  bool setNumber(int row, int column, double number, const CellFormats& formats, int xf = -1);
  bool isPartOfWholeRange(int row, int column) const;

  bool changed() const { return m_changed; }

  // The substream as it goes into the stream at newOffset; oldOffset is
  // where it stood when read (INDEX keeps absolute positions).
  Bytes serialize(std::size_t oldOffset, std::size_t newOffset) const;

  static constexpr int kMaxRows = 65536;
  static constexpr int kMaxColumns = 256;

 private:
  // A byte range of the substream as read.
  struct Range {
    std::uint32_t begin = 0;
    std::uint32_t end = 0;
  };
  // A cell record with the records that belong to it (the STRING result of
  // a formula, shared formula and array records): a range of the old bytes
  // until the cell changes, then its new records.
  struct Unit {
    int firstColumn = 0;
    int lastColumn = 0;
    Range old;
    bool replaced = false;
    std::vector<Record> records;
  };
  using Row = std::vector<Unit>;
  struct CellRange {
    int firstRow = 0;
    int lastRow = 0;
    int firstColumn = 0;
    int lastColumn = 0;
    bool contains(int row, int column) const {
      return row >= firstRow && row <= lastRow && column >= firstColumn && column <= lastColumn;
    }
  };

  void takeUnit(int row, Unit unit, const SharedStrings& strings, const CellFormats& formats);
  Unit& unitForWrite(int row, int column);
  Unit* findUnit(int row, int column);
  std::vector<Record> recordsOf(const Unit& unit) const;
  bool pointsAt(const Unit& unit, int anchorRow, int anchorColumn) const;
  void moveSharedFormulaAnchor(int row, int column);
  void store(int row, int column, CellValue value);
  std::uint16_t formatOf(const Unit& unit, int column) const;
  std::uint16_t formatFor(int row, int column);
  std::uint16_t cellFormatFor(int row, int column, int xf);
  Bytes serializeChanged(std::size_t newOffset) const;

  Bytes m_raw;
  Range m_prefix;
  std::vector<Range> m_inside;
  Range m_suffix;
  // Where each row's ROW record body starts in m_raw (0: none).
  std::vector<std::uint32_t> m_rowRecords;
  std::vector<Row> m_rows;
  std::vector<std::vector<CellValue>> m_cells;
  // Array formulas and data tables: each is kept in its top left cell for
  // all the cells of its range.
  std::vector<CellRange> m_wholeRanges;
  int m_rowCount = 0;
  int m_columnCount = 0;
  bool m_changed = false;
};

// Writes a substream that moved from oldOffset to newOffset in the stream,
// unchanged but for the absolute positions in its INDEX record.
Bytes serializeMoved(const std::uint8_t* substream, std::size_t size, std::size_t oldOffset, std::size_t newOffset);

}  // namespace zelvora::xls
