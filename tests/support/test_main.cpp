#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
  // Per-user settings of the tests stay out of the user's own store.
  QTemporaryDir home;
  qputenv("XDG_CONFIG_HOME", QDir(home.path()).filePath(QStringLiteral("config")).toUtf8());
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Zelvora"));
  QApplication::setOrganizationName(QStringLiteral("Zelvora"));
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
