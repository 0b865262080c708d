// libFuzzer target for the settings file: the fuzzer picks a section, a key
// and a value and the rest of the bytes are the file. One key is written,
// the file is read back, and every key that could be read before must read
// the same, the written one as its value reads.

#include "platform/profile/private_profile.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <QCoreApplication>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>

#include <cstdlib>
#include <iostream>

namespace {

QTemporaryDir* workFolder = nullptr;

// Names as the program writes them: no brackets, equals signs, comment
// marks or line breaks, no blanks at either end.
bool isPlainName(const QString& name) {
  if (name.isEmpty() || name != name.trimmed()) return false;
  for (const QChar c : name)
    if (c == u'[' || c == u']' || c == u'=' || c == u';' || c == u'\r' || c == u'\n' || c.isNull()) return false;
  return true;
}

// Candidate names seen in the file, read naively: every bracketed word and
// every word before an equals sign. Pairs that do not exist read as empty
// before and after, which checks that the write did not create them.
void collectNames(const QByteArray& bytes, QSet<QString>& sections, QSet<QString>& keys) {
  for (const QByteArray& raw : bytes.split('\n')) {
    const QString line = QString::fromUtf8(raw).trimmed();
    if (line.startsWith(u'[') && line.contains(u']')) {
      sections << line.mid(1, line.indexOf(u']') - 1).trimmed();
    } else if (line.contains(u'=')) {
      keys << line.left(line.indexOf(u'=')).trimmed();
    }
    if (sections.size() > 8 || keys.size() > 16) return;
  }
}

// A name seen in the file, when wanted and there is one, else one the
// program uses.
QString pick(bool fromFile, std::uint8_t index, const QStringList& seen, const QStringList& program) {
  const QStringList& from = fromFile && !seen.isEmpty() ? seen : program;
  return from.at(index % from.size());
}

// The value as a read gives it back: one line, blanks and one pair of
// enclosing quotes dropped, cut at the read length.
QString readBackForm(const QString& written) {
  QString value = zelvora::OneLineText(written).trimmed();
  if (value.size() >= 2 && value.startsWith(u'"') && value.endsWith(u'"')) value = value.mid(1, value.size() - 2);
  return value.left(zelvora::ProfileFile::kMaxValueLength);
}

[[noreturn]] void fail(const QString& what) {
  std::cerr << what.toStdString() << std::endl;
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  static QCoreApplication app(*argc, *argv);
  workFolder = new QTemporaryDir;
  return workFolder->isValid() ? 0 : 1;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  static const QStringList programSections = {"RADIO", "COMMUNICATION", "SCAN", "MEMORY", "radio", "Neu"};
  static const QStringList programKeys = {"Frequency", "CommPort", "PauseScan", "MemoryName17", "memoryname1", "Neu"};
  const bool sectionFromFile = in.ConsumeBool();
  const bool keyFromFile = in.ConsumeBool();
  const auto sectionIndex = in.ConsumeIntegral<std::uint8_t>();
  const auto keyIndex = in.ConsumeIntegral<std::uint8_t>();
  const QString value = QString::fromStdString(in.ConsumeRandomLengthString(400));
  const std::string rest = in.ConsumeRemainingBytesAsString();
  const QByteArray file(rest.data(), static_cast<qsizetype>(rest.size()));

  QSet<QString> seenSections, seenKeys;
  collectNames(file, seenSections, seenKeys);
  QStringList plainSections, plainKeys;
  for (const QString& s : std::as_const(seenSections))
    if (isPlainName(s)) plainSections << s;
  for (const QString& k : std::as_const(seenKeys))
    if (isPlainName(k)) plainKeys << k;
  plainSections.sort();
  plainKeys.sort();
  const QString section = pick(sectionFromFile, sectionIndex, plainSections, programSections);
  const QString key = pick(keyFromFile, keyIndex, plainKeys, programKeys);

  const QString path = workFolder->filePath(QStringLiteral("zelvora.ini"));
  {
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(file) != file.size()) fail("cannot write");
  }
  zelvora::ProfileFile before(path);
  before.read();
  zelvora::ProfileFile changed(path);
  changed.read();
  changed.setValue(section, key, value);
  if (!changed.write()) fail("the write failed");
  zelvora::ProfileFile after(path);
  after.read();

  if (after.value(section, key) != readBackForm(value))
    fail("written [" + section + "] " + key + " reads back as \"" + after.value(section, key) + "\"");
  for (const QString& s : programSections) seenSections << s;
  for (const QString& k : programKeys) seenKeys << k;
  for (const QString& s : std::as_const(seenSections))
    for (const QString& k : std::as_const(seenKeys)) {
      if (s.compare(section, Qt::CaseInsensitive) == 0 && k.compare(key, Qt::CaseInsensitive) == 0) continue;
      if (before.value(s, k) != after.value(s, k))
        fail("[" + s + "] " + k + " was \"" + before.value(s, k) + "\", is \"" + after.value(s, k) + "\"");
    }
  return 0;
}
