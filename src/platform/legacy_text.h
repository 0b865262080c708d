#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace zelvora {

// Reads a text file that may come from the older Windows installation:
// UTF-8 when the bytes are valid UTF-8, else Windows-1252. Returns nothing
// when the file cannot be read.
std::optional<QString> ReadLegacyText(const QString& path);

// The lines of a text, ended by CR LF or LF; a final line ending does not
// start another (empty) line.
QStringList SplitLines(const QString& text);

}  // namespace zelvora
