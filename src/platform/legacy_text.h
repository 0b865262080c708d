#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace zelvora {

// Decodes the bytes of a file that may come from the older Windows
// installation: UTF-8 when they are valid UTF-8 (a byte-order mark is
// dropped), else Windows-1252.
QString DecodeLegacyText(const QByteArray& bytes);

// Reads a text file that may come from the older Windows installation:
// UTF-8 when the bytes are valid UTF-8, else Windows-1252. Returns nothing
// when the file cannot be read or is no regular file of a sane size
// (ReadRegularFile).
std::optional<QString> ReadLegacyText(const QString& path);

// The lines of a text, ended by CR LF or LF; a final line ending does not
// start another (empty) line.
QStringList SplitLines(const QString& text);

}  // namespace zelvora
