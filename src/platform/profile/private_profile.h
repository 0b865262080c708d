#pragma once

#include <QString>
#include <QStringList>

namespace zelvora {

// A settings file in the classic sectioned key=value format. Section and
// key names match without regard to letter case; a value is read without
// its surrounding blanks (and quotes) and cut at 255 characters. Writing
// replaces the key's line, or adds the key at the end of its section, or
// the section at the end of the file; every other line stays as it was.
//
// The file is read as UTF-8 when it is valid UTF-8, else as Windows-1252
// (files of the older installation), and written as UTF-8 into a temporary
// file that replaces the old one only when complete.
class ProfileFile {
 public:
  explicit ProfileFile(QString path);

  // Reads the file; a missing file is an empty profile.
  void read();
  QString value(const QString& section, const QString& key) const;
  // Line breaks in the key, and line breaks and tabs in the value, become
  // blanks: each entry stays one line, so no text can open a section of its
  // own.
  void setValue(const QString& section, const QString& key, const QString& value);
  // False when the file could not be written, with the reason for the
  // user in *reason; the old file is then intact.
  bool write(QString* reason = nullptr) const;

  static constexpr int kMaxValueLength = 255;

 private:
  qsizetype findSection(const QString& section) const;
  qsizetype sectionEnd(qsizetype header) const;
  qsizetype findKey(qsizetype header, const QString& key) const;

  QString m_path;
  QStringList m_lines;
  bool m_unreadable = false;
};

// The text with every line break and tab turned into a blank.
QString OneLineText(QString text);

// One read of one key, "" when the file, section or key is missing.
QString GetPrivateProfileString(const QString& section, const QString& key, const QString& file);
// One write of one key; the file and section are created when missing.
bool WritePrivateProfileString(const QString& section, const QString& key, const QString& value, const QString& file,
                               QString* reason = nullptr);

}  // namespace zelvora
