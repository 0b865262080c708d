#include "platform/xls/workbook.h"

namespace zelvora::xls {
namespace {

Record record(std::uint16_t type, std::initializer_list<std::uint16_t> words = {}) {
  Record r{type, {}};
  for (std::uint16_t w : words) putU16(r.data, w);
  return r;
}

Record bof(std::uint16_t substreamType) {
  Record r = record(rt::Bof, {0x0600, substreamType, 0x0DBB, 0x07CC});
  putU32(r.data, 0x000100C1);
  putU32(r.data, 0x00000406);
  return r;
}

Record font(bool bold) {
  Record r = record(0x0031, {200, 0, 0x7FFF, static_cast<std::uint16_t>(bold ? 700 : 400), 0});
  putU8(r.data, 0);
  putU8(r.data, 0);
  putU8(r.data, 0);
  putU8(r.data, 0);
  writeUnicodeString(r.data, u"Arial", false);
  return r;
}

Record xf(std::uint16_t fontIndex, std::uint16_t formatIndex, bool style, std::uint8_t usedAttributes) {
  Record r = record(rt::Xf, {fontIndex, formatIndex, static_cast<std::uint16_t>(style ? 0xFFF5 : 0x0001)});
  putU8(r.data, 0x20);
  putU8(r.data, 0);
  putU8(r.data, 0);
  putU8(r.data, usedAttributes);
  putU32(r.data, 0);
  putU32(r.data, 0);
  putU16(r.data, 0x20C0);
  return r;
}

void append(Bytes& out, const Record& r) { appendRecord(out, r.type, r.data); }

}  // namespace

Workbook Workbook::createEmpty(const std::vector<std::string>& sheetNames, const std::vector<int>& columnWidths) {
  // The records Excel itself writes into a new workbook, without the
  // optional ones; positions of the sheets are filled in after layout.
  Bytes globals;
  append(globals, bof(0x0005));
  append(globals, record(0x00E1, {0x04B0}));
  append(globals, record(0x00C1, {0}));
  append(globals, record(0x00E2));
  append(globals, record(rt::CodePage, {0x04B0}));
  append(globals, record(0x0161, {0}));
  Record tabs = record(0x013D);
  for (std::size_t i = 0; i < sheetNames.size(); ++i) putU16(tabs.data, static_cast<std::uint16_t>(i + 1));
  append(globals, tabs);
  append(globals, record(0x009C, {0x000E}));
  append(globals, record(0x0019, {0}));
  append(globals, record(0x0012, {0}));
  append(globals, record(0x0013, {0}));
  append(globals, record(0x01AF, {0}));
  append(globals, record(0x01BC, {0}));
  append(globals, record(0x0040, {0}));
  append(globals, record(0x008D, {0}));
  append(globals, record(0x003D, {0x0168, 0x001E, 0x3A5C, 0x2328, 0x0038, 0, 0, 1, 0x0258}));
  append(globals, record(rt::DateMode, {0}));
  append(globals, record(0x000E, {1}));
  append(globals, record(0x01B7, {0}));
  append(globals, record(0x00DA, {0}));
  // Font 4 does not exist in BIFF; the bold font is number 5.
  for (int i = 0; i < 4; ++i) append(globals, font(false));
  append(globals, font(true));
  Record fixed4 = record(rt::Format, {164});
  writeUnicodeString(fixed4.data, u"0.0000", true);
  append(globals, fixed4);
  append(globals, xf(0, 0, true, 0));
  for (int i = 1; i < 15; ++i) append(globals, xf(i <= 2 ? 1 : (i <= 4 ? 2 : 0), 0, true, 0xF4));
  append(globals, xf(0, 0, false, 0));
  append(globals, xf(0, 164, false, 0x04));
  append(globals, xf(5, 0, false, 0x08));
  Record style = record(0x0293, {0x8000});
  putU8(style.data, 0);
  putU8(style.data, 0xFF);
  append(globals, style);
  std::vector<std::size_t> positions;
  for (const std::string& name : sheetNames) {
    Record sheet = record(rt::BoundSheet);
    putU32(sheet.data, 0);
    putU8(sheet.data, 0);
    putU8(sheet.data, 0);
    std::u16string wide = toUtf16(name);
    if (wide.size() > 31) wide.resize(31);
    writeUnicodeString(sheet.data, wide, false);
    positions.push_back(globals.size() + 4);
    append(globals, sheet);
  }
  append(globals, record(0x008C, {49, 49}));
  Record sst = record(rt::Sst);
  putU32(sst.data, 0);
  putU32(sst.data, 0);
  append(globals, sst);
  append(globals, record(rt::ExtSst, {8}));
  append(globals, record(rt::Eof));

  Bytes stream = globals;
  for (std::size_t i = 0; i < sheetNames.size(); ++i) {
    setU32(stream, positions[i], static_cast<std::uint32_t>(stream.size()));
    Bytes sheet;
    append(sheet, bof(0x0010));
    Record index = record(rt::Index);
    putU32(index.data, 0);
    putU32(index.data, 0);
    putU32(index.data, 0);
    putU32(index.data, 0);
    append(sheet, index);
    append(sheet, record(0x000D, {1}));
    append(sheet, record(0x000C, {100}));
    append(sheet, record(0x000F, {1}));
    append(sheet, record(0x0011, {0}));
    Record delta = record(0x0010);
    putF64(delta.data, 0.001);
    append(sheet, delta);
    append(sheet, record(0x005F, {1}));
    append(sheet, record(0x002A, {0}));
    append(sheet, record(0x002B, {0}));
    append(sheet, record(0x0082, {1}));
    append(sheet, record(0x0080, {0, 0, 0, 0}));
    append(sheet, record(0x0225, {0, 0x00FF}));
    append(sheet, record(0x0081, {0x04C1}));
    append(sheet, record(rt::DefColWidth, {8}));
    if (i == 0) {
      for (std::size_t c = 0; c < columnWidths.size(); ++c) {
        const auto column = static_cast<std::uint16_t>(c);
        append(sheet, record(rt::ColInfo, {column, column, static_cast<std::uint16_t>(columnWidths[c]), 15, 0, 0}));
      }
    }
    Record dimensions = record(rt::Dimensions);
    putU32(dimensions.data, 0);
    putU32(dimensions.data, 0);
    putU16(dimensions.data, 0);
    putU16(dimensions.data, 0);
    putU16(dimensions.data, 0);
    append(sheet, dimensions);
    append(sheet, record(0x023E, {static_cast<std::uint16_t>(i == 0 ? 0x06B6 : 0x00B6), 0, 0, 64, 0, 0, 0, 0, 0}));
    append(sheet, record(rt::Eof));
    stream.insert(stream.end(), sheet.begin(), sheet.end());
  }

  Workbook workbook;
  workbook.read(stream);
  return workbook;
}

}  // namespace zelvora::xls
