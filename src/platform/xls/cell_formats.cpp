#include "platform/xls/cell_formats.h"

#include "platform/xls/biff_records.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace zelvora::xls {

NumberStyle classifyFormatCode(const std::u16string& code) {
  bool dayOrYear = false;
  bool month = false;
  bool time = false;
  bool seconds = false;
  bool inQuotes = false;
  int decimals = -1;
  bool fixed = false;
  bool percent = false;
  for (std::size_t i = 0; i < code.size(); ++i) {
    const char16_t c = code[i];
    if (c == u'"') {
      inQuotes = !inQuotes;
      continue;
    }
    if (inQuotes) continue;
    if (c == u'\\' || c == u'_' || c == u'*') {
      ++i;
      continue;
    }
    if (c == u'[') {
      // Colours and conditions are skipped; elapsed-time brackets count.
      const std::size_t end = code.find(u']', i);
      if (end == std::u16string::npos) break;
      const std::u16string inner = code.substr(i + 1, end - i - 1);
      if (!inner.empty() && (inner[0] == u'h' || inner[0] == u'H' || inner[0] == u'm' || inner[0] == u'M')) time = true;
      if (!inner.empty() && (inner[0] == u's' || inner[0] == u'S')) time = seconds = true;
      i = end;
      continue;
    }
    if (c == u';') break;
    switch (c) {
      case u'd': case u'D': case u'y': case u'Y':
        dayOrYear = true;
        break;
      case u'h': case u'H':
        time = true;
        break;
      case u's': case u'S':
        seconds = true;
        time = true;
        break;
      case u'm': case u'M':
        month = true;
        break;
      case u'0': case u'#': case u'?':
        if (decimals >= 0) ++decimals;
        fixed = true;
        break;
      case u'.':
        if (fixed || i + 1 < code.size()) decimals = 0;
        break;
      case u'%':
        percent = true;
        break;
      default:
        break;
    }
  }
  // Next to hours or seconds "m" means minutes, so it alone makes no date.
  const bool date = dayOrYear || (month && !time);
  NumberStyle style;
  if (date && time) {
    style.kind = NumberStyle::Kind::DateTime;
  } else if (time) {
    style.kind = NumberStyle::Kind::Time;
  } else if (date) {
    style.kind = NumberStyle::Kind::Date;
  } else if (fixed) {
    style.kind = NumberStyle::Kind::Fixed;
    style.decimals = std::max(0, decimals);
  }
  style.seconds = seconds;
  style.percent = percent && !date && !time;
  return style;
}

namespace {

NumberStyle builtinStyle(std::uint16_t format) {
  NumberStyle s;
  switch (format) {
    case 1: case 3: case 37: case 38:
      s.kind = NumberStyle::Kind::Fixed;
      break;
    case 2: case 4: case 39: case 40:
      s.kind = NumberStyle::Kind::Fixed;
      s.decimals = 2;
      break;
    case 9:
      s.kind = NumberStyle::Kind::Fixed;
      s.percent = true;
      break;
    case 10:
      s.kind = NumberStyle::Kind::Fixed;
      s.decimals = 2;
      s.percent = true;
      break;
    case 14: case 15: case 16: case 17:
      s.kind = NumberStyle::Kind::Date;
      break;
    case 18: case 20:
      s.kind = NumberStyle::Kind::Time;
      break;
    case 19: case 21: case 45: case 46: case 47:
      s.kind = NumberStyle::Kind::Time;
      s.seconds = true;
      break;
    case 22:
      s.kind = NumberStyle::Kind::DateTime;
      break;
    default:
      break;
  }
  return s;
}

// Civil date from a day count since 1970-01-01.
void civilFromDays(long long z, long long& y, unsigned& m, unsigned& d) {
  z += 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  y = static_cast<long long>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  d = doy - (153 * mp + 2) / 5 + 1;
  m = mp < 10 ? mp + 3 : mp - 9;
  y += (m <= 2);
}

std::string generalNumber(double value) {
  if (!std::isfinite(value)) return "#NUM!";
  char buffer[64];
  if (std::fabs(value) < 1e15 && value == std::floor(value)) {
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, static_cast<long long>(value));
    return std::string(buffer, result.ptr);
  }
  // The shortest text that reads back as the same double, limited to the
  // 15 digits a spreadsheet shows.
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
  std::string text(buffer, result.ptr);
  double back = 0;
  std::from_chars(text.data(), text.data() + text.size(), back);
  if (back != value) {
    result = std::to_chars(buffer, buffer + sizeof buffer, value);
    const std::string shortest(buffer, result.ptr);
    if (shortest.size() < text.size()) text = shortest;
  }
  return text;
}

// A number with a fixed count of decimals as a spreadsheet shows it: the
// value taken to its 15 significant digits, then rounded half away from
// zero, so 6.00125 shows as 6.0013 although the nearest double lies below.
std::string fixedNumber(double value, int decimals) {
  if (std::fabs(value) >= 1e300) return generalNumber(value);
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::scientific, 14);
  const std::string scientific(buffer, result.ptr);
  const std::size_t e = scientific.find('e');
  int exponent = 0;
  std::from_chars(scientific.data() + e + (scientific[e + 1] == '+' ? 2 : 1), scientific.data() + scientific.size(),
                  exponent);
  // The 15 digits d1 d2 ... stand for 0.d1d2... times 10 to the power of
  // "point"; "keep" of them remain after rounding.
  std::string digits = scientific.substr(0, 1) + scientific.substr(2, e - 2);
  int point = exponent + 1;
  const int keep = point + decimals;
  if (keep < 0) {
    digits.clear();
  } else if (keep < static_cast<int>(digits.size())) {
    const bool up = digits[static_cast<std::size_t>(keep)] >= '5';
    digits.resize(static_cast<std::size_t>(keep));
    int i = keep - 1;
    for (; up && i >= 0 && digits[static_cast<std::size_t>(i)] == '9'; --i) digits[static_cast<std::size_t>(i)] = '0';
    if (up && i >= 0) ++digits[static_cast<std::size_t>(i)];
    if (up && i < 0) {
      digits.insert(digits.begin(), '1');
      ++point;
    }
  }
  // Zeros in front so the point falls inside, zeros behind for the decimals.
  if (point < 1) {
    digits.insert(0, static_cast<std::size_t>(1 - point), '0');
    point = 1;
  }
  digits.resize(static_cast<std::size_t>(point + decimals), '0');
  std::string text = digits.substr(0, static_cast<std::size_t>(point));
  if (decimals > 0) text += '.' + digits.substr(static_cast<std::size_t>(point));
  const bool zero = text.find_first_not_of("0.") == std::string::npos;
  return value < 0 && !zero ? '-' + text : text;
}

}  // namespace

std::string formatNumber(double value, const NumberStyle& style, bool date1904) {
  if (!std::isfinite(value)) return "#NUM!";
  if (style.percent) {
    NumberStyle plain = style;
    plain.percent = false;
    return formatNumber(value * 100, plain, date1904) + '%';
  }
  char buffer[64];
  switch (style.kind) {
    case NumberStyle::Kind::General:
      return generalNumber(value);
    case NumberStyle::Kind::Fixed:
      return fixedNumber(value, style.decimals);
    case NumberStyle::Kind::Date:
    case NumberStyle::Kind::Time:
    case NumberStyle::Kind::DateTime:
      break;
  }
  // Serial day numbers: 1900 system counts from 1899-12-30 (with the
  // phantom 29 Feb 1900 before March), 1904 system from 1904-01-01.
  if (value < 0 || value > 2958465.99999) return generalNumber(value);
  long long days = static_cast<long long>(std::floor(value));
  long long secondsOfDay = std::llround((value - static_cast<double>(days)) * 86400.0);
  if (secondsOfDay >= 86400) {
    secondsOfDay -= 86400;
    ++days;
  }
  long long unixDays;
  if (date1904)
    unixDays = days - 24107;
  else
    unixDays = days - 25569 + (days < 61 ? 1 : 0);
  long long y;
  unsigned m, d;
  civilFromDays(unixDays, y, m, d);
  const int hh = static_cast<int>(secondsOfDay / 3600);
  const int mm = static_cast<int>(secondsOfDay / 60 % 60);
  const int ss = static_cast<int>(secondsOfDay % 60);
  std::string text;
  if (style.kind != NumberStyle::Kind::Time) {
    std::snprintf(buffer, sizeof buffer, "%02u.%02u.%04lld", d, m, y);
    text = buffer;
  }
  if (style.kind != NumberStyle::Kind::Date) {
    if (!text.empty()) text += ' ';
    if (style.seconds)
      std::snprintf(buffer, sizeof buffer, "%02d:%02d:%02d", hh, mm, ss);
    else
      std::snprintf(buffer, sizeof buffer, "%02d:%02d", hh, mm);
    text += buffer;
  }
  return text;
}

void CellFormats::addFormatRecord(const Bytes& body) {
  ByteReader reader(body);
  const std::uint16_t number = reader.u16();
  const std::u16string code = readUnicodeString(reader, true);
  m_formats[number] = classifyFormatCode(code);
}

void CellFormats::addXfRecord(const Bytes& body) { m_xfFormat.push_back(getU16(body, 2)); }

NumberStyle CellFormats::style(std::uint16_t xf) const {
  if (xf >= m_xfFormat.size()) return {};
  const std::uint16_t format = m_xfFormat[xf];
  const auto found = m_formats.find(format);
  return found != m_formats.end() ? found->second : builtinStyle(format);
}

std::string CellFormats::display(double value, std::uint16_t xf) const {
  return formatNumber(value, style(xf), m_date1904);
}

}  // namespace zelvora::xls
