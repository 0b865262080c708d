#include "platform/program_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <unistd.h>

namespace zelvora {
namespace {

QString withoutTrailingSeparator(QString folder) {
  while (folder.size() > 1 && (folder.endsWith(QLatin1Char('/')) || folder.endsWith(QLatin1Char('\\'))))
    folder.chop(1);
  return folder;
}

// access() rather than the permission bits: it also knows read-only
// mounts and access control lists.
bool writable(const QString& folder) { return ::access(QFile::encodeName(folder).constData(), W_OK) == 0; }

// Through a temporary file, so a start that is cut off never leaves half a
// page or workbook that would then count as present for ever.
bool copyFile(const QString& from, const QString& to) {
  QFile source(from);
  if (!source.open(QIODevice::ReadOnly)) return false;
  QSaveFile target(to);
  if (!target.open(QIODevice::WriteOnly)) return false;
  while (!source.atEnd()) {
    const QByteArray chunk = source.read(1 << 16);
    if (chunk.isEmpty() || target.write(chunk) != chunk.size()) {
      target.cancelWriting();
      return false;
    }
  }
  return target.commit();
}

ProgramFolderPlaces placesOfThisRun() {
  const QString executable = QCoreApplication::applicationDirPath();
  return {executable, QDir::cleanPath(executable + QStringLiteral("/" ZELVORA_INSTALLED_DATA_FROM_BINDIR)),
          QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/zelvora")};
}

}  // namespace

QString ProgramFolder() {
  QString folder = qEnvironmentVariable("ZELVORA_PROGRAM_FOLDER");
  if (folder.isEmpty()) {
    static const QString chosen = ChooseProgramFolder(placesOfThisRun());
    folder = chosen;
  }
  return withoutTrailingSeparator(folder);
}

QString NativePath(const QString& path) {
  QString native = path;
  native.replace(QLatin1Char('\\'), QLatin1Char('/'));
  return QDir::toNativeSeparators(native);
}

bool IsCompleteProgramFolder(const QString& folder) {
  const QDir dir(folder);
  for (const char* sub : {"html", "zeitzonen", "grafik", "excel"})
    if (!QFileInfo(dir.filePath(QLatin1String(sub))).isDir()) return false;
  for (const char* file : {"TIPOFDAY.TXT", "weblinks.ini"})
    if (!QFileInfo(dir.filePath(QLatin1String(file))).isFile()) return false;
  return true;
}

bool FillProgramFolder(const QString& from, const QString& to) {
  const QDir source(from);
  if (!source.exists() || !QDir().mkpath(to)) return false;
  bool complete = true;
  QDirIterator it(from, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString path = it.next();
    const QString target = QDir(to).filePath(source.relativeFilePath(path));
    if (QFileInfo::exists(target)) continue;
    if (!QDir().mkpath(QFileInfo(target).path()) || !copyFile(path, target)) complete = false;
  }
  return complete;
}

QString ChooseProgramFolder(const ProgramFolderPlaces& places) {
  if (IsCompleteProgramFolder(places.executableFolder) && writable(places.executableFolder))
    return withoutTrailingSeparator(places.executableFolder);
  if (!QFileInfo(places.installedData).isDir()) return withoutTrailingSeparator(places.executableFolder);
  FillProgramFolder(places.installedData, places.userFolder);
  if (QFileInfo(places.userFolder).isDir() && writable(places.userFolder))
    return withoutTrailingSeparator(places.userFolder);
  return withoutTrailingSeparator(places.installedData);
}

}  // namespace zelvora
