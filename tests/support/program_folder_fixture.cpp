#include "support/program_folder_fixture.h"

#include "platform/clock.h"
#include "platform/form_registry.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

namespace zelvora::test {

bool copyTree(const QString& from, const QString& to, const QStringList& skip) {
  QDir source(from);
  if (!source.exists() || !QDir().mkpath(to)) return false;
  QDirIterator it(from, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString path = it.next();
    const QString relative = source.relativeFilePath(path);
    if (skip.contains(relative)) continue;
    const QString target = to + QLatin1Char('/') + relative;
    if (it.fileInfo().isDir()) {
      if (!QDir().mkpath(target)) return false;
    } else if (!QFile::copy(path, target)) {
      return false;
    }
  }
  return true;
}

void settle(int milliseconds) {
  QElapsedTimer timer;
  timer.start();
  do {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  } while (timer.elapsed() < milliseconds);
}

void ProgramFolderTest::SetUp() {
  m_folder = std::make_unique<QTemporaryDir>();
  ASSERT_TRUE(m_folder->isValid());
  // Each test starts like a new installation without receiver settings:
  // the built folder's settings file may hold what a user saved there. The
  // executable itself is not needed.
  ASSERT_TRUE(copyTree(QStringLiteral(ZELVORA_BUILT_PROGRAM_DIR), m_folder->path(),
                       {QStringLiteral("zelvora"), QStringLiteral("zelvora.ini")}));
  qputenv("ZELVORA_PROGRAM_FOLDER", m_folder->path().toUtf8());
  m_messages = std::make_unique<RecordingMessageBox>();
}

void ProgramFolderTest::TearDown() {
  FormRegistry::instance().reset();
  settle(0);
  Clock::reset();
  m_messages.reset();
  qunsetenv("ZELVORA_PROGRAM_FOLDER");
}

QString ProgramFolderTest::programPath(const QString& relative) const { return m_folder->filePath(relative); }

QString ProgramFolderTest::folder() const { return m_folder->path(); }

}  // namespace zelvora::test
