#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace zelvora::xls {

using Bytes = std::vector<std::uint8_t>;

// Reads little-endian fields from a record body. Reading past the end never
// touches memory outside the body: it yields zero and clears ok(), so a
// damaged record is noticed once, after the fields were read.
class ByteReader {
 public:
  ByteReader(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
  explicit ByteReader(const Bytes& bytes) : ByteReader(bytes.data(), bytes.size()) {}

  bool ok() const { return m_ok; }
  std::size_t pos() const { return m_pos; }
  std::size_t remaining() const { return m_size - m_pos; }
  void seek(std::size_t pos);
  void skip(std::size_t n);

  std::uint8_t u8();
  std::uint16_t u16();
  std::uint32_t u32();
  double f64();
  // Copies n bytes; fewer (and ok() false) when the body is shorter.
  Bytes bytes(std::size_t n);

 private:
  bool take(std::size_t n);

  const std::uint8_t* m_data;
  std::size_t m_size;
  std::size_t m_pos = 0;
  bool m_ok = true;
};

void putU8(Bytes& out, std::uint8_t v);
void putU16(Bytes& out, std::uint16_t v);
void putU32(Bytes& out, std::uint32_t v);
void putF64(Bytes& out, double v);
void setU16(Bytes& out, std::size_t at, std::uint16_t v);
void setU32(Bytes& out, std::size_t at, std::uint32_t v);
std::uint16_t getU16(const Bytes& in, std::size_t at);
std::uint32_t getU32(const Bytes& in, std::size_t at);

// UTF-16 code units to UTF-8 and back; unpaired surrogates become U+FFFD.
std::string toUtf8(const std::u16string& text);
std::u16string toUtf16(const std::string& text);

}  // namespace zelvora::xls
