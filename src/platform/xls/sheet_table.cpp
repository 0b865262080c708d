#include "platform/xls/sheet_table.h"

#include <algorithm>
#include <cstring>
#include <set>

namespace zelvora::xls {
namespace {

constexpr std::uint16_t kWindow2 = 0x023E;
constexpr std::uint16_t kDefaultCellFormat = 15;
constexpr int kRowsPerBlock = 32;
// Where a FORMULA body keeps its token count and tokens; a cell of a
// shared formula holds just one token, ptgExp, naming the range's anchor.
constexpr std::size_t kFormulaTokenCount = 20;
constexpr std::size_t kFormulaTokens = 22;
constexpr std::uint8_t kPtgExp = 0x01;

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

// A record header found in a byte buffer.
struct Ref {
  std::uint16_t type;
  std::uint32_t pos;
  std::uint32_t length;
  std::uint32_t end() const { return pos + 4 + length; }
  Segment body(const Bytes& raw) const { return {raw.data() + pos + 4, length}; }
};

std::vector<Ref> walk(const std::uint8_t* data, std::size_t size, std::size_t begin = 0) {
  std::vector<Ref> refs;
  std::size_t pos = begin;
  while (pos + 4 <= size) {
    const auto type = static_cast<std::uint16_t>(data[pos] | (data[pos + 1] << 8));
    const std::size_t length = static_cast<std::size_t>(data[pos + 2] | (data[pos + 3] << 8));
    if (length > size - pos - 4) break;
    refs.push_back({type, static_cast<std::uint32_t>(pos), static_cast<std::uint32_t>(length)});
    pos += 4 + length;
  }
  return refs;
}

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

CellValue textValue(std::string text) { return {CellType::Text, 0, std::move(text)}; }

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

void appendRange(Bytes& out, const Bytes& raw, std::uint32_t begin, std::uint32_t end) {
  out.insert(out.end(), raw.begin() + begin, raw.begin() + end);
}

}  // namespace

void SheetTable::read(const std::uint8_t* substream, std::size_t size, const SharedStrings& strings,
                      const CellFormats& formats) {
  m_raw.assign(substream, substream + size);
  const std::vector<Ref> refs = walk(m_raw.data(), m_raw.size());
  std::ptrdiff_t first = -1;
  std::ptrdiff_t last = -1;
  std::ptrdiff_t insertAt = -1;
  int depth = 0;
  for (std::size_t i = 0; i < refs.size(); ++i) {
    const std::uint16_t type = refs[i].type;
    const auto index = static_cast<std::ptrdiff_t>(i);
    if (type == rt::Bof) ++depth;
    if (depth == 1) {
      if (isCell(type) || type == rt::Row || type == rt::DbCell) {
        if (first < 0) first = index;
        last = index;
      } else if (belongsToCell(type) && last >= 0 && last == index - 1) {
        last = index;
      } else if (type == rt::Dimensions && insertAt < 0) {
        insertAt = index + 1;
      } else if (type == kWindow2 && insertAt < 0) {
        insertAt = index;
      }
    }
    if (type == rt::Eof) --depth;
  }
  const auto startOf = [&](std::ptrdiff_t i) {
    return i < static_cast<std::ptrdiff_t>(refs.size()) ? refs[static_cast<std::size_t>(i)].pos
                                                         : static_cast<std::uint32_t>(m_raw.size());
  };
  if (first < 0) {
    // No cell table yet: new cells go after DIMENSIONS (or before WINDOW2,
    // or before the final EOF).
    if (insertAt < 0) insertAt = refs.empty() ? 0 : static_cast<std::ptrdiff_t>(refs.size()) - 1;
    m_prefix = {0, startOf(insertAt)};
    m_suffix = {startOf(insertAt), static_cast<std::uint32_t>(m_raw.size())};
    return;
  }
  m_prefix = {0, refs[static_cast<std::size_t>(first)].pos};
  m_suffix = {refs[static_cast<std::size_t>(last)].end(), static_cast<std::uint32_t>(m_raw.size())};

  Unit unit;
  int unitRow = -1;
  std::vector<Segment> attached;
  const auto flush = [&] {
    if (unitRow >= 0) takeUnit(unitRow, std::move(unit), strings, formats);
    unit = Unit{};
    unitRow = -1;
  };
  for (std::ptrdiff_t i = first; i <= last; ++i) {
    const Ref& r = refs[static_cast<std::size_t>(i)];
    if (isCell(r.type) && r.length >= 6) {
      flush();
      const Segment body = r.body(m_raw);
      unitRow = getU16(m_raw, r.pos + 4);
      unit.firstColumn = getU16(m_raw, r.pos + 6);
      unit.lastColumn = (r.type == rt::MulRk || r.type == rt::MulBlank) ? getU16(m_raw, r.pos + 4 + body.size - 2)
                                                                         : unit.firstColumn;
      unit.lastColumn = std::min(unit.lastColumn, kMaxColumns - 1);
      unit.old = {r.pos, r.end()};
    } else if (belongsToCell(r.type) && unitRow >= 0) {
      unit.old.end = r.end();
      if ((r.type == rt::Array || r.type == rt::Table) && r.length >= 6)
        m_wholeRanges.push_back({getU16(m_raw, r.pos + 4), getU16(m_raw, r.pos + 6), m_raw[r.pos + 8], m_raw[r.pos + 9]});
    } else if (r.type == rt::Row && r.length >= 16) {
      flush();
      const int row = getU16(m_raw, r.pos + 4);
      if (static_cast<int>(m_rowRecords.size()) <= row) m_rowRecords.resize(static_cast<std::size_t>(row) + 1, 0);
      m_rowRecords[static_cast<std::size_t>(row)] = r.pos + 4;
    } else if (r.type == rt::DbCell) {
      flush();
    } else {
      flush();
      m_inside.push_back({r.pos, r.end()});
    }
  }
  flush();
}

void SheetTable::takeUnit(int row, Unit unit, const SharedStrings& strings, const CellFormats& formats) {
  const Ref r{getU16(m_raw, unit.old.begin), unit.old.begin, getU16(m_raw, unit.old.begin + 2)};
  ByteReader body(m_raw.data() + r.pos + 4, r.length);
  body.skip(4);
  const std::uint16_t xf = body.u16();
  const int column = unit.firstColumn;
  switch (r.type) {
    case rt::LabelSst: {
      const std::uint32_t index = body.u32();
      if (body.ok() && index < strings.size()) store(row, column, textValue(strings.utf8(index)));
      break;
    }
    case rt::Label:
    case rt::RString:
      store(row, column, textValue(toUtf8(readUnicodeString(body, true))));
      break;
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
      ByteReader cells(m_raw.data() + r.pos + 4, r.length);
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
        std::vector<Segment> segments;
        for (const Ref& a : walk(m_raw.data(), unit.old.end, unit.old.begin)) {
          if ((a.type == rt::String && segments.empty()) || (a.type == rt::Continue && !segments.empty()))
            segments.push_back(a.body(m_raw));
        }
        if (!segments.empty()) {
          ContinuedReader text(segments);
          store(row, column, textValue(toUtf8(text.richString().text)));
        }
      } else if (result[0] == 0x01 || result[0] == 0x02) {
        store(row, column, boolOrError(result[2], result[0] == 0x02));
      }
      break;
    }
    default:
      break;
  }
  if (static_cast<int>(m_rows.size()) <= row) m_rows.resize(static_cast<std::size_t>(row) + 1);
  Row& units = m_rows[static_cast<std::size_t>(row)];
  // Rows come whole, one after the other: room for as many cells as the
  // widest row so far saves growing each row cell by cell.
  if (units.empty()) units.reserve(static_cast<std::size_t>(std::max(m_columnCount, 1)));
  units.push_back(std::move(unit));
}

void SheetTable::store(int row, int column, CellValue value) {
  if (row < 0 || row >= kMaxRows || column < 0 || column >= kMaxColumns) return;
  const bool empty = value.type == CellType::Empty || (value.type == CellType::Text && value.text.empty());
  if (static_cast<int>(m_cells.size()) <= row) {
    if (empty) return;
    m_cells.resize(static_cast<std::size_t>(row) + 1);
  }
  auto& cells = m_cells[static_cast<std::size_t>(row)];
  if (static_cast<int>(cells.size()) <= column) {
    if (empty) return;
    if (cells.empty()) cells.reserve(static_cast<std::size_t>(std::max(m_columnCount, column + 1)));
    cells.resize(static_cast<std::size_t>(column) + 1);
  }
  cells[static_cast<std::size_t>(column)] = empty ? CellValue{} : std::move(value);
  if (empty) return;
  m_rowCount = std::max(m_rowCount, row + 1);
  m_columnCount = std::max(m_columnCount, column + 1);
}

const CellValue& SheetTable::value(int row, int column) const {
  static const CellValue empty;
  if (row < 0 || column < 0 || row >= static_cast<int>(m_cells.size())) return empty;
  const auto& cells = m_cells[static_cast<std::size_t>(row)];
  return column < static_cast<int>(cells.size()) ? cells[static_cast<std::size_t>(column)] : empty;
}

std::uint16_t SheetTable::formatOf(const Unit& unit, int column) const {
  if (unit.replaced) return unit.records.empty() ? kDefaultCellFormat : getU16(unit.records.front().data, 4);
  const std::uint16_t type = getU16(m_raw, unit.old.begin);
  const std::size_t body = unit.old.begin + 4;
  const auto k = static_cast<std::size_t>(column - unit.firstColumn);
  if (type == rt::MulRk) return getU16(m_raw, body + 4 + 6 * k);
  if (type == rt::MulBlank) return getU16(m_raw, body + 4 + 2 * k);
  return getU16(m_raw, body + 4);
}

std::uint16_t SheetTable::formatFor(int row, int column) {
  // A new cell below the header row looks like the cell above it.
  if (row >= 2 && row - 1 < static_cast<int>(m_rows.size())) {
    for (const Unit& u : m_rows[static_cast<std::size_t>(row - 1)])
      if (column >= u.firstColumn && column <= u.lastColumn && !(u.replaced && u.records.empty()))
        return formatOf(u, column);
  }
  return kDefaultCellFormat;
}

SheetTable::Unit& SheetTable::unitForWrite(int row, int column) {
  if (static_cast<int>(m_rows.size()) <= row) m_rows.resize(static_cast<std::size_t>(row) + 1);
  Row& units = m_rows[static_cast<std::size_t>(row)];
  for (std::size_t i = 0; i < units.size(); ++i) {
    Unit& u = units[i];
    if (column < u.firstColumn || column > u.lastColumn) continue;
    if (u.firstColumn == u.lastColumn) return u;
    // A row of numbers or blanks in one record becomes one record per cell
    // so this cell can change alone.
    const std::uint16_t type = getU16(m_raw, u.old.begin);
    const std::size_t body = u.old.begin + 4;
    const int offset = column - u.firstColumn;
    std::vector<Unit> singles;
    for (int c = u.firstColumn; c <= u.lastColumn; ++c) {
      Unit single{c, c, {}, true, {}};
      const std::uint16_t xf = formatOf(u, c);
      if (type == rt::MulRk) {
        Record rk = cellRecord(rt::Rk, row, c, xf);
        putU32(rk.data, getU32(m_raw, body + 6 + 6 * static_cast<std::size_t>(c - u.firstColumn)));
        single.records.push_back(std::move(rk));
      } else {
        single.records.push_back(cellRecord(rt::Blank, row, c, xf));
      }
      singles.push_back(std::move(single));
    }
    units.erase(units.begin() + static_cast<std::ptrdiff_t>(i));
    units.insert(units.begin() + static_cast<std::ptrdiff_t>(i), singles.begin(), singles.end());
    return units[i + static_cast<std::size_t>(offset)];
  }
  const auto at = std::find_if(units.begin(), units.end(), [column](const Unit& u) { return u.firstColumn > column; });
  return *units.insert(at, Unit{column, column, {}, true, {}});
}

SheetTable::Unit* SheetTable::findUnit(int row, int column) {
  if (row < 0 || row >= static_cast<int>(m_rows.size())) return nullptr;
  for (Unit& u : m_rows[static_cast<std::size_t>(row)])
    if (column >= u.firstColumn && column <= u.lastColumn) return &u;
  return nullptr;
}

std::vector<Record> SheetTable::recordsOf(const Unit& unit) const {
  if (unit.replaced) return unit.records;
  std::vector<Record> records;
  for (const Ref& r : walk(m_raw.data(), unit.old.end, unit.old.begin))
    records.push_back({r.type, Bytes(m_raw.begin() + r.pos + 4, m_raw.begin() + r.end())});
  return records;
}

bool SheetTable::pointsAt(const Unit& unit, int anchorRow, int anchorColumn) const {
  const std::vector<Record> records = recordsOf(unit);
  if (records.empty() || records.front().type != rt::Formula) return false;
  const Bytes& body = records.front().data;
  return body.size() >= kFormulaTokens + 5 && getU16(body, kFormulaTokenCount) == 5 && body[kFormulaTokens] == kPtgExp &&
         getU16(body, kFormulaTokens + 1) == anchorRow && getU16(body, kFormulaTokens + 3) == anchorColumn;
}

void SheetTable::moveSharedFormulaAnchor(int row, int column) {
  // A filled-down formula is stored once, after its top left cell; the
  // other cells only name that cell. Before the top left cell changes, the
  // cells still using the formula get it stored again after their own new
  // top left cells, one rectangle of cells at a time.
  const Unit* anchor = findUnit(row, column);
  if (!anchor || (!anchor->replaced && getU16(m_raw, anchor->old.begin) != rt::Formula)) return;
  const std::vector<Record> anchorRecords = recordsOf(*anchor);
  const auto shared = std::find_if(anchorRecords.begin(), anchorRecords.end(),
                                   [](const Record& r) { return r.type == rt::ShrFmla && r.data.size() >= 10; });
  if (shared == anchorRecords.end()) return;
  const Bytes formula = shared->data;
  const CellRange range{getU16(formula, 0), getU16(formula, 2), formula[4], formula[5]};
  std::set<std::pair<int, int>> users;
  for (int r = range.firstRow; r <= range.lastRow && r < static_cast<int>(m_rows.size()); ++r)
    for (const Unit& u : m_rows[static_cast<std::size_t>(r)])
      if (range.contains(r, u.firstColumn) && !(r == row && u.firstColumn == column) && pointsAt(u, row, column))
        users.insert({r, u.firstColumn});

  while (!users.empty()) {
    const int top = users.begin()->first;
    const int left = users.begin()->second;
    int right = left;
    while (users.count({top, right + 1})) ++right;
    int bottom = top;
    const auto rowUses = [&](int r) {
      for (int c = left; c <= right; ++c)
        if (!users.count({r, c})) return false;
      return true;
    };
    while (rowUses(bottom + 1)) ++bottom;
    for (int r = top; r <= bottom; ++r) {
      for (int c = left; c <= right; ++c) {
        users.erase({r, c});
        Unit& u = *findUnit(r, c);
        std::vector<Record> records = recordsOf(u);
        setU16(records.front().data, kFormulaTokens + 1, static_cast<std::uint16_t>(top));
        setU16(records.front().data, kFormulaTokens + 3, static_cast<std::uint16_t>(left));
        if (r == top && c == left) {
          Record moved{rt::ShrFmla, formula};
          setU16(moved.data, 0, static_cast<std::uint16_t>(top));
          setU16(moved.data, 2, static_cast<std::uint16_t>(bottom));
          moved.data[4] = static_cast<std::uint8_t>(left);
          moved.data[5] = static_cast<std::uint8_t>(right);
          moved.data[7] = static_cast<std::uint8_t>(std::min((bottom - top + 1) * (right - left + 1), 255));
          records.insert(records.begin() + 1, std::move(moved));
        }
        u.records = std::move(records);
        u.replaced = true;
      }
    }
  }
  m_changed = true;
}

bool SheetTable::isPartOfWholeRange(int row, int column) const {
  return std::any_of(m_wholeRanges.begin(), m_wholeRanges.end(), [&](const CellRange& r) {
    return r.contains(row, column) && (r.firstRow != r.lastRow || r.firstColumn != r.lastColumn);
  });
}

std::uint16_t SheetTable::cellFormatFor(int row, int column, int xf) {
  if (xf >= 0) return static_cast<std::uint16_t>(xf);
  const std::uint16_t newFormat = formatFor(row, column);
  const Unit& u = unitForWrite(row, column);
  return (u.replaced && u.records.empty()) ? newFormat : formatOf(u, column);
}

bool SheetTable::setText(int row, int column, const std::u16string& text, SharedStrings& strings, int format) {
  if (row < 0 || row >= kMaxRows || column < 0 || column >= kMaxColumns || isPartOfWholeRange(row, column)) return false;
  moveSharedFormulaAnchor(row, column);
  const std::uint16_t xf = cellFormatFor(row, column, format);
  Unit& u = unitForWrite(row, column);
  u.replaced = true;
  if (text.empty()) {
    u.records = {cellRecord(rt::Blank, row, column, xf)};
  } else {
    Record r = cellRecord(rt::LabelSst, row, column, xf);
    putU32(r.data, strings.indexOf(text));
    u.records = {std::move(r)};
  }
  store(row, column, textValue(toUtf8(text)));
  m_changed = true;
  return true;
}

bool SheetTable::setNumber(int row, int column, double number, const CellFormats& formats, int format) {
  if (row < 0 || row >= kMaxRows || column < 0 || column >= kMaxColumns || isPartOfWholeRange(row, column)) return false;
  moveSharedFormulaAnchor(row, column);
  const std::uint16_t xf = cellFormatFor(row, column, format);
  Unit& u = unitForWrite(row, column);
  u.replaced = true;
  Record r = cellRecord(rt::Number, row, column, xf);
  putF64(r.data, number);
  u.records = {std::move(r)};
  store(row, column, numberValue(number, xf, formats));
  m_changed = true;
  return true;
}

Bytes SheetTable::serialize(std::size_t oldOffset, std::size_t newOffset) const {
  if (m_changed) return serializeChanged(newOffset);
  return serializeMoved(m_raw.data(), m_raw.size(), oldOffset, newOffset);
}

Bytes serializeMoved(const std::uint8_t* substream, std::size_t size, std::size_t oldOffset, std::size_t newOffset) {
  Bytes out(substream, substream + size);
  const auto shift = [&](std::size_t at) {
    const std::uint32_t position = getU32(out, at);
    if (position != 0) setU32(out, at, static_cast<std::uint32_t>(position - oldOffset + newOffset));
  };
  for (const Ref& r : walk(out.data(), out.size())) {
    if (r.type != rt::Index || r.length < 16) continue;
    shift(r.pos + 4 + 12);
    for (std::size_t at = r.pos + 4 + 16; at + 4 <= r.end(); at += 4) shift(at);
  }
  return out;
}

Bytes SheetTable::serializeChanged(std::size_t newOffset) const {
  const auto hasUnits = [&](int row) {
    return row < static_cast<int>(m_rows.size()) && !m_rows[static_cast<std::size_t>(row)].empty();
  };
  const auto hasRowRecord = [&](int row) {
    return row < static_cast<int>(m_rowRecords.size()) && m_rowRecords[static_cast<std::size_t>(row)] != 0;
  };
  const int rowLimit = static_cast<int>(std::max(m_rows.size(), m_rowRecords.size()));
  std::vector<std::vector<int>> blocks;
  int firstRow = -1, lastRow = -1, firstColumn = -1, lastColumn = -1;
  for (int row = 0; row < rowLimit; ++row) {
    if (!hasUnits(row) && !hasRowRecord(row)) continue;
    if (blocks.empty() || blocks.back().front() / kRowsPerBlock != row / kRowsPerBlock) blocks.emplace_back();
    blocks.back().push_back(row);
    if (!hasUnits(row)) continue;
    const Row& units = m_rows[static_cast<std::size_t>(row)];
    if (firstRow < 0) firstRow = row;
    lastRow = row;
    for (const Unit& u : units) {
      firstColumn = firstColumn < 0 ? u.firstColumn : std::min(firstColumn, u.firstColumn);
      lastColumn = std::max(lastColumn, u.lastColumn);
    }
  }

  Bytes out;
  out.reserve(m_raw.size() + 1024);
  std::size_t indexBody = 0;
  bool hasIndex = false;
  std::uint32_t defColWidthPos = 0;
  const std::vector<Ref> prefix = walk(m_raw.data(), m_prefix.end);
  for (const Ref& r : prefix) {
    const std::size_t position = newOffset + out.size();
    if (r.type == rt::DefColWidth) defColWidthPos = static_cast<std::uint32_t>(position);
    if (r.type == rt::Index && !hasIndex) {
      hasIndex = true;
      indexBody = out.size() + 4;
      appendRecord(out, r.type, Bytes(16 + 4 * blocks.size(), 0));
    } else if (r.type == rt::Dimensions && r.length >= 14) {
      const std::size_t body = out.size() + 4;
      appendRange(out, m_raw, r.pos, r.end());
      setU32(out, body, static_cast<std::uint32_t>(std::max(firstRow, 0)));
      setU32(out, body + 4, static_cast<std::uint32_t>(lastRow + 1));
      setU16(out, body + 8, static_cast<std::uint16_t>(std::max(firstColumn, 0)));
      setU16(out, body + 10, static_cast<std::uint16_t>(lastColumn + 1));
    } else {
      appendRange(out, m_raw, r.pos, r.end());
    }
  }
  // Bytes after the last whole record of the prefix stay as they were.
  appendRange(out, m_raw, prefix.empty() ? 0 : prefix.back().end(), m_prefix.end);

  std::vector<std::uint32_t> dbCells;
  for (const auto& block : blocks) {
    const std::size_t firstRowPos = newOffset + out.size();
    std::size_t firstRowEnd = 0;
    for (int row : block) {
      Bytes body;
      if (hasRowRecord(row)) {
        const std::uint32_t at = m_rowRecords[static_cast<std::size_t>(row)];
        body.assign(m_raw.begin() + at, m_raw.begin() + at + getU16(m_raw, at - 2));
      } else {
        putU16(body, static_cast<std::uint16_t>(row));
        putU16(body, 0);
        putU16(body, 0);
        putU16(body, 0x00FF);
        putU16(body, 0);
        putU16(body, 0);
        putU32(body, 0x000F0100);
      }
      if (hasUnits(row)) {
        const Row& units = m_rows[static_cast<std::size_t>(row)];
        setU16(body, 2, static_cast<std::uint16_t>(units.front().firstColumn));
        setU16(body, 4, static_cast<std::uint16_t>(units.back().lastColumn + 1));
      }
      appendRecord(out, rt::Row, body);
      if (firstRowEnd == 0) firstRowEnd = newOffset + out.size();
    }
    Bytes dbcell;
    putU32(dbcell, 0);
    std::size_t pointer = firstRowEnd;
    for (int row : block) {
      if (!hasUnits(row)) {
        putU16(dbcell, 0);
        continue;
      }
      const std::size_t cellPos = newOffset + out.size();
      putU16(dbcell, static_cast<std::uint16_t>(cellPos - pointer));
      pointer = cellPos;
      for (const Unit& u : m_rows[static_cast<std::size_t>(row)]) {
        if (!u.replaced) {
          appendRange(out, m_raw, u.old.begin, u.old.end);
          continue;
        }
        for (const Record& r : u.records) appendRecord(out, r.type, r.data);
      }
    }
    const std::size_t dbcellPos = newOffset + out.size();
    setU32(dbcell, 0, static_cast<std::uint32_t>(dbcellPos - firstRowPos));
    appendRecord(out, rt::DbCell, dbcell);
    dbCells.push_back(static_cast<std::uint32_t>(dbcellPos));
  }

  for (const Range& r : m_inside) appendRange(out, m_raw, r.begin, r.end);
  appendRange(out, m_raw, m_suffix.begin, m_suffix.end);

  if (hasIndex) {
    setU32(out, indexBody + 4, static_cast<std::uint32_t>(std::max(firstRow, 0)));
    setU32(out, indexBody + 8, static_cast<std::uint32_t>(lastRow + 1));
    setU32(out, indexBody + 12, defColWidthPos);
    for (std::size_t b = 0; b < dbCells.size(); ++b) setU32(out, indexBody + 16 + 4 * b, dbCells[b]);
  }
  return out;
}

}  // namespace zelvora::xls
