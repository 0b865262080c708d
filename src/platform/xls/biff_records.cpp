#include "platform/xls/biff_records.h"

#include <algorithm>

namespace zelvora::xls {

bool splitRecords(const Bytes& stream, std::vector<Record>& records, std::vector<std::size_t>& offsets) {
  std::size_t pos = 0;
  while (pos + 4 <= stream.size()) {
    const std::uint16_t type = getU16(stream, pos);
    const std::size_t length = getU16(stream, pos + 2);
    if (length > stream.size() - pos - 4) return false;
    offsets.push_back(pos);
    records.push_back({type, Bytes(stream.begin() + static_cast<std::ptrdiff_t>(pos + 4),
                                   stream.begin() + static_cast<std::ptrdiff_t>(pos + 4 + length))});
    pos += 4 + length;
  }
  return true;
}

void appendRecord(Bytes& out, std::uint16_t type, const Bytes& body) {
  putU16(out, type);
  putU16(out, static_cast<std::uint16_t>(body.size()));
  out.insert(out.end(), body.begin(), body.end());
}

bool ContinuedReader::atEnd() const {
  for (std::size_t s = m_segment; s < m_segments.size(); ++s) {
    if ((s == m_segment ? m_pos : 0) < m_segments[s].size) return false;
  }
  return true;
}

bool ContinuedReader::nextSegment() {
  if (m_segment + 1 >= m_segments.size()) {
    m_ok = false;
    return false;
  }
  ++m_segment;
  m_pos = 0;
  return true;
}

std::uint8_t ContinuedReader::byte() {
  if (!m_ok) return 0;
  while (m_segment >= m_segments.size() || m_pos >= m_segments[m_segment].size) {
    if (!nextSegment()) return 0;
  }
  return m_segments[m_segment].data[m_pos++];
}

std::uint8_t ContinuedReader::u8() { return byte(); }

std::uint16_t ContinuedReader::u16() {
  const std::uint16_t lo = byte();
  return static_cast<std::uint16_t>(lo | (byte() << 8));
}

std::uint32_t ContinuedReader::u32() {
  const std::uint32_t lo = u16();
  return lo | (static_cast<std::uint32_t>(u16()) << 16);
}

Bytes ContinuedReader::bytes(std::size_t n) {
  Bytes out;
  while (n > 0 && m_ok) {
    if (m_segment >= m_segments.size() || m_pos >= m_segments[m_segment].size) {
      if (!nextSegment()) break;
      continue;
    }
    const Segment& seg = m_segments[m_segment];
    const std::size_t take = std::min(n, seg.size - m_pos);
    out.insert(out.end(), seg.data + m_pos, seg.data + m_pos + take);
    m_pos += take;
    n -= take;
  }
  return out;
}

RichString ContinuedReader::richString(bool sixteenBitCount) {
  RichString s;
  const std::size_t count = sixteenBitCount ? u16() : u8();
  std::uint8_t flags = u8();
  if (flags & 0x08) s.runCount = u16();
  const std::uint32_t extSize = (flags & 0x04) ? u32() : 0;
  std::size_t left = count;
  s.text.reserve(std::min<std::size_t>(count, 4096));
  while (left > 0 && m_ok) {
    if (m_segment >= m_segments.size() || m_pos >= m_segments[m_segment].size) {
      // The characters go on in the next record, which starts with its own
      // option byte (compressed or not).
      if (!nextSegment()) break;
      if (m_segments[m_segment].size == 0) continue;
      flags = m_segments[m_segment].data[m_pos++];
      continue;
    }
    const Segment& seg = m_segments[m_segment];
    if (flags & 0x01) {
      if (seg.size - m_pos < 2) {
        m_ok = false;
        break;
      }
      s.text += static_cast<char16_t>(seg.data[m_pos] | (seg.data[m_pos + 1] << 8));
      m_pos += 2;
    } else {
      s.text += static_cast<char16_t>(seg.data[m_pos]);
      m_pos += 1;
    }
    --left;
  }
  s.runs = bytes(static_cast<std::size_t>(s.runCount) * 4);
  s.ext = bytes(extSize);
  return s;
}

std::u16string readUnicodeString(ByteReader& reader, bool sixteenBitCount) {
  const std::size_t count = sixteenBitCount ? reader.u16() : reader.u8();
  const std::uint8_t flags = reader.u8();
  std::size_t runCount = 0;
  std::size_t extSize = 0;
  if (flags & 0x08) runCount = reader.u16();
  if (flags & 0x04) extSize = reader.u32();
  std::u16string text;
  text.reserve(std::min(count, reader.remaining()));
  for (std::size_t i = 0; i < count && reader.ok(); ++i) {
    const char16_t c = (flags & 0x01) ? static_cast<char16_t>(reader.u16()) : static_cast<char16_t>(reader.u8());
    if (reader.ok()) text += c;
  }
  reader.skip(runCount * 4);
  reader.skip(extSize);
  return text;
}

void writeUnicodeString(Bytes& out, const std::u16string& text, bool sixteenBitCount) {
  const bool wide = std::any_of(text.begin(), text.end(), [](char16_t c) { return c > 0xFF; });
  if (sixteenBitCount)
    putU16(out, static_cast<std::uint16_t>(text.size()));
  else
    putU8(out, static_cast<std::uint8_t>(text.size()));
  putU8(out, wide ? 0x01 : 0x00);
  for (char16_t c : text) {
    if (wide)
      putU16(out, c);
    else
      putU8(out, static_cast<std::uint8_t>(c));
  }
}

}  // namespace zelvora::xls
