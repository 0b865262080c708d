#pragma once

#include "platform/xls/biff_bytes.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zelvora::xls {

// Record types of the BIFF8 workbook stream that the program looks at.
namespace rt {
constexpr std::uint16_t Formula = 0x0006;
constexpr std::uint16_t Eof = 0x000A;
constexpr std::uint16_t FilePass = 0x002F;
constexpr std::uint16_t DateMode = 0x0022;
constexpr std::uint16_t Continue = 0x003C;
constexpr std::uint16_t CodePage = 0x0042;
constexpr std::uint16_t DefColWidth = 0x0055;
constexpr std::uint16_t ColInfo = 0x007D;
constexpr std::uint16_t BoundSheet = 0x0085;
constexpr std::uint16_t MulRk = 0x00BD;
constexpr std::uint16_t MulBlank = 0x00BE;
constexpr std::uint16_t RString = 0x00D6;
constexpr std::uint16_t DbCell = 0x00D7;
constexpr std::uint16_t Sst = 0x00FC;
constexpr std::uint16_t LabelSst = 0x00FD;
constexpr std::uint16_t ExtSst = 0x00FF;
constexpr std::uint16_t Dimensions = 0x0200;
constexpr std::uint16_t Blank = 0x0201;
constexpr std::uint16_t Number = 0x0203;
constexpr std::uint16_t Label = 0x0204;
constexpr std::uint16_t BoolErr = 0x0205;
constexpr std::uint16_t String = 0x0207;
constexpr std::uint16_t Row = 0x0208;
constexpr std::uint16_t Index = 0x020B;
constexpr std::uint16_t Array = 0x0221;
constexpr std::uint16_t Table = 0x0236;
constexpr std::uint16_t Rk = 0x027E;
constexpr std::uint16_t Format = 0x041E;
constexpr std::uint16_t ShrFmla = 0x04BC;
constexpr std::uint16_t Bof = 0x0809;
constexpr std::uint16_t Xf = 0x00E0;
}  // namespace rt

// The most a record body may hold; longer data goes on in CONTINUE records.
constexpr std::size_t kMaxRecordBody = 8224;

struct Record {
  std::uint16_t type = 0;
  Bytes data;
};

// Splits a stream into records. Returns false when a
// record runs past the end of the stream; the whole records before it are
// kept.
bool splitRecords(const Bytes& stream, std::vector<Record>& records, std::vector<std::size_t>& offsets);

// Appends the records' header and body bytes.
void appendRecord(Bytes& out, std::uint16_t type, const Bytes& body);

// A text with the formatting runs and phonetic data it carried in the file,
// kept byte for byte so that writing it back loses nothing.
struct RichString {
  std::u16string text;
  std::uint16_t runCount = 0;
  Bytes runs;
  Bytes ext;
  bool operator==(const RichString&) const = default;
};

// A record body (or part of one) inside a larger buffer.
struct Segment {
  const std::uint8_t* data = nullptr;
  std::size_t size = 0;
};

// Reads data that goes on from a record into its CONTINUE records. Text
// characters that cross into the next record restart with one option byte
// there, as BIFF8 stores them; every other field just goes on.
class ContinuedReader {
 public:
  explicit ContinuedReader(std::vector<Segment> segments) : m_segments(std::move(segments)) {}

  bool ok() const { return m_ok; }
  bool atEnd() const;
  std::uint8_t u8();
  std::uint16_t u16();
  std::uint32_t u32();
  Bytes bytes(std::size_t n);
  // The offset of the next byte: which segment, and where inside it.
  std::size_t segment() const { return m_segment; }
  std::size_t offsetInSegment() const { return m_pos; }

  // A BIFF8 unicode string with a 16-bit (or 8-bit) character count, with
  // rich-text runs and phonetic data when its flags say so.
  RichString richString(bool sixteenBitCount = true);

 private:
  bool nextSegment();
  std::uint8_t byte();

  std::vector<Segment> m_segments;
  std::size_t m_segment = 0;
  std::size_t m_pos = 0;
  bool m_ok = true;
};

// Reads a plain unicode string from a single record body.
std::u16string readUnicodeString(ByteReader& reader, bool sixteenBitCount);

// Writes a plain unicode string (16- or 8-bit count, compressed when every
// character fits in one byte) into one record body.
void writeUnicodeString(Bytes& out, const std::u16string& text, bool sixteenBitCount);

}  // namespace zelvora::xls
