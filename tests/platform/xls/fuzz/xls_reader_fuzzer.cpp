// libFuzzer target for the workbook reader: the bytes go in once as a whole
// file (compound file with the workbook stream) and once as a bare workbook
// stream, so mutations reach the record parsing even when they break the
// container.

#include "platform/xls/workbook_file.h"

#include <glib.h>

#include <cstddef>
#include <cstdint>

namespace {

void ignoreLog(const gchar*, GLogLevelFlags, const gchar*, gpointer) {}

void exercise(zelvora::xls::Workbook& workbook) {
  zelvora::xls::SheetTable* sheet = workbook.sheet("Tabelle1");
  if (!sheet) return;
  std::size_t characters = 0;
  for (int r = 0; r < sheet->rowCount() && r < 300; ++r)
    for (int c = 0; c < sheet->columnCount(); ++c) characters += sheet->value(r, c).text.size();
  workbook.setText(*sheet, 1, 1, "05.03.2024");
  workbook.setNumber(*sheet, sheet->rowCount(), 0, 6.005);
  zelvora::xls::Workbook again;
  again.read(workbook.write());
  (void)characters;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // libgsf reports every damaged container on the console; that slows the
  // run down and says nothing the result does not.
  g_log_set_default_handler(ignoreLog, nullptr);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const zelvora::xls::Bytes bytes(data, data + size);
  zelvora::xls::OleEntry root;
  zelvora::xls::Workbook workbook;
  if (zelvora::xls::readWorkbookBytes(bytes, root, workbook) == zelvora::xls::FileStatus::Ok) exercise(workbook);
  zelvora::xls::Workbook bare;
  if (bare.read(bytes) == zelvora::xls::Workbook::ReadResult::Ok) exercise(bare);
  return 0;
}
