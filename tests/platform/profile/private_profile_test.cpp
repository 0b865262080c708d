#include "platform/profile/private_profile.h"
#include "support/special_files.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace zelvora {
namespace {

class PrivateProfileTest : public ::testing::Test {
 protected:
  QString path() const { return m_dir.filePath(QStringLiteral("zelvora.ini")); }
  void write(const QByteArray& bytes) {
    QFile f(path());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
  }
  QByteArray contents() const {
    QFile f(path());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
  QTemporaryDir m_dir;
};

TEST_F(PrivateProfileTest, ReadsWithoutRegardToCase) {
  write("[Radio]\r\n  Frequency  =  94.4  \r\nName=\"  quoted  \"\r\n[radio]\r\nVolume=1\r\n;Squelch=3\r\n");
  const std::pair<const char*, const char*> cases[] = {
      {"FREQUENCY", "94.4"}, {"frequency", "94.4"}, {"Name", "  quoted  "}, {"Missing", ""}, {";Squelch", ""}};
  for (const auto& [key, value] : cases)
    EXPECT_EQ(GetPrivateProfileString(QStringLiteral("RADIO"), QLatin1String(key), path()), QLatin1String(value)) << key;
  EXPECT_EQ(GetPrivateProfileString(QStringLiteral("NOPE"), QStringLiteral("Frequency"), path()), QString());
  EXPECT_EQ(GetPrivateProfileString(QStringLiteral("RADIO"), QStringLiteral("Volume"), path()), QString())
      << "only the first of two sections with the same name counts";
  EXPECT_EQ(GetPrivateProfileString(QStringLiteral("RADIO"), QStringLiteral("Frequency"), m_dir.filePath(QStringLiteral("none.ini"))),
            QString());
}

TEST_F(PrivateProfileTest, LongValuesArriveCutAt255Characters) {
  write("[M]\nName=" + QByteArray(300, 'x') + "\n");
  EXPECT_EQ(GetPrivateProfileString(QStringLiteral("M"), QStringLiteral("Name"), path()).size(), 255);
}

TEST_F(PrivateProfileTest, ReadsFilesOfTheOlderInstallationAndWritesUtf8) {
  write("[MEMORY]\r\nMemoryName2=R\xe9lais \xd6lberg \x80\r\n");
  EXPECT_EQ(GetPrivateProfileString(QStringLiteral("MEMORY"), QStringLiteral("MemoryName2"), path()),
            QString::fromUtf8("Rélais Ölberg €"));
  ASSERT_TRUE(WritePrivateProfileString(QStringLiteral("MEMORY"), QStringLiteral("MemoryName3"), QStringLiteral("ß"), path()));
  EXPECT_EQ(contents(), QByteArray("[MEMORY]\nMemoryName2=R\xc3\xa9lais \xc3\x96lberg \xe2\x82\xac\nMemoryName3=\xc3\x9f\n"));
}

TEST_F(PrivateProfileTest, WritingCreatesReplacesAndKeepsEverythingElse) {
  ASSERT_TRUE(WritePrivateProfileString(QStringLiteral("RADIO"), QStringLiteral("Frequency"), QStringLiteral("7.1"), path()));
  EXPECT_EQ(contents(), QByteArray("[RADIO]\nFrequency=7.1\n")) << "file and section made on first write";

  write("; Kommentar\n[radio]\nfrequency=94.4\nEigen=1\n\n[Other]\nX=y\n");
  ASSERT_TRUE(WritePrivateProfileString(QStringLiteral("RADIO"), QStringLiteral("Frequency"), QStringLiteral("7.1"), path()));
  ASSERT_TRUE(WritePrivateProfileString(QStringLiteral("RADIO"), QStringLiteral("Volume"), QStringLiteral("100"), path()));
  ASSERT_TRUE(WritePrivateProfileString(QStringLiteral("SCAN"), QStringLiteral("LoopBack"), QStringLiteral("0"), path()));
  EXPECT_EQ(contents(), QByteArray("; Kommentar\n[radio]\nFrequency=7.1\nEigen=1\nVolume=100\n\n[Other]\nX=y\n[SCAN]\nLoopBack=0\n"));
}

TEST_F(PrivateProfileTest, NoKeyOrValueCanBreakTheFilesLines) {
  write("[MEMORY]\nMemoryName2=a\nMemoryName3=b\n[SCAN]\nLoopBack=1\n");
  const std::pair<const char*, const char*> cases[] = {
      {"Radio Rossii\r\n[RUS] Moskau", "Radio Rossii  [RUS] Moskau"}, {"eins\nzwei", "eins zwei"},
      {"Tab\tgetrennt", "Tab getrennt"}, {"\n[SCAN]\nLoopBack=0", "[SCAN] LoopBack=0"}};
  for (const auto& [value, stored] : cases) {
    ASSERT_TRUE(WritePrivateProfileString(QStringLiteral("MEMORY"), QStringLiteral("MemoryName2"), QLatin1String(value), path()));
    EXPECT_EQ(GetPrivateProfileString(QStringLiteral("MEMORY"), QStringLiteral("MemoryName2"), path()), QLatin1String(stored));
    EXPECT_EQ(GetPrivateProfileString(QStringLiteral("MEMORY"), QStringLiteral("MemoryName3"), path()), QStringLiteral("b"));
    EXPECT_EQ(GetPrivateProfileString(QStringLiteral("SCAN"), QStringLiteral("LoopBack"), path()), QStringLiteral("1"));
  }
  ASSERT_TRUE(WritePrivateProfileString(QStringLiteral("MEMORY"), QStringLiteral("Key\n[X]"), QStringLiteral("1"), path()));
  EXPECT_EQ(contents().count('\n'), 6) << "the key stays on one line";
}

TEST_F(PrivateProfileTest, AKeyWithATabIsWrittenUnderTheNameItIsReadBy) {
  write("[SCAN]\nLoop\tBack=1\n");
  for (const char* section : {"SCAN", "Neu"}) {
    ASSERT_TRUE(WritePrivateProfileString(QLatin1String(section), QStringLiteral("Loop\tBack"), QStringLiteral("0"), path()));
    EXPECT_EQ(GetPrivateProfileString(QLatin1String(section), QStringLiteral("Loop\tBack"), path()), QStringLiteral("0"))
        << section;
  }
}

TEST_F(PrivateProfileTest, AFileThatCannotBeReadIsNotOverwritten) {
  write("[RADIO]\nFrequency=7.1\n");
  QFile::setPermissions(path(), QFileDevice::WriteOwner);
  if (QFile(path()).open(QIODevice::ReadOnly)) GTEST_SKIP() << "the file stays readable for this user";
  EXPECT_FALSE(WritePrivateProfileString(QStringLiteral("RADIO"), QStringLiteral("Volume"), QStringLiteral("1"), path()));
  QFile::setPermissions(path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
  EXPECT_EQ(contents(), QByteArray("[RADIO]\nFrequency=7.1\n"));
}

TEST_F(PrivateProfileTest, ASettingsFileThatIsAPipeIsNeitherWaitedForNorReplaced) {
  ASSERT_TRUE(test::makeFifo(path()));
  test::PipeReaderWatch watch(path());
  EXPECT_EQ(GetPrivateProfileString(QStringLiteral("RADIO"), QStringLiteral("Frequency"), path()), QString());
  EXPECT_FALSE(WritePrivateProfileString(QStringLiteral("RADIO"), QStringLiteral("Volume"), QStringLiteral("1"), path()));
  EXPECT_FALSE(watch.readerWasBlocked());
  EXPECT_FALSE(QFileInfo(path()).isFile()) << "the pipe is still there";
}

}  // namespace
}  // namespace zelvora
