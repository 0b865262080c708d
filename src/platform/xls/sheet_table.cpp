#include "platform/xls/sheet_table.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace zelvora::xls {
namespace {

constexpr std::uint16_t kWindow2 = 0x023E;
constexpr std::uint16_t kDefaultCellFormat = 15;
constexpr int kRowsPerBlock = 32;

bool isCell(std::uint16_t type) {
  switch (type) {
    case rt::Blank: case rt::Number: case rt::Label: case rt::BoolErr: case rt::Formula:
    case rt::Rk: case rt::MulRk: case rt::MulBlank: case rt::LabelSst: case rt::RString:
      return true;
    default:
      return false;
  }
}

bool belongsToCell(std::uint16_t type) {
  return type == rt::String || type == rt::ShrFmla || type == rt::Array || type == rt::Table || type == rt::Continue;
}

std::uint32_t key(int row, int column) { return static_cast<std::uint32_t>(row) * SheetTable::kMaxColumns + static_cast<std::uint32_t>(column); }

double decodeRk(std::uint32_t rk) {
  double value;
  if (rk & 0x02) {
    value = static_cast<double>(static_cast<std::int32_t>(rk) >> 2);
  } else {
    const std::uint64_t bits = static_cast<std::uint64_t>(rk & 0xFFFFFFFCu) << 32;
    std::memcpy(&value, &bits, sizeof value);
  }
  return (rk & 0x01) ? value / 100.0 : value;
}

std::string errorText(std::uint8_t code) {
  switch (code) {
    case 0x00: return "#NULL!";
    case 0x07: return "#DIV/0!";
    case 0x0F: return "#VALUE!";
    case 0x17: return "#REF!";
    case 0x1D: return "#NAME?";
    case 0x24: return "#NUM!";
    case 0x2A: return "#N/A";
    default: return "#ERR";
  }
}

CellValue numberValue(double number, std::uint16_t xf, const CellFormats& formats) {
  return {CellType::Number, number, formats.display(number, xf)};
}

CellValue textValue(const std::u16string& text) { return {CellType::Text, 0, toUtf8(text)}; }

CellValue boolOrError(std::uint8_t value, bool isError) {
  if (isError) return {CellType::Error, 0, errorText(value)};
  return {CellType::Boolean, value ? 1.0 : 0.0, value ? "WAHR" : "FALSCH"};
}

Record cellRecord(std::uint16_t type, int row, int column, std::uint16_t xf) {
  Record r{type, {}};
  putU16(r.data, static_cast<std::uint16_t>(row));
  putU16(r.data, static_cast<std::uint16_t>(column));
  putU16(r.data, xf);
  return r;
}

}  // namespace

void SheetTable::read(std::vector<Record> records, const SharedStrings& strings, const CellFormats& formats) {
  m_records = std::move(records);
  std::ptrdiff_t first = -1;
  std::ptrdiff_t last = -1;
  std::ptrdiff_t insertAt = -1;
  int depth = 0;
  for (std::size_t i = 0; i < m_records.size(); ++i) {
    const std::uint16_t type = m_records[i].type;
    if (type == rt::Bof) ++depth;
    if (depth == 1) {
      if (isCell(type) || type == rt::Row || type == rt::DbCell) {
        if (first < 0) first = static_cast<std::ptrdiff_t>(i);
        last = static_cast<std::ptrdiff_t>(i);
      } else if (belongsToCell(type) && last == static_cast<std::ptrdiff_t>(i) - 1 && last >= 0) {
        last = static_cast<std::ptrdiff_t>(i);
      } else if (type == rt::Dimensions && insertAt < 0) {
        insertAt = static_cast<std::ptrdiff_t>(i) + 1;
      } else if (type == kWindow2 && insertAt < 0) {
        insertAt = static_cast<std::ptrdiff_t>(i);
      }
    }
    if (type == rt::Eof) --depth;
  }
  if (first < 0) {
    // No cell table yet: new cells go after DIMENSIONS (or before WINDOW2,
    // or before the final EOF).
    if (insertAt < 0) insertAt = m_records.empty() ? 0 : static_cast<std::ptrdiff_t>(m_records.size()) - 1;
    first = insertAt;
    last = insertAt - 1;
  }
  m_prefix.assign(m_records.begin(), m_records.begin() + first);
  std::vector<Record> inside;
  bool lastWasUnit = false;
  int unitRow = 0;
  Unit unit;
  auto flush = [&] {
    if (lastWasUnit) takeUnit(unitRow, std::move(unit), strings, formats);
    unit = Unit{};
    lastWasUnit = false;
  };
  depth = 1;
  for (std::ptrdiff_t i = first; i <= last; ++i) {
    const Record& r = m_records[static_cast<std::size_t>(i)];
    const bool top = depth == 1;
    if (r.type == rt::Bof) ++depth;
    if (r.type == rt::Eof) --depth;
    if (top && isCell(r.type) && r.data.size() >= 6) {
      flush();
      unitRow = getU16(r.data, 0);
      unit.firstColumn = getU16(r.data, 2);
      unit.lastColumn = (r.type == rt::MulRk || r.type == rt::MulBlank) ? getU16(r.data, r.data.size() - 2) : unit.firstColumn;
      unit.lastColumn = std::min(unit.lastColumn, kMaxColumns - 1);
      unit.records.push_back(r);
      lastWasUnit = true;
    } else if (top && belongsToCell(r.type) && lastWasUnit) {
      unit.records.push_back(r);
    } else if (top && r.type == rt::Row && r.data.size() >= 16) {
      flush();
      m_rowRecords[getU16(r.data, 0)] = r.data;
    } else if (top && r.type == rt::DbCell) {
      flush();
    } else {
      flush();
      inside.push_back(r);
    }
  }
  flush();
  m_suffix = std::move(inside);
  m_suffix.insert(m_suffix.end(), m_records.begin() + last + 1, m_records.end());
}

void SheetTable::takeUnit(int row, Unit unit, const SharedStrings& strings, const CellFormats& formats) {
  const Record& r = unit.records.front();
  ByteReader body(r.data);
  body.skip(4);
  const std::uint16_t xf = body.u16();
  const int column = unit.firstColumn;
  switch (r.type) {
    case rt::LabelSst: {
      const std::uint32_t index = body.u32();
      if (body.ok() && index < strings.size()) store(row, column, textValue(strings.at(index).text));
      break;
    }
    case rt::Label:
    case rt::RString: {
      const std::u16string text = readUnicodeString(body, true);
      store(row, column, textValue(text));
      break;
    }
    case rt::Number: {
      const double number = body.f64();
      if (body.ok()) store(row, column, numberValue(number, xf, formats));
      break;
    }
    case rt::Rk: {
      const std::uint32_t rk = body.u32();
      if (body.ok()) store(row, column, numberValue(decodeRk(rk), xf, formats));
      break;
    }
    case rt::MulRk: {
      ByteReader cells(r.data);
      cells.skip(4);
      for (int c = unit.firstColumn; c <= unit.lastColumn && cells.remaining() >= 8; ++c) {
        const std::uint16_t cellXf = cells.u16();
        store(row, c, numberValue(decodeRk(cells.u32()), cellXf, formats));
      }
      break;
    }
    case rt::BoolErr: {
      const std::uint8_t value = body.u8();
      const std::uint8_t isError = body.u8();
      if (body.ok()) store(row, column, boolOrError(value, isError != 0));
      break;
    }
    case rt::Formula: {
      const Bytes result = body.bytes(8);
      if (!body.ok()) break;
      if (result[6] != 0xFF || result[7] != 0xFF) {
        ByteReader number(result);
        store(row, column, numberValue(number.f64(), xf, formats));
      } else if (result[0] == 0x00) {
        // The text result is in the STRING record (and its CONTINUEs).
        std::vector<const Bytes*> segments;
        for (const Record& attached : unit.records) {
          if (attached.type == rt::String && segments.empty())
            segments.push_back(&attached.data);
          else if (attached.type == rt::Continue && !segments.empty())
            segments.push_back(&attached.data);
        }
        if (!segments.empty()) {
          ContinuedReader text(segments);
          const RichString s = text.richString();
          store(row, column, textValue(s.text));
        }
      } else if (result[0] == 0x01 || result[0] == 0x02) {
        store(row, column, boolOrError(result[2], result[0] == 0x02));
      }
      break;
    }
    default:
      break;
  }
  m_rows[row].push_back(std::move(unit));
}

void SheetTable::store(int row, int column, CellValue value) {
  if (row < 0 || row >= kMaxRows || column < 0 || column >= kMaxColumns) return;
  if (value.type == CellType::Empty || (value.type == CellType::Text && value.text.empty())) {
    m_values.erase(key(row, column));
    return;
  }
  m_values[key(row, column)] = std::move(value);
  m_rowCount = std::max(m_rowCount, row + 1);
  m_columnCount = std::max(m_columnCount, column + 1);
}

const CellValue& SheetTable::value(int row, int column) const {
  static const CellValue empty;
  if (row < 0 || column < 0 || column >= kMaxColumns) return empty;
  const auto found = m_values.find(key(row, column));
  return found == m_values.end() ? empty : found->second;
}

std::uint16_t SheetTable::formatFor(int row, int column) {
  // A new cell below the header row looks like the cell above it.
  if (row >= 2) {
    const auto above = m_rows.find(row - 1);
    if (above != m_rows.end()) {
      for (const Unit& u : above->second) {
        if (u.firstColumn == column && u.lastColumn == column && u.records.front().data.size() >= 6)
          return getU16(u.records.front().data, 4);
      }
    }
  }
  return kDefaultCellFormat;
}

SheetTable::Unit& SheetTable::unitForWrite(int row, int column) {
  Row& units = m_rows[row];
  for (std::size_t i = 0; i < units.size(); ++i) {
    Unit& u = units[i];
    if (column < u.firstColumn || column > u.lastColumn) continue;
    if (u.firstColumn == u.lastColumn) return u;
    // A row of numbers or blanks in one record becomes one record per cell
    // so this cell can change alone.
    const Record multi = u.records.front();
    const int offset = column - u.firstColumn;
    std::vector<Unit> singles;
    for (int c = u.firstColumn; c <= u.lastColumn; ++c) {
      const std::size_t k = static_cast<std::size_t>(c - u.firstColumn);
      Unit single{c, c, {}};
      if (multi.type == rt::MulRk) {
        Record rk = cellRecord(rt::Rk, row, c, getU16(multi.data, 4 + 6 * k));
        putU32(rk.data, getU32(multi.data, 6 + 6 * k));
        single.records.push_back(std::move(rk));
      } else {
        single.records.push_back(cellRecord(rt::Blank, row, c, getU16(multi.data, 4 + 2 * k)));
      }
      singles.push_back(std::move(single));
    }
    units.erase(units.begin() + static_cast<std::ptrdiff_t>(i));
    units.insert(units.begin() + static_cast<std::ptrdiff_t>(i), singles.begin(), singles.end());
    return units[i + static_cast<std::size_t>(offset)];
  }
  const auto at = std::find_if(units.begin(), units.end(), [column](const Unit& u) { return u.firstColumn > column; });
  return *units.insert(at, Unit{column, column, {}});
}

std::uint16_t SheetTable::cellFormatFor(int row, int column, int xf) {
  if (xf >= 0) {
    unitForWrite(row, column);
    return static_cast<std::uint16_t>(xf);
  }
  const std::uint16_t newFormat = formatFor(row, column);
  const Unit& u = unitForWrite(row, column);
  return u.records.empty() ? newFormat : getU16(u.records.front().data, 4);
}

void SheetTable::setText(int row, int column, const std::u16string& text, SharedStrings& strings, int format) {
  if (row < 0 || row >= kMaxRows || column < 0 || column >= kMaxColumns) return;
  const std::uint16_t xf = cellFormatFor(row, column, format);
  Unit& u = unitForWrite(row, column);
  if (text.empty()) {
    u.records = {cellRecord(rt::Blank, row, column, xf)};
  } else {
    Record r = cellRecord(rt::LabelSst, row, column, xf);
    putU32(r.data, strings.indexOf(text));
    u.records = {std::move(r)};
  }
  store(row, column, textValue(text));
  m_changed = true;
}

void SheetTable::setNumber(int row, int column, double number, const CellFormats& formats, int format) {
  if (row < 0 || row >= kMaxRows || column < 0 || column >= kMaxColumns) return;
  const std::uint16_t xf = cellFormatFor(row, column, format);
  Unit& u = unitForWrite(row, column);
  Record r = cellRecord(rt::Number, row, column, xf);
  putF64(r.data, number);
  u.records = {std::move(r)};
  store(row, column, numberValue(number, xf, formats));
  m_changed = true;
}

Bytes SheetTable::serialize(std::size_t oldOffset, std::size_t newOffset) const {
  if (m_changed) return serializeChanged(newOffset);
  return serializeMoved(m_records, oldOffset, newOffset);
}

Bytes serializeMoved(const std::vector<Record>& records, std::size_t oldOffset, std::size_t newOffset) {
  Bytes out;
  const auto shift = [&](std::uint32_t position) {
    return position == 0 ? 0u : static_cast<std::uint32_t>(position - oldOffset + newOffset);
  };
  for (const Record& r : records) {
    if (r.type == rt::Index && r.data.size() >= 16) {
      Bytes body = r.data;
      setU32(body, 12, shift(getU32(body, 12)));
      for (std::size_t at = 16; at + 4 <= body.size(); at += 4) setU32(body, at, shift(getU32(body, at)));
      appendRecord(out, r.type, body);
    } else {
      appendRecord(out, r.type, r.data);
    }
  }
  return out;
}

Bytes SheetTable::serializeChanged(std::size_t newOffset) const {
  std::vector<int> rows;
  for (const auto& [row, body] : m_rowRecords) rows.push_back(row);
  for (const auto& [row, units] : m_rows)
    if (!units.empty()) rows.push_back(row);
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());

  std::vector<std::vector<int>> blocks;
  for (int row : rows) {
    if (blocks.empty() || blocks.back().front() / kRowsPerBlock != row / kRowsPerBlock) blocks.emplace_back();
    blocks.back().push_back(row);
  }

  int firstRow = -1, lastRow = -1, firstColumn = -1, lastColumn = -1;
  for (const auto& [row, units] : m_rows) {
    for (const Unit& u : units) {
      if (firstRow < 0) firstRow = row;
      lastRow = row;
      firstColumn = firstColumn < 0 ? u.firstColumn : std::min(firstColumn, u.firstColumn);
      lastColumn = std::max(lastColumn, u.lastColumn);
    }
  }

  Bytes out;
  std::size_t indexBody = 0;
  bool hasIndex = false;
  std::uint32_t defColWidthPos = 0;
  for (const Record& r : m_prefix) {
    const std::size_t position = newOffset + out.size();
    if (r.type == rt::DefColWidth) defColWidthPos = static_cast<std::uint32_t>(position);
    if (r.type == rt::Index && !hasIndex) {
      hasIndex = true;
      indexBody = out.size() + 4;
      appendRecord(out, r.type, Bytes(16 + 4 * blocks.size(), 0));
    } else if (r.type == rt::Dimensions && r.data.size() >= 14) {
      Bytes body = r.data;
      setU32(body, 0, static_cast<std::uint32_t>(std::max(firstRow, 0)));
      setU32(body, 4, static_cast<std::uint32_t>(lastRow + 1));
      setU16(body, 8, static_cast<std::uint16_t>(std::max(firstColumn, 0)));
      setU16(body, 10, static_cast<std::uint16_t>(lastColumn + 1));
      appendRecord(out, r.type, body);
    } else {
      appendRecord(out, r.type, r.data);
    }
  }

  std::vector<std::uint32_t> dbCells;
  for (const auto& block : blocks) {
    const std::size_t firstRowPos = newOffset + out.size();
    std::size_t firstRowEnd = 0;
    for (int row : block) {
      Bytes body;
      const auto known = m_rowRecords.find(row);
      if (known != m_rowRecords.end()) {
        body = known->second;
      } else {
        putU16(body, static_cast<std::uint16_t>(row));
        putU16(body, 0);
        putU16(body, 0);
        putU16(body, 0x00FF);
        putU16(body, 0);
        putU16(body, 0);
        putU32(body, 0x000F0100);
      }
      const auto units = m_rows.find(row);
      if (units != m_rows.end() && !units->second.empty()) {
        setU16(body, 2, static_cast<std::uint16_t>(units->second.front().firstColumn));
        setU16(body, 4, static_cast<std::uint16_t>(units->second.back().lastColumn + 1));
      }
      appendRecord(out, rt::Row, body);
      if (firstRowEnd == 0) firstRowEnd = newOffset + out.size();
    }
    Bytes dbcell;
    putU32(dbcell, 0);
    std::size_t pointer = firstRowEnd;
    for (int row : block) {
      const auto units = m_rows.find(row);
      if (units == m_rows.end() || units->second.empty()) {
        putU16(dbcell, 0);
        continue;
      }
      const std::size_t cellPos = newOffset + out.size();
      putU16(dbcell, static_cast<std::uint16_t>(cellPos - pointer));
      pointer = cellPos;
      for (const Unit& u : units->second)
        for (const Record& r : u.records) appendRecord(out, r.type, r.data);
    }
    const std::size_t dbcellPos = newOffset + out.size();
    setU32(dbcell, 0, static_cast<std::uint32_t>(dbcellPos - firstRowPos));
    appendRecord(out, rt::DbCell, dbcell);
    dbCells.push_back(static_cast<std::uint32_t>(dbcellPos));
  }

  for (const Record& r : m_suffix) appendRecord(out, r.type, r.data);

  if (hasIndex) {
    setU32(out, indexBody + 4, static_cast<std::uint32_t>(std::max(firstRow, 0)));
    setU32(out, indexBody + 8, static_cast<std::uint32_t>(lastRow + 1));
    setU32(out, indexBody + 12, defColWidthPos);
    for (std::size_t b = 0; b < dbCells.size(); ++b) setU32(out, indexBody + 16 + 4 * b, dbCells[b]);
  }
  return out;
}

}  // namespace zelvora::xls
