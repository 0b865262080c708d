#include "platform/serial/serial_port.h"
#include "receiver_fixture.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSerialPort>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace zelvora {
namespace {

using DeviceNameTest = test::ReceiverTest;

const QString kPortMessage = QStringLiteral("COM Port stimmt nicht. Im Gerätemanager nachschauen.");
const char kDeniedDevice[] = "ZELVORA_TEST_DENIED_DEVICE";

TEST_F(DeviceNameTest, TheSettingsDeviceWinsOverThePortNumberAndIsSavedAgain) {
  const QString missing = programPath(QStringLiteral("no-such-device"));
  struct Case {
    const char* what;
    QString settingsDevice;
    QString com1;
    bool opens;
  };
  const Case cases[] = {
      {"the named device is used", m_sim->device(), missing, true},
      {"the named device is used even when the port's device would work", missing, m_sim->device(), false},
  };
  for (const Case& c : cases) {
    m_messages->clear();
    writeSettings(QStringLiteral("[COMMUNICATION]\nCommPort=1\nDevice=%1\n").arg(c.settingsDevice));
    qputenv("ZELVORA_COM1", c.com1.toLocal8Bit());
    click(QStringLiteral("RadioOn"));
    if (c.opens) {
      EXPECT_TRUE(m_messages->texts().isEmpty()) << c.what;
      EXPECT_EQ(m_sim->waitForCommands(1).value(0), QStringLiteral("H101")) << c.what;
    } else {
      EXPECT_EQ(m_messages->texts(), QStringList{kPortMessage}) << c.what;
    }

    m_messages->clear();
    click(QStringLiteral("Comm_speichern"));
    EXPECT_EQ(m_messages->texts(), QStringList{QStringLiteral("Alle Einstellungen werden gesichert")});
    EXPECT_TRUE(settingsText().contains(QStringLiteral("[COMMUNICATION]\nCommPort=1\nDevice=%1\n").arg(c.settingsDevice)))
        << c.what << "\n" << settingsText().toStdString();
    panel().unload();
    m_sim->clearLog();
  }
}

TEST_F(DeviceNameTest, WithoutANamedDeviceThePortNumberChooses) {
  writeSettings(QStringLiteral("[COMMUNICATION]\nCommPort=1\n"));
  click(QStringLiteral("RadioOn"));
  EXPECT_TRUE(m_messages->texts().isEmpty());
  EXPECT_EQ(m_sim->waitForCommands(1).value(0), QStringLiteral("H101"));
  click(QStringLiteral("Comm_speichern"));
  EXPECT_FALSE(settingsText().contains(QStringLiteral("Device"))) << "no empty key is added";
}

TEST_F(DeviceNameTest, ADeviceInUseIsNoMatterOfPermissions) {
  // Another program holds the device (and its lock): the serial port calls
  // that a permission error too, but the user's rights are fine.
  QSerialPort other(m_sim->device());
  ASSERT_TRUE(other.open(QIODevice::ReadWrite));
  click(QStringLiteral("RadioOn"));
  EXPECT_EQ(m_messages->texts(), QStringList{kPortMessage});
}

// Run as an unprivileged user on a device node (or file) that user may not
// open. As root the check runs again in a child process under nobody,
// since root may open anything.
TEST_F(DeviceNameTest, ADeviceTheUserMayNotOpenNamesTheCause) {
  if (::geteuid() == 0) {
    const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
    if (setpriv.isEmpty()) GTEST_SKIP() << "running as root without setpriv to become an unprivileged user";
    QTemporaryDir nodes;
    ASSERT_TRUE(nodes.isValid());
    ASSERT_EQ(::chmod(QFile::encodeName(nodes.path()).constData(), 0755), 0);
    // A character device like /dev/null, which nobody but root may open.
    const QString node = nodes.filePath(QStringLiteral("ttyDENIED"));
    ASSERT_EQ(::mknod(QFile::encodeName(node).constData(), S_IFCHR | 0000, makedev(1, 3)), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(node).constData(), 0000), 0);

    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QLatin1String(kDeniedDevice), node);
    env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    env.insert(QStringLiteral("HOME"), QDir::tempPath());
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(setpriv, {QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"), QStringLiteral("--clear-groups"),
                          QCoreApplication::applicationFilePath(),
                          QStringLiteral("--gtest_filter=DeviceNameTest.ADeviceTheUserMayNotOpenNamesTheCause")});
    ASSERT_TRUE(child.waitForFinished(60000));
    const QString output = QString::fromLocal8Bit(child.readAll());
    EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(output.contains(QStringLiteral("[  PASSED  ] 1 test"))) << output.toStdString();
    EXPECT_FALSE(output.contains(QStringLiteral("SKIPPED"))) << output.toStdString();
    return;
  }

  QString device = qEnvironmentVariable(kDeniedDevice);
  if (device.isEmpty()) {
    device = programPath(QStringLiteral("ttyDENIED"));
    QFile file(device);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    ASSERT_TRUE(file.setPermissions({}));
  }
  writeSettings(QStringLiteral("[COMMUNICATION]\nDevice=%1\n").arg(device));
  click(QStringLiteral("RadioOn"));
  EXPECT_EQ(m_messages->texts(),
            QStringList{kPortMessage + QStringLiteral("\nKeine Berechtigung für %1: Benutzer zur Gruppe dialout hinzufügen.").arg(device)})
      << m_messages->texts().join(QLatin1Char('|')).toStdString();
}

}  // namespace
}  // namespace zelvora
