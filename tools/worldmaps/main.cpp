// Draws the 48 world-map pages of the program folder's "zeitzonen" folder:
//   zelvora_worldmaps <output folder> <day picture> <night picture>
// The pictures are equirectangular earth images (longitude -180 at the left).
#include "worldmaps/map_page.h"

#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>

#include <cstdio>

int main(int argc, char** argv) {
  // Drawing the scales' text needs a GUI application, never a display.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir runtimeDir;
  if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) qputenv("XDG_RUNTIME_DIR", runtimeDir.path().toUtf8());
  QGuiApplication app(argc, argv);
  const QStringList args = app.arguments();
  if (args.size() != 4) {
    std::fprintf(stderr, "usage: zelvora_worldmaps <output folder> <day picture> <night picture>\n");
    return 2;
  }
  const QImage day(args[2]);
  const QImage night(args[3]);
  if (day.isNull() || night.isNull()) {
    std::fprintf(stderr, "zelvora_worldmaps: cannot read %s\n", qPrintable(day.isNull() ? args[2] : args[3]));
    return 1;
  }
  QString error;
  if (!zelvora::worldmaps::WriteWorldMaps(args[1], day, night, &error)) {
    std::fprintf(stderr, "zelvora_worldmaps: %s\n", qPrintable(error));
    return 1;
  }
  return 0;
}
