#pragma once

#include "platform/xls/biff_bytes.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace zelvora::xls {

// How a number cell is shown, taken from its cell format (XF) and the
// number format that XF names.
struct NumberStyle {
  enum class Kind { General, Fixed, Date, Time, DateTime };
  Kind kind = Kind::General;
  int decimals = 0;
  bool seconds = false;
  // Shown times 100 with a "%" after it.
  bool percent = false;
};

// Classifies a number format code ("dd.mm.yyyy", "0.000", "[h]:mm:ss").
NumberStyle classifyFormatCode(const std::u16string& code);

// A number as text: dates as "dd.mm.yyyy", times as "hh:mm" or "hh:mm:ss",
// other numbers with "." as decimal separator, percentages with "%".
std::string formatNumber(double value, const NumberStyle& style, bool date1904);

// The cell formats of a workbook: XF records in order, FORMAT records by
// number, and the date system.
class CellFormats {
 public:
  void addFormatRecord(const Bytes& body);
  void addXfRecord(const Bytes& body);
  void setDate1904(bool on) { m_date1904 = on; }

  NumberStyle style(std::uint16_t xf) const;
  std::string display(double value, std::uint16_t xf) const;

 private:
  std::map<std::uint16_t, NumberStyle> m_formats;
  std::vector<std::uint16_t> m_xfFormat;
  bool m_date1904 = false;
};

}  // namespace zelvora::xls
