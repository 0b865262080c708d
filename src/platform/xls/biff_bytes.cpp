#include "platform/xls/biff_bytes.h"

namespace zelvora::xls {

void ByteReader::seek(std::size_t pos) {
  if (pos > m_size) {
    m_ok = false;
    m_pos = m_size;
    return;
  }
  m_pos = pos;
}

void ByteReader::skip(std::size_t n) {
  if (take(n)) m_pos += n;
}

bool ByteReader::take(std::size_t n) {
  if (n > m_size - m_pos) {
    m_ok = false;
    m_pos = m_size;
    return false;
  }
  return true;
}

std::uint8_t ByteReader::u8() {
  if (!take(1)) return 0;
  return m_data[m_pos++];
}

std::uint16_t ByteReader::u16() {
  if (!take(2)) return 0;
  const std::uint16_t v = static_cast<std::uint16_t>(m_data[m_pos] | (m_data[m_pos + 1] << 8));
  m_pos += 2;
  return v;
}

std::uint32_t ByteReader::u32() {
  if (!take(4)) return 0;
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | m_data[m_pos + i];
  m_pos += 4;
  return v;
}

double ByteReader::f64() {
  if (!take(8)) return 0.0;
  std::uint64_t bits = 0;
  for (int i = 7; i >= 0; --i) bits = (bits << 8) | m_data[m_pos + i];
  m_pos += 8;
  double v;
  std::memcpy(&v, &bits, sizeof v);
  return v;
}

Bytes ByteReader::bytes(std::size_t n) {
  const std::size_t available = std::min(n, m_size - m_pos);
  Bytes out(m_data + m_pos, m_data + m_pos + available);
  m_pos += available;
  if (available < n) m_ok = false;
  return out;
}

void putU8(Bytes& out, std::uint8_t v) { out.push_back(v); }

void putU16(Bytes& out, std::uint16_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void putU32(Bytes& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

void putF64(Bytes& out, double v) {
  std::uint64_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  for (int i = 0; i < 8; ++i) out.push_back(static_cast<std::uint8_t>(bits >> (8 * i)));
}

void setU16(Bytes& out, std::size_t at, std::uint16_t v) {
  out[at] = static_cast<std::uint8_t>(v);
  out[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

void setU32(Bytes& out, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

std::uint16_t getU16(const Bytes& in, std::size_t at) {
  if (at + 2 > in.size()) return 0;
  return static_cast<std::uint16_t>(in[at] | (in[at + 1] << 8));
}

std::uint32_t getU32(const Bytes& in, std::size_t at) {
  if (at + 4 > in.size()) return 0;
  return static_cast<std::uint32_t>(in[at]) | (static_cast<std::uint32_t>(in[at + 1]) << 8) |
         (static_cast<std::uint32_t>(in[at + 2]) << 16) | (static_cast<std::uint32_t>(in[at + 3]) << 24);
}

std::string toUtf8(const std::u16string& text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    std::uint32_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = 0xFFFD;
    }
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

std::u16string toUtf16(const std::string& text) {
  std::u16string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const auto b = static_cast<std::uint8_t>(text[i]);
    std::uint32_t c = 0xFFFD;
    std::size_t len = 1;
    if (b < 0x80) {
      c = b;
    } else if ((b & 0xE0) == 0xC0) {
      len = 2;
      c = b & 0x1F;
    } else if ((b & 0xF0) == 0xE0) {
      len = 3;
      c = b & 0x0F;
    } else if ((b & 0xF8) == 0xF0) {
      len = 4;
      c = b & 0x07;
    } else {
      len = 1;
    }
    if (len > 1) {
      if (i + len > text.size()) {
        c = 0xFFFD;
        len = text.size() - i;
      } else {
        for (std::size_t k = 1; k < len; ++k) {
          const auto cont = static_cast<std::uint8_t>(text[i + k]);
          if ((cont & 0xC0) != 0x80) {
            c = 0xFFFD;
            len = k;
            break;
          }
          c = (c << 6) | (cont & 0x3F);
        }
      }
    }
    if (c >= 0x10000 && c <= 0x10FFFF) {
      c -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (c >> 10));
      out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    } else {
      out += static_cast<char16_t>(c > 0x10FFFF ? 0xFFFD : c);
    }
    i += len;
  }
  return out;
}

}  // namespace zelvora::xls
