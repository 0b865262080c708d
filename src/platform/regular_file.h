#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace zelvora {

// Files the user may put into the program folder (pages, pictures, tips,
// settings) are read only when they are regular files of a sane size: a
// device such as /dev/zero never ends, and a named pipe or a socket can
// block the program for good.
constexpr qint64 kRegularFileLimit = 32 * 1024 * 1024;

// True for a regular file (or a link to one) of at most the limit.
bool IsRegularFileWithinLimit(const QString& path);

// The whole content of such a file; nothing when the file is missing,
// unreadable, not a regular file or larger than the limit.
std::optional<QByteArray> ReadRegularFile(const QString& path);

}  // namespace zelvora
