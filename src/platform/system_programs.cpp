#include "platform/system_programs.h"

#include <QProcess>
#include <QStandardPaths>

namespace zelvora {

QString FindProgram(const QStringList& candidates) {
  for (const QString& name : candidates) {
    const QString path = QStandardPaths::findExecutable(name);
    if (!path.isEmpty()) return path;
  }
  return {};
}

bool StartProgram(const QString& program) { return !program.isEmpty() && QProcess::startDetached(program, {}); }

}  // namespace zelvora
