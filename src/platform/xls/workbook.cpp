#include "platform/xls/workbook.h"

#include <algorithm>

namespace zelvora::xls {
namespace {

constexpr std::uint16_t kBiff8 = 0x0600;
constexpr std::uint16_t kGlobalsType = 0x0005;
constexpr std::uint16_t kWorksheetType = 0x0010;
// Readers expect the workbook stream to lie outside the container's
// small-block area, which holds streams under 4096 bytes; FreeXL takes a
// stream of exactly 4096 bytes for a small one, so it gets a few more.
constexpr std::size_t kMinimumStreamSize = 4100;

bool sameName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

}  // namespace

Workbook::ReadResult Workbook::read(const Bytes& stream) {
  m_stream = stream;
  // Find the substreams (BOF to EOF, charts inside sheets nested) by their
  // record headers; only the globals are taken apart into records.
  std::size_t pos = 0;
  int depth = 0;
  while (pos + 4 <= m_stream.size()) {
    const std::uint16_t type = getU16(m_stream, pos);
    const std::size_t length = getU16(m_stream, pos + 2);
    if (length > m_stream.size() - pos - 4) break;
    if (depth == 0 && type == rt::Bof) m_substreams.push_back({pos, pos, nullptr});
    if (type == rt::Bof) ++depth;
    // Padding and stray records between substreams are not kept.
    if (depth > 0) m_substreams.back().end = pos + 4 + length;
    if (type == rt::Eof && depth > 0) --depth;
    pos += 4 + length;
  }
  if (m_substreams.empty() || m_substreams.front().offset != 0) return ReadResult::NotBiff8;
  const Substream globals = std::move(m_substreams.front());
  m_substreams.erase(m_substreams.begin());
  std::vector<std::size_t> offsets;
  splitRecords(Bytes(m_stream.begin(), m_stream.begin() + static_cast<std::ptrdiff_t>(globals.end)), m_globals, offsets);
  const Bytes& bof = m_globals.front().data;
  if (getU16(bof, 0) != kBiff8 || getU16(bof, 2) != kGlobalsType) return ReadResult::NotBiff8;

  for (std::size_t i = 0; i < m_globals.size(); ++i) {
    const Record& r = m_globals[i];
    switch (r.type) {
      case rt::FilePass:
        return ReadResult::Encrypted;
      case rt::DateMode:
        m_formats.setDate1904(getU16(r.data, 0) == 1);
        break;
      case rt::Format:
        m_formats.addFormatRecord(r.data);
        break;
      case rt::Xf:
        m_formats.addXfRecord(r.data);
        break;
      case rt::Sst: {
        std::vector<Segment> segments{{r.data.data(), r.data.size()}};
        for (std::size_t k = i + 1; k < m_globals.size() && m_globals[k].type == rt::Continue; ++k)
          segments.push_back({m_globals[k].data.data(), m_globals[k].data.size()});
        if (!m_strings.read(segments)) return ReadResult::Damaged;
        break;
      }
      case rt::BoundSheet: {
        ByteReader body(r.data);
        const std::uint32_t position = body.u32();
        body.u8();
        const std::uint8_t type = body.u8();
        const std::u16string name = readUnicodeString(body, false);
        if (!body.ok()) return ReadResult::Damaged;
        const auto at = std::find_if(m_substreams.begin(), m_substreams.end(),
                                     [position](const Substream& s) { return s.offset == position; });
        if (at == m_substreams.end()) return ReadResult::Damaged;
        const auto index = static_cast<std::size_t>(at - m_substreams.begin());
        const bool worksheet = type == 0 && getU16(m_stream, at->offset + 6) == kWorksheetType;
        m_sheets.push_back({toUtf8(name), index, worksheet});
        break;
      }
      default:
        break;
    }
  }
  return ReadResult::Ok;
}

std::vector<std::string> Workbook::sheetNames() const {
  std::vector<std::string> names;
  for (const Sheet& s : m_sheets) names.push_back(s.name);
  return names;
}

SheetTable* Workbook::sheet(const std::string& name) {
  for (const Sheet& s : m_sheets) {
    if (!s.worksheet || !sameName(s.name, name)) continue;
    Substream& sub = m_substreams[s.substream];
    if (!sub.table) {
      sub.table = std::make_unique<SheetTable>();
      sub.table->read(m_stream.data() + sub.offset, sub.end - sub.offset, m_strings, m_formats);
    }
    return sub.table.get();
  }
  return nullptr;
}

bool Workbook::setText(SheetTable& sheet, int row, int column, const std::string& text, int xf) {
  return sheet.setText(row, column, toUtf16(text), m_strings, xf);
}

bool Workbook::setNumber(SheetTable& sheet, int row, int column, double number, int xf) {
  return sheet.setNumber(row, column, number, m_formats, xf);
}

Bytes Workbook::write() const {
  Bytes out;
  std::vector<std::size_t> boundSheetBodies;
  const bool hasTable = std::any_of(m_globals.begin(), m_globals.end(), [](const Record& r) { return r.type == rt::Sst; });
  for (std::size_t i = 0; i < m_globals.size(); ++i) {
    const Record& r = m_globals[i];
    const bool lastRecord = i + 1 == m_globals.size();
    if (m_strings.grown() && (r.type == rt::Sst || r.type == rt::ExtSst || (!hasTable && lastRecord))) {
      if (r.type == rt::ExtSst) continue;
      // The table is written anew, EXTSST right behind it; a workbook
      // without one gets it at the end of its globals.
      for (const Record& sst : m_strings.write(out.size())) appendRecord(out, sst.type, sst.data);
      if (r.type != rt::Sst) {
        appendRecord(out, r.type, r.data);
        continue;
      }
      while (i + 1 < m_globals.size() && m_globals[i + 1].type == rt::Continue) ++i;
      continue;
    }
    if (r.type == rt::BoundSheet) boundSheetBodies.push_back(out.size() + 4);
    appendRecord(out, r.type, r.data);
  }

  std::vector<std::size_t> newOffsets;
  for (const Substream& s : m_substreams) {
    newOffsets.push_back(out.size());
    const Bytes bytes = s.table ? s.table->serialize(s.offset, out.size())
                                : serializeMoved(m_stream.data() + s.offset, s.end - s.offset, s.offset, out.size());
    out.insert(out.end(), bytes.begin(), bytes.end());
  }
  for (std::size_t k = 0; k < boundSheetBodies.size() && k < m_sheets.size(); ++k)
    setU32(out, boundSheetBodies[k], static_cast<std::uint32_t>(newOffsets[m_sheets[k].substream]));
  if (out.size() < kMinimumStreamSize) out.resize(kMinimumStreamSize, 0);
  return out;
}

}  // namespace zelvora::xls
