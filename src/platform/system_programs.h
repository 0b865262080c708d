#pragma once

#include <QString>
#include <QStringList>

namespace zelvora {

// The first of the given programs found on the search path, with its full
// path; empty when none is installed.
QString FindProgram(const QStringList& candidates);

// Starts a program as a separate process without waiting for it. Returns
// whether it could be started.
bool StartProgram(const QString& program);

}  // namespace zelvora
