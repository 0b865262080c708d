#include "platform/message_box.h"

#include <benchmark/benchmark.h>

#include <QApplication>

// Every benchmark program starts here. The window benchmarks need the
// application object; without a display they run on the offscreen platform.
// Benchmarks that need a program folder of their own set one.
int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (qEnvironmentVariableIsEmpty("ZELVORA_PROGRAM_FOLDER")) qputenv("ZELVORA_PROGRAM_FOLDER", ZELVORA_BUILT_PROGRAM_DIR);
  QApplication app(argc, argv);
  // A message box would stop the run; record instead.
  zelvora::RecordingMessageBox messages;
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
