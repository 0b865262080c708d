#include "platform/program_folder.h"

#include <QCoreApplication>
#include <QDir>

namespace zelvora {

QString ProgramFolder() {
  QString folder = qEnvironmentVariable("ZELVORA_PROGRAM_FOLDER");
  if (folder.isEmpty()) folder = QCoreApplication::applicationDirPath();
  while (folder.size() > 1 && (folder.endsWith(QLatin1Char('/')) || folder.endsWith(QLatin1Char('\\'))))
    folder.chop(1);
  return folder;
}

QString NativePath(const QString& path) {
  QString native = path;
  native.replace(QLatin1Char('\\'), QLatin1Char('/'));
  return QDir::toNativeSeparators(native);
}

}  // namespace zelvora
