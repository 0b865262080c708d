#include "platform/xls/cell_formats.h"

#include <gtest/gtest.h>

namespace zelvora {
namespace {

using xls::classifyFormatCode;
using xls::formatNumber;

TEST(NumberFormat, DatesTimesAndNumbersShowAsTheProgramWritesThem) {
  struct Case {
    const char16_t* code;
    double value;
    bool date1904;
    const char* shown;
  };
  const Case cases[] = {
      {u"dd.mm.yyyy", 45356, false, "05.03.2024"},
      {u"yyyy-mmm-dd", 45356, false, "05.03.2024"},
      {u"d/m/yy;@", 45356, false, "05.03.2024"},
      {u"[$-407]dddd, d. mmmm yyyy", 45356.5, false, "05.03.2024"},
      {u"dd.mm.yyyy", 43894, true, "05.03.2024"},
      {u"dd.mm.yyyy", 1, false, "01.01.1900"},
      {u"dd.mm.yyyy", 61, false, "01.03.1900"},
      {u"hh:mm", 0.58819444444, false, "14:07"},
      {u"h:mm:ss", 0.99965277778, false, "23:59:30"},
      {u"mm:ss", 0.000694444444, false, "00:01:00"},
      {u"[h]:mm", 0.5, false, "12:00"},
      {u"hh:mm", 0.99999999, false, "00:00"},
      {u"dd.mm.yyyy hh:mm", 45356.25, false, "05.03.2024 06:00"},
      {u"0.0000", 6.005, false, "6.0050"},
      {u"#,##0.00", 1234.5, false, "1234.50"},
      {u"0", 2.5, false, "3"},
      {u"General", 6.005, false, "6.005"},
      {u"General", 1e20, false, "1e+20"},
      {u"\"Tag\" 0", 3, false, "3"},
      {u"[Red]0.0", -1.25, false, "-1.3"},
      {u"0.0000", 6.00125, false, "6.0013"},
      {u"0.0000", 1.00005, false, "1.0001"},
      {u"0.00", 9.995, false, "10.00"},
      {u"0", 0.5, false, "1"},
      {u"0.00", 0.004, false, "0.00"},
      {u"0.00", -0.004, false, "0.00"},
      {u"0.00", 0.0001234, false, "0.00"},
      {u"0.000", 0.0125, false, "0.013"},
      {u"0.0", 1e16, false, "10000000000000000.0"},
      {u"dd.mm.yyyy", -5, false, "-5"},
      {u"0%", 0.5, false, "50%"},
      {u"0.00%", 0.12346, false, "12.35%"},
      {u"0.0\"%\"", 0.5, false, "0.5"},
  };
  for (const Case& c : cases) {
    const auto style = classifyFormatCode(c.code);
    EXPECT_EQ(formatNumber(c.value, style, c.date1904), c.shown) << std::u16string(c.code).size() << " " << c.shown;
  }
}

TEST(NumberFormat, BuiltInPercentFormatsShowPercentages) {
  xls::CellFormats formats;
  for (std::uint8_t format : {9, 10}) {
    xls::Bytes xf(20, 0);
    xf[2] = format;
    formats.addXfRecord(xf);
  }
  EXPECT_EQ(formats.display(0.25, 0), "25%");
  EXPECT_EQ(formats.display(0.25, 1), "25.00%");
}

}  // namespace
}  // namespace zelvora
