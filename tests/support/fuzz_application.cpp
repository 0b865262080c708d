#include "support/fuzz_application.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

namespace zelvora::test {

QString startFuzzApplication(int* argc, char*** argv) {
  static QTemporaryDir home;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qputenv("XDG_CONFIG_HOME", QDir(home.path()).filePath(QStringLiteral("config")).toUtf8());
  const QString folder = QDir(home.path()).filePath(QStringLiteral("program"));
  QDir().mkpath(folder + QStringLiteral("/html"));
  qputenv("ZELVORA_PROGRAM_FOLDER", folder.toUtf8());
  // Never torn down: Qt's font caches freed half-way at exit would show up
  // as leaks. Targets leave no window loaded between inputs, since Qt
  // cannot delete one once the process is ending.
  new QApplication(*argc, *argv);
  QApplication::setApplicationName(QStringLiteral("Zelvora"));
  QApplication::setOrganizationName(QStringLiteral("Zelvora"));
  return folder;
}

}  // namespace zelvora::test
