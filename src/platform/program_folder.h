#pragma once

#include <QString>

namespace zelvora {

// The program folder without a trailing separator: the executable's folder,
// or ZELVORA_PROGRAM_FOLDER when that is set.
QString ProgramFolder();

// Turns a path written with backslashes ("<folder>\html\einleitung.htm")
// into a native path. A trailing backslash stays a trailing separator.
QString NativePath(const QString& path);

}  // namespace zelvora
