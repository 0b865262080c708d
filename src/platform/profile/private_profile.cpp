#include "platform/profile/private_profile.h"

#include "platform/file_error.h"
#include "platform/legacy_text.h"

#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>

namespace zelvora {
namespace {

// "[name]" with blanks around; returns the name, or a null string.
QString sectionName(const QString& line) {
  const QString t = line.trimmed();
  if (!t.startsWith(QLatin1Char('[')) || !t.contains(QLatin1Char(']'))) return {};
  return t.mid(1, t.indexOf(QLatin1Char(']')) - 1).trimmed();
}

bool sameName(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

}  // namespace

QString OneLineText(QString text) {
  for (QChar& ch : text)
    if (ch == QLatin1Char('\r') || ch == QLatin1Char('\n') || ch == QLatin1Char('\t')) ch = QLatin1Char(' ');
  return text;
}

ProfileFile::ProfileFile(QString path) : m_path(std::move(path)) {}

void ProfileFile::read() {
  m_lines.clear();
  m_unreadable = false;
  if (!QFileInfo::exists(m_path)) return;
  std::optional<QString> read = ReadLegacyText(m_path);
  m_unreadable = !read;
  if (!read) return;
  QString text = std::move(*read);
  text.remove(QLatin1Char('\r'));
  m_lines = text.split(QLatin1Char('\n'));
  if (!m_lines.isEmpty() && m_lines.last().isEmpty()) m_lines.removeLast();
}

qsizetype ProfileFile::findSection(const QString& section) const {
  for (qsizetype i = 0; i < m_lines.size(); ++i) {
    const QString name = sectionName(m_lines[i]);
    if (!name.isNull() && sameName(name, section)) return i;
  }
  return -1;
}

qsizetype ProfileFile::sectionEnd(qsizetype header) const {
  qsizetype i = header + 1;
  while (i < m_lines.size() && sectionName(m_lines[i]).isNull()) ++i;
  return i;
}

qsizetype ProfileFile::findKey(qsizetype header, const QString& key) const {
  const qsizetype end = sectionEnd(header);
  for (qsizetype i = header + 1; i < end; ++i) {
    const QString& line = m_lines[i];
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (eq < 0 || line.trimmed().startsWith(QLatin1Char(';'))) continue;
    if (sameName(line.left(eq).trimmed(), key)) return i;
  }
  return -1;
}

QString ProfileFile::value(const QString& section, const QString& key) const {
  const qsizetype header = findSection(section);
  if (header < 0) return QString();
  const qsizetype at = findKey(header, key);
  if (at < 0) return QString();
  const QString& line = m_lines[at];
  QString v = line.mid(line.indexOf(QLatin1Char('=')) + 1).trimmed();
  if (v.size() >= 2 && v.startsWith(QLatin1Char('"')) && v.endsWith(QLatin1Char('"'))) v = v.mid(1, v.size() - 2);
  return v.left(kMaxValueLength);
}

void ProfileFile::setValue(const QString& section, const QString& key, const QString& value) {
  // A tab in a key name keeps the line whole, and turning it into a blank
  // would write a key no later read finds.
  QString keyText = key;
  keyText.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
  const QString line = keyText + QLatin1Char('=') + OneLineText(value);
  qsizetype header = findSection(section);
  if (header < 0) {
    m_lines.append(QLatin1Char('[') + section + QLatin1Char(']'));
    m_lines.append(line);
    return;
  }
  const qsizetype at = findKey(header, key);
  if (at >= 0) {
    m_lines[at] = line;
    return;
  }
  // After the section's last non-empty line, so a blank line that parts
  // it from the next section stays where it is.
  qsizetype insert = sectionEnd(header);
  while (insert > header + 1 && m_lines[insert - 1].trimmed().isEmpty()) --insert;
  m_lines.insert(insert, line);
}

bool ProfileFile::write(QString* reason) const {
  const auto fail = [reason](int error) {
    if (reason) *reason = FileErrorReason(error);
    return false;
  };
  // Writing what little was read would lose the rest of a file that exists
  // but could not be read.
  if (m_unreadable) {
    if (reason) *reason = QStringLiteral("Die vorhandene Datei kann nicht gelesen werden.");
    return false;
  }
  QSaveFile file(m_path);
  // Unbuffered, so a failing write (a full disk) is seen here and the
  // temporary file is dropped, not committed half-written. The error
  // number is taken at once, before cleaning up can change it.
  errno = 0;
  if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return fail(errno ? errno : EACCES);
  QByteArray bytes;
  for (const QString& line : m_lines) bytes += line.toUtf8() + '\n';
  errno = 0;
  if (file.write(bytes) != bytes.size()) {
    const int error = errno ? errno : EIO;
    file.cancelWriting();
    return fail(error);
  }
  errno = 0;
  if (!file.commit()) return fail(errno ? errno : EIO);
  return true;
}

QString GetPrivateProfileString(const QString& section, const QString& key, const QString& file) {
  ProfileFile profile(file);
  profile.read();
  return profile.value(section, key);
}

bool WritePrivateProfileString(const QString& section, const QString& key, const QString& value, const QString& file,
                               QString* reason) {
  ProfileFile profile(file);
  profile.read();
  profile.setValue(section, key, value);
  return profile.write(reason);
}

}  // namespace zelvora
