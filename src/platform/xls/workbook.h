#pragma once

#include "platform/xls/biff_records.h"
#include "platform/xls/cell_formats.h"
#include "platform/xls/shared_strings.h"
#include "platform/xls/sheet_table.h"

#include <memory>
#include <string>
#include <vector>

namespace zelvora::xls {

// The BIFF8 workbook stream: the globals substream and one substream per
// sheet, kept record for record. Only cells set through setText/setNumber
// change; everything else is written back as it was read, with the stream
// positions (BOUNDSHEET, INDEX, EXTSST) fixed up for whatever moved.
class Workbook {
 public:
  enum class ReadResult { Ok, NotBiff8, Encrypted, Damaged };

  ReadResult read(const Bytes& stream);

  // A new workbook with empty sheets, Arial 10, and these cell formats
  // besides the default one (15): 16 = "0.0000", 17 = bold. The first
  // sheet's columns get the widths given (1/256 of a character each).
  static Workbook createEmpty(const std::vector<std::string>& sheetNames, const std::vector<int>& columnWidths = {});
  static constexpr int kFrequencyFormat = 16;
  static constexpr int kBoldFormat = 17;

  std::vector<std::string> sheetNames() const;
  // The worksheet of that name (letter case ignored for A to Z), or null.
  SheetTable* sheet(const std::string& name);

  // False for a cell that only changes with its whole range (see SheetTable).
  bool setText(SheetTable& sheet, int row, int column, const std::string& text, int xf = -1);
  bool setNumber(SheetTable& sheet, int row, int column, double number, int xf = -1);

  Bytes write() const;

 private:
  // A substream's place in the stream as read.
  struct Substream {
    std::size_t offset = 0;
    std::size_t end = 0;
    std::unique_ptr<SheetTable> table;
  };
  struct Sheet {
    std::string name;
    std::size_t substream = 0;
    bool worksheet = false;
  };

  Bytes m_stream;
  std::vector<Record> m_globals;
  std::vector<Substream> m_substreams;
  std::vector<Sheet> m_sheets;
  SharedStrings m_strings;
  CellFormats m_formats;
};

}  // namespace zelvora::xls
