// Opening a 10,000-row logbook and saving it after one stamp, against
// ssconvert converting the same file as the anchor.

#include "logbook/logbook_connection.h"
#include "logbook/logbook_table.h"
#include "platform/xls/workbook_file.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>

namespace {

constexpr int kRows = 10000;

const QString& logbookPath() {
  static QTemporaryDir dir;
  static const QString path = [] {
    const QString p = dir.filePath(QStringLiteral("logbuch-10000.xls"));
    using zelvora::xls::Workbook;
    Workbook workbook = Workbook::createEmpty({"Tabelle1"});
    zelvora::xls::SheetTable* sheet = workbook.sheet("Tabelle1");
    const char* columns[] = {"Frequenz", "Datum", "Ortszeit", "UTC", "Sender", "Land", "Sprache", "SINPO", "Bemerkungen"};
    for (int c = 0; c < 9; ++c) workbook.setText(*sheet, 0, c, columns[c]);
    char text[64];
    for (int r = 1; r <= kRows; ++r) {
      workbook.setNumber(*sheet, r, 0, 3.9 + r * 0.005, Workbook::kFrequencyFormat);
      std::snprintf(text, sizeof text, "%02d.%02d.2024", r % 28 + 1, r % 12 + 1);
      workbook.setText(*sheet, r, 1, text);
      std::snprintf(text, sizeof text, "%02d:%02d", r % 24, r % 60);
      workbook.setText(*sheet, r, 2, text);
      workbook.setText(*sheet, r, 3, text);
      std::snprintf(text, sizeof text, "Sender %d", r % 300);
      workbook.setText(*sheet, r, 4, text);
      workbook.setText(*sheet, r, 5, r % 2 ? "Deutschland" : "Österreich");
      workbook.setText(*sheet, r, 6, "Deutsch");
      workbook.setNumber(*sheet, r, 7, 35000 + r % 10000);
      std::snprintf(text, sizeof text, "Empfang Nummer %d, Schwund und Störungen", r);
      workbook.setText(*sheet, r, 8, text);
    }
    zelvora::xls::WorkbookFile file;
    file.create(p.toStdString(), std::move(workbook));
    file.save();
    return p;
  }();
  return path;
}

void BM_OpenLogbook(benchmark::State& state) {
  const QString path = logbookPath();
  for (auto _ : state) {
    zelvora::LogbookConnection connection;
    zelvora::LogbookTable table;
    if (!connection.open(path) || !table.open(connection, QStringLiteral("Tabelle1"))) state.SkipWithError("open failed");
    benchmark::DoNotOptimize(table.recordCount());
  }
}
BENCHMARK(BM_OpenLogbook)->Unit(benchmark::kMillisecond);

void BM_SaveAfterOneStamp(benchmark::State& state) {
  const QString path = logbookPath();
  zelvora::LogbookConnection connection;
  zelvora::LogbookTable table;
  if (!connection.open(path) || !table.open(connection, QStringLiteral("Tabelle1"))) state.SkipWithError("open failed");
  int minute = 0;
  for (auto _ : state) {
    const QString stamp = QStringLiteral("14:%1").arg(minute++ % 60, 2, 10, QLatin1Char('0'));
    if (!table.write(kRows / 2, 3, stamp, true)) state.SkipWithError("save failed");
  }
}
BENCHMARK(BM_SaveAfterOneStamp)->Unit(benchmark::kMillisecond);

void BM_SsconvertAnchor(benchmark::State& state) {
  const QString path = logbookPath();
  QTemporaryDir out;
  for (auto _ : state) {
    QProcess ssconvert;
    ssconvert.start(QStringLiteral("ssconvert"), {path, out.filePath(QStringLiteral("anker.csv"))});
    if (!ssconvert.waitForFinished(120000) || ssconvert.exitCode() != 0) state.SkipWithError("ssconvert failed");
  }
}
BENCHMARK(BM_SsconvertAnchor)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
