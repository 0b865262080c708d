// The receiver panel where a user meets trouble: a receiver that goes
// away, keys typed after Enter, pasted memory names, a disk that refuses
// the settings.

#include "platform/classic_timer.h"
#include "platform/events.h"
#include "platform/serial/serial_port.h"
#include "receiver/panel_widgets.h"
#include "receiver_fixture.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QProcess>
#include <QTest>

#include <unistd.h>

namespace zelvora {
namespace {

const QString kLostMessage =
    QStringLiteral("Verbindung zum Empfänger unterbrochen. Kabel und Stromversorgung prüfen, dann Radio On.");
const QString kPortMessage = QStringLiteral("COM Port stimmt nicht. Im Gerätemanager nachschauen.");
const QString kSaveMessage = QStringLiteral("Alle Einstellungen werden gesichert");

class PanelFaultsTest : public test::ReceiverTest {
 protected:
  ClassicTimer* timer(const char* name) { return control<ClassicTimer>(QString::fromLatin1(name)); }
  bool portOpen() { return control<SerialPort>(QStringLiteral("MSComm1"))->portOpen(); }
  QString picture(const char* name) { return control<PictureButton>(QString::fromLatin1(name))->picture(); }
};

TEST_F(PanelFaultsTest, AReceiverThatGoesAwayIsReportedOnceAndThePanelGoesOff) {
  enum class Loss { Pulled, Silent };
  struct Case {
    const char* name;
    bool scanning;
    Loss loss;
  };
  const Case cases[] = {{"pulled while on", false, Loss::Pulled},
                        {"pulled while scanning", true, Loss::Pulled},
                        {"switched off at the receiver while scanning", true, Loss::Silent},
                        {"switched off at the receiver while on", false, Loss::Silent}};
  for (const Case& c : cases) {
    // A receiver that stops answering: it is polled and still listens, but
    // drops every reply after the switch-on.
    startSimulator(c.loss == Loss::Silent ? QStringList{QStringLiteral("--answer"), QStringLiteral("I1?="),
                                                        QStringLiteral("--answer"), QStringLiteral("I0?=")}
                                          : QStringList{});
    m_messages->clear();
    switchOn();
    panel().IsPcr1000 = true;
    timer("Timer2")->setEnabled(true);
    if (c.scanning) click(QStringLiteral("Scan"));
    if (c.loss == Loss::Pulled) m_sim->stop();

    ASSERT_TRUE(WaitUntil([&] { return !m_messages->texts().isEmpty(); }, 5000)) << c.name;
    EXPECT_EQ(m_messages->texts(), QStringList{kLostMessage}) << c.name;
    EXPECT_FALSE(portOpen()) << c.name;
    EXPECT_FALSE(timer("Timer2")->enabled()) << c.name;
    EXPECT_FALSE(timer("Timer3")->enabled()) << c.name;
    EXPECT_TRUE(picture("RadioOn").endsWith(QLatin1String("but_radioon2.jpg"))) << c.name;
    EXPECT_TRUE(picture("Scan").endsWith(QLatin1String("but_scan.jpg"))) << c.name;
    EXPECT_TRUE(control<PictureImage>(QStringLiteral("Picsun"))->picture().endsWith(QLatin1String("lampe-aus.jpg")));
    test::settle(2500);
    EXPECT_EQ(m_messages->texts().size(), 1) << c.name << ": no second message for the same loss";

    m_messages->clear();
    click(QStringLiteral("RadioOn"));
    if (c.loss == Loss::Pulled)
      EXPECT_EQ(m_messages->texts(), QStringList{kPortMessage}) << "the device is still missing";
    else
      EXPECT_TRUE(portOpen()) << "Radio On opens the port again";
    click(QStringLiteral("RadioOff"));
  }
}

TEST_F(PanelFaultsTest, AKeyTypedAfterEnterDoesNotTuneByItself) {
  QLineEdit* entry = panel().Frequenzeingabe();
  entry->clear();
  QTest::keyClicks(entry, QStringLiteral("145.5"));
  QTest::keyClick(entry, Qt::Key_Return);
  EXPECT_DOUBLE_EQ(panel().CurrentFrequency, 145.5);

  entry->clear();
  QTest::keyClick(entry, Qt::Key_7);
  EXPECT_DOUBLE_EQ(panel().CurrentFrequency, 145.5) << "only Enter tunes";
  QTest::keyClick(entry, Qt::Key_Return);
  EXPECT_DOUBLE_EQ(panel().CurrentFrequency, 7.0);
}

TEST_F(PanelFaultsTest, APastedNameWithALineBreakKeepsEveryMemory) {
  for (int n = 2; n <= 17; ++n)
    control<QLineEdit>(QStringLiteral("sp%1").arg(n))->setText(QString::number(100 + n));
  QGuiApplication::clipboard()->setText(QStringLiteral("Radio Rossii\r\n[RUS] Moskau\tKW"));
  auto* name = control<QLineEdit>(QStringLiteral("sn2"));
  name->setFocus();
  name->paste();
  click(QStringLiteral("Comm_speichern"));
  EXPECT_EQ(settingsText().count(QLatin1Char('[')), 4 + 1) << "four sections, one bracket in a name";

  panel().unload();
  test::settle(0);
  EXPECT_EQ(control<QLineEdit>(QStringLiteral("sn2"))->text(), QStringLiteral("Radio Rossii  [RUS] Moskau KW"));
  for (int n = 2; n <= 17; ++n)
    EXPECT_EQ(control<QLineEdit>(QStringLiteral("sp%1").arg(n))->text(), QString::number(100 + n)) << n;
}

// The program folder on a file system that refuses the write: mounted
// read-only, or full. Needs the right to mount, which tests run as root
// have.
class RefusedSaveTest : public PanelFaultsTest {
 protected:
  void TearDown() override {
    if (!m_mount.isEmpty()) QProcess::execute(QStringLiteral("umount"), {QStringLiteral("-l"), m_mount});
    PanelFaultsTest::TearDown();
  }
  bool mount(const QStringList& arguments) {
    if (geteuid() != 0) return false;
    if (QProcess::execute(QStringLiteral("mount"), arguments) != 0) return false;
    m_mount = arguments.last();
    return true;
  }
  QString m_mount;
};

TEST_F(RefusedSaveTest, ASaveTheDiskRefusesSaysSoAndWhy) {
  struct Case {
    const char* name;
    const char* reason;
  };
  const Case cases[] = {{"read-only", "Der Datenträger ist schreibgeschützt."}, {"full", "Der Datenträger ist voll."}};
  for (const Case& c : cases) {
    const QString old = QStringLiteral("[RADIO]\nFrequency=7.1\n[MEMORY]\nMemoryFrequency2=145.5\n");
    writeSettings(old);
    const QString where = folder();
    if (QLatin1String(c.name) == QLatin1String("read-only")) {
      if (!mount({QStringLiteral("--bind"), where, where}) ||
          QProcess::execute(QStringLiteral("mount"), {QStringLiteral("-o"), QStringLiteral("remount,bind,ro"), where}) != 0)
        GTEST_SKIP() << "mounting needs root";
    } else {
      // A small file system holding only the settings, filled to the last
      // byte.
      QDir(where).mkdir(QStringLiteral("full"));
      const QString full = where + QStringLiteral("/full");
      if (!mount({QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"), QStringLiteral("size=64k"),
                  QStringLiteral("tmpfs"), full}))
        GTEST_SKIP() << "mounting needs root";
      QFile::copy(programPath(QStringLiteral("zelvora.ini")), full + QStringLiteral("/zelvora.ini"));
      QFile filler(full + QStringLiteral("/filler"));
      ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
      while (filler.write(QByteArray(4096, 'x')) > 0 && filler.flush()) {
      }
      filler.close();
      qputenv("ZELVORA_PROGRAM_FOLDER", full.toUtf8());
    }
    panel().unload();
    m_messages->clear();
    control<QLineEdit>(QStringLiteral("sp3"))->setText(QStringLiteral("433.5"));
    click(QStringLiteral("Comm_speichern"));
    EXPECT_EQ(m_messages->texts().join(QLatin1Char('|')).toStdString(),
              (kSaveMessage + QStringLiteral("|Die Einstellungen konnten nicht gespeichert werden: ") +
               QString::fromUtf8(c.reason))
                  .toStdString())
        << c.name;

    m_messages->clear();
    control<QLineEdit>(QStringLiteral("COM_eingabe"))->setText(QStringLiteral("3"));
    click(QStringLiteral("Comm_comport"));
    EXPECT_EQ(m_messages->texts().join(QLatin1Char('|')).toStdString(),
              (QStringLiteral("COM Port 3 wurde nicht gesetzt: ") + QString::fromUtf8(c.reason)).toStdString())
        << c.name;
    QFile kept(qEnvironmentVariable("ZELVORA_PROGRAM_FOLDER") + QStringLiteral("/zelvora.ini"));
    EXPECT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(kept.readAll()), old) << c.name << ": the old settings are whole";
    QProcess::execute(QStringLiteral("umount"), {QStringLiteral("-l"), m_mount});
    m_mount.clear();
    qputenv("ZELVORA_PROGRAM_FOLDER", where.toUtf8());
  }
}

}  // namespace
}  // namespace zelvora
