#include "platform/program_folder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <unistd.h>

namespace zelvora {
namespace {

// An installed program's places in a temporary root: bin/ beside
// share/zelvora with the data, and a home without a program folder yet.
class ProgramFolderChoiceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_root.isValid());
    m_places = {path("usr/bin"), path("usr/share/zelvora"), path("home/.local/share/zelvora")};
    QDir().mkpath(m_places.executableFolder);
    for (const char* file : {"html/einleitung.htm", "zeitzonen/weltkarte0.htm", "grafik/lampe-aus.jpg",
                             "excel/logbuch-kw.xls", "TIPOFDAY.TXT", "weblinks.ini", "zelvora.ini"})
      write(m_places.installedData + QLatin1Char('/') + QLatin1String(file), QByteArray("installed ") + file);
  }

  QString path(const char* relative) const { return m_root.filePath(QLatin1String(relative)); }
  QString user(const char* relative) const { return m_places.userFolder + QLatin1Char('/') + QLatin1String(relative); }

  static void write(const QString& file, const QByteArray& content) {
    QDir().mkpath(QFileInfo(file).path());
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(content);
  }
  static QByteArray read(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
  }

  QTemporaryDir m_root;
  ProgramFolderPlaces m_places;
};

TEST_F(ProgramFolderChoiceTest, AnInstalledProgramRunsFromTheUserFolderFilledFromTheData) {
  EXPECT_EQ(ChooseProgramFolder(m_places), m_places.userFolder);
  for (const char* file : {"html/einleitung.htm", "zeitzonen/weltkarte0.htm", "excel/logbuch-kw.xls", "zelvora.ini"})
    EXPECT_EQ(read(user(file)), QByteArray("installed ") + file) << file;
  EXPECT_TRUE(IsCompleteProgramFolder(m_places.userFolder));
  EXPECT_TRUE(QFileInfo(user("zelvora.ini")).isWritable()) << "the user's copy can be saved";
}

TEST_F(ProgramFolderChoiceTest, AGivenStartKeepsTheUsersFilesAndAddsWhatIsNew) {
  ChooseProgramFolder(m_places);
  write(user("zelvora.ini"), "[RADIO]\nFrequency=7.1\n");
  write(user("excel/eigenes.xls"), "own workbook");
  write(user("excel/logbuch-kw.xls"), "the user's entries");
  QFile::remove(user("html/einleitung.htm"));
  // A newer version brings a page and a map more.
  write(m_places.installedData + QStringLiteral("/html/neu.htm"), "new page");
  write(m_places.installedData + QStringLiteral("/zeitzonen/weltkarteS5.htm"), "new map");
  write(m_places.installedData + QStringLiteral("/zelvora.ini"), "newer default");

  EXPECT_EQ(ChooseProgramFolder(m_places), m_places.userFolder);
  EXPECT_EQ(read(user("zelvora.ini")), "[RADIO]\nFrequency=7.1\n");
  EXPECT_EQ(read(user("excel/eigenes.xls")), "own workbook");
  EXPECT_EQ(read(user("excel/logbuch-kw.xls")), "the user's entries");
  EXPECT_EQ(read(user("html/neu.htm")), "new page");
  EXPECT_EQ(read(user("zeitzonen/weltkarteS5.htm")), "new map");
  EXPECT_EQ(read(user("html/einleitung.htm")), "installed html/einleitung.htm") << "a removed page comes back";
}

TEST_F(ProgramFolderChoiceTest, WhichFolderIsChosen) {
  struct Case {
    const char* what;
    bool completeExecutableFolder;
    bool installedData;
    const char* chosen;  // "exe", "user" or "data"
  };
  const Case cases[] = {
      {"a built program runs where it stands", true, true, "exe"},
      {"an installed program runs from the user folder", false, true, "user"},
      {"a bare executable without installed data keeps its own folder", false, false, "exe"},
  };
  for (const Case& c : cases) {
    QTemporaryDir root;
    const QString data = c.installedData ? m_places.installedData : root.filePath(QStringLiteral("none"));
    const ProgramFolderPlaces places{c.completeExecutableFolder ? m_places.installedData : m_places.executableFolder,
                                     data, root.filePath(QStringLiteral("zelvora"))};
    const QString chosen = QLatin1String(c.chosen) == QLatin1String("exe") ? places.executableFolder
                           : QLatin1String(c.chosen) == QLatin1String("user") ? places.userFolder
                                                                                 : places.installedData;
    EXPECT_EQ(ChooseProgramFolder(places), chosen) << c.what;
    EXPECT_EQ(QFileInfo::exists(places.userFolder), chosen == places.userFolder) << c.what << ": no folder made in vain";
  }
}

TEST_F(ProgramFolderChoiceTest, AUserFolderThatCannotBeMadeFallsBackToTheInstalledData) {
  write(path("home/.local/share"), "a file where the folder belongs");
  EXPECT_EQ(ChooseProgramFolder(m_places), m_places.installedData);
}

TEST_F(ProgramFolderChoiceTest, AReadOnlyExecutableFolderIsNoProgramFolder) {
  if (::geteuid() == 0) GTEST_SKIP() << "root may write into any folder";
  const QString exe = path("readonly");
  ASSERT_TRUE(FillProgramFolder(m_places.installedData, exe));
  ASSERT_TRUE(QFile::setPermissions(exe, QFile::ReadOwner | QFile::ExeOwner));
  EXPECT_EQ(ChooseProgramFolder({exe, m_places.installedData, m_places.userFolder}), m_places.userFolder);
  QFile::setPermissions(exe, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST(ProgramFolderTest, CompleteMeansEveryDataFolderAndFile) {
  QTemporaryDir root;
  const QDir dir(root.path());
  for (const char* sub : {"html", "zeitzonen", "grafik", "excel"}) dir.mkpath(QLatin1String(sub));
  EXPECT_FALSE(IsCompleteProgramFolder(root.path())) << "no tips file and link table";
  for (const char* file : {"TIPOFDAY.TXT", "weblinks.ini"}) {
    QFile f(dir.filePath(QLatin1String(file)));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  }
  EXPECT_TRUE(IsCompleteProgramFolder(root.path()));
  dir.rmdir(QStringLiteral("excel"));
  EXPECT_FALSE(IsCompleteProgramFolder(root.path()));
}

}  // namespace
}  // namespace zelvora
