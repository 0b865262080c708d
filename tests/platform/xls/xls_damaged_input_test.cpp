#include "platform/xls/workbook_file.h"

#include <gtest/gtest.h>

#include <QFile>

#include <random>

namespace zelvora {
namespace {

using xls::Bytes;
using xls::Workbook;

Bytes defaultLogbook() {
  QFile f(QStringLiteral(ZELVORA_BUILT_PROGRAM_DIR "/excel/logbuch-kw.xls"));
  if (!f.open(QIODevice::ReadOnly)) return {};
  const QByteArray all = f.readAll();
  return Bytes(all.begin(), all.end());
}

// Everything a reader does with a file: open, read every cell of the
// sheet, change one and write the workbook again.
void readEverything(const Bytes& file) {
  xls::OleEntry root;
  Workbook workbook;
  if (xls::readWorkbookBytes(file, root, workbook) != xls::FileStatus::Ok) return;
  xls::SheetTable* sheet = workbook.sheet("Tabelle1");
  if (!sheet) return;
  std::size_t characters = 0;
  for (int r = 0; r < std::min(sheet->rowCount(), 200); ++r)
    for (int c = 0; c < sheet->columnCount(); ++c) characters += sheet->value(r, c).text.size();
  workbook.setText(*sheet, 1, 1, "05.03.2024");
  const Bytes again = workbook.write();
  EXPECT_GT(again.size(), 4096u);
  (void)characters;
}

TEST(XlsDamagedInput, TruncatedAndMutatedFilesNeverCrashOrHang) {
  const Bytes good = defaultLogbook();
  ASSERT_GT(good.size(), 2048u);
  for (std::size_t length : {0ul, 1ul, 8ul, 511ul, 512ul, 513ul, 1024ul, 1536ul, good.size() / 2, good.size() - 1})
    readEverything(Bytes(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(std::min(length, good.size()))));

  std::mt19937 random(20240305);
  std::uniform_int_distribution<std::size_t> position(0, good.size() - 1);
  std::uniform_int_distribution<int> value(0, 255);
  for (int round = 0; round < 3000; ++round) {
    Bytes bad = good;
    const int changes = 1 + round % 8;
    for (int k = 0; k < changes; ++k) bad[position(random)] = static_cast<std::uint8_t>(value(random));
    readEverything(bad);
  }
}

// A workbook stream made of records, for shapes no writer makes.
class StreamBuilder {
 public:
  StreamBuilder& record(std::uint16_t type, const Bytes& body) {
    xls::appendRecord(m_bytes, type, body);
    return *this;
  }
  std::size_t size() const { return m_bytes.size(); }
  Bytes bytes() const { return m_bytes; }

 private:
  Bytes m_bytes;
};

Bytes words(std::initializer_list<std::uint32_t> values, int width = 2) {
  Bytes out;
  for (std::uint32_t v : values) {
    if (width == 2)
      xls::putU16(out, static_cast<std::uint16_t>(v));
    else
      xls::putU32(out, v);
  }
  return out;
}

Bytes boundSheet(std::uint32_t position) {
  Bytes body = words({position}, 4);
  body.push_back(0);
  body.push_back(0);
  xls::writeUnicodeString(body, u"Tabelle1", false);
  return body;
}

TEST(XlsDamagedInput, HostileRecordsAreRefusedOrReadSafely) {
  const Bytes globalsBof = words({0x0600, 0x0005, 0, 0, 0, 0, 0, 0});
  const Bytes sheetBof = words({0x0600, 0x0010, 0, 0, 0, 0, 0, 0});

  // A sheet position that points at no substream.
  {
    StreamBuilder s;
    s.record(xls::rt::Bof, globalsBof).record(xls::rt::BoundSheet, boundSheet(12345)).record(xls::rt::Eof, {});
    Workbook w;
    EXPECT_EQ(w.read(s.bytes()), Workbook::ReadResult::Damaged);
  }
  // An encrypted workbook.
  {
    StreamBuilder s;
    s.record(xls::rt::Bof, globalsBof).record(xls::rt::FilePass, words({1, 1})).record(xls::rt::Eof, {});
    Workbook w;
    EXPECT_EQ(w.read(s.bytes()), Workbook::ReadResult::Encrypted);
  }
  // A BIFF5 workbook.
  {
    StreamBuilder s;
    s.record(xls::rt::Bof, words({0x0500, 0x0005, 0, 0})).record(xls::rt::Eof, {});
    Workbook w;
    EXPECT_EQ(w.read(s.bytes()), Workbook::ReadResult::NotBiff8);
  }
  // Huge counts: a string table claiming four billion strings, a text
  // claiming 65535 characters, a cell row that claims 65535 columns, a
  // cell pointing past the string table, a record longer than the stream.
  {
    StreamBuilder s;
    s.record(xls::rt::Bof, globalsBof);
    const std::size_t boundAt = s.size();
    s.record(xls::rt::BoundSheet, boundSheet(0));
    Bytes sst = words({0xFFFFFFFF, 0xFFFFFFFF}, 4);
    xls::putU16(sst, 1);
    sst.push_back(0);
    sst.push_back('A');
    s.record(xls::rt::Sst, sst).record(xls::rt::Eof, {});
    const std::size_t sheetAt = s.size();
    Bytes mulrk = words({1, 0});
    for (int i = 0; i < 3; ++i) {
      xls::putU16(mulrk, 15);
      xls::putU32(mulrk, 0x3FF00000);
    }
    xls::putU16(mulrk, 0xFFFF);
    s.record(xls::rt::Bof, sheetBof)
        .record(xls::rt::MulRk, mulrk)
        .record(xls::rt::LabelSst, [] {
          Bytes b = words({2, 0, 15});
          xls::putU32(b, 999999);
          return b;
        }())
        .record(xls::rt::Label, words({3, 0, 15, 0xFFFF, 0x0100}))
        .record(xls::rt::Formula, words({4, 0, 15, 0, 0, 0, 0xFFFF}))
        .record(xls::rt::Eof, {});
    Bytes stream = s.bytes();
    xls::setU32(stream, boundAt + 4, static_cast<std::uint32_t>(sheetAt));
    stream.push_back(0x01);
    stream.push_back(0x02);
    stream.push_back(0xFF);
    stream.push_back(0x7F);
    Workbook w;
    ASSERT_EQ(w.read(stream), Workbook::ReadResult::Ok);
    {
      xls::SheetTable* sheet = w.sheet("tabelle1");
      ASSERT_NE(sheet, nullptr);
      EXPECT_LE(sheet->columnCount(), xls::SheetTable::kMaxColumns);
      EXPECT_EQ(sheet->value(1, 1).text, "1");
      EXPECT_EQ(sheet->value(2, 0).type, xls::CellType::Empty);
      EXPECT_EQ(sheet->value(3, 0).type, xls::CellType::Text);
      w.setNumber(*sheet, 1, 2, 7.5);
      Workbook again;
      ASSERT_EQ(again.read(w.write()), Workbook::ReadResult::Ok);
      EXPECT_EQ(again.sheet("Tabelle1")->value(1, 2).text, "7.5");
      EXPECT_EQ(again.sheet("Tabelle1")->value(1, 1).text, "1");
    }
  }
}

}  // namespace
}  // namespace zelvora
