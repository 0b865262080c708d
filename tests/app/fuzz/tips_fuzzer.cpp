// libFuzzer target for the tips file: the bytes are TIPOFDAY.TXT, in
// whatever encoding and line endings. The tips window must take one tip per
// line (CR LF or LF; a last line without an ending counts) and show one of
// them.

#include "app/frm_tip.h"
#include "platform/form_registry.h"
#include "support/fuzz_application.h"

#include <QFile>
#include <QLabel>

#include <cstdlib>
#include <iostream>

namespace {

QString tipsFile;

[[noreturn]] void fail(const std::string& what) {
  std::cerr << what << std::endl;
  std::abort();
}

qsizetype expectedLines(const std::uint8_t* data, std::size_t size) {
  qsizetype lines = 0;
  for (std::size_t i = 0; i < size; ++i) lines += data[i] == '\n';
  if (size > 0 && data[size - 1] != '\n') ++lines;
  return lines;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  tipsFile = zelvora::test::startFuzzApplication(argc, argv) + QStringLiteral("/TIPOFDAY.TXT");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  {
    QFile file(tipsFile);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size)) != static_cast<qint64>(size))
      fail("cannot write the tips file");
  }
  // Every input starts a fresh program: no tips kept from earlier loads.
  auto& tip = zelvora::form<zelvora::frmTip>();
  tip.load();
  const qsizetype lines = expectedLines(data, size);
  if (tip.tips().size() != lines)
    fail("read " + std::to_string(tip.tips().size()) + " tips from " + std::to_string(lines) + " lines");
  if (lines > 0 && tip.ui().lblTipText->text() != tip.tips().at(tip.currentTip() - 1))
    fail("the tip shown is not the current one");
  // A second opening appends the file again.
  if (!tip.LoadTips(tipsFile) || tip.tips().size() != 2 * lines) fail("the second read did not append every line");
  tip.cmdNextTip_Click();
  zelvora::FormRegistry::instance().reset();
  return 0;
}
