#pragma once

// A switched-on receiver panel in an empty program folder, with its own
// simulator, for the receiver benchmarks and the long scan.

#include "foundlist/form_autoscan.h"
#include "platform/form_registry.h"
#include "platform/message_box.h"
#include "receiver/form_pcr1000.h"
#include "simulator_process.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTemporaryDir>

#include <memory>

namespace zelvora::bench {

// The simulator's arguments for five stations above the squelch between
// 144 and 146 MHz, and the found list's texts for them.
inline QStringList ScanBandArguments() {
  QStringList arguments;
  for (const char* station : {"144.1:10:100", "144.5:10:40", "144.525:10:200", "145.5:10:60", "145.975:10:30"})
    arguments << QStringLiteral("--station") << QString::fromLatin1(station);
  return arguments;
}
inline const QStringList kScanBandFinds = {QStringLiteral("144.1000"), QStringLiteral("144.5000"),
                                           QStringLiteral("144.5250"), QStringLiteral("145.5000"),
                                           QStringLiteral("145.9750")};

struct PanelBench {
  QTemporaryDir folder;
  std::unique_ptr<test::Simulator> sim;
  RecordingMessageBox messages;

  explicit PanelBench(const QStringList& simulatorArguments = {}) {
    qputenv("ZELVORA_PROGRAM_FOLDER", folder.path().toUtf8());
    sim = std::make_unique<test::Simulator>(QStringLiteral(ZELVORA_TOOLS_DIR "/pcrsim"),
                                            folder.filePath(QStringLiteral("sim.log")), simulatorArguments);
    qputenv("ZELVORA_COM1", sim->device().toLocal8Bit());
    button("RadioOn")->click();
  }
  ~PanelBench() {
    FormRegistry::instance().reset();
    QApplication::processEvents();
    sim.reset();
  }
  bool switchedOn() const { return sim->running() && messages.texts().isEmpty(); }
  Form_pcr1000& panel() { return form<Form_pcr1000>(); }
  QAbstractButton* button(const char* name) {
    return panel().window()->findChild<QAbstractButton*>(QString::fromLatin1(name));
  }
  // The panel set to scan 144 to 146 MHz without pauses, as a PCR1000,
  // once or round and round.
  void setScanBand(int loopBack) {
    panel().IsPcr1000 = true;
    panel().LoopBack = loopBack;
    panel().PauseScan = 0;
    panel().window()->findChild<QLineEdit*>(QStringLiteral("Text_scan1"))->setText(QStringLiteral("144"));
    panel().window()->findChild<QLineEdit*>(QStringLiteral("Text_scan2"))->setText(QStringLiteral("146"));
  }
  // Tuned to 144 MHz in 25 kHz steps, with an empty found list.
  void tuneBandStart() {
    panel().Frequenzeingabe()->setText(QStringLiteral("144.0"));
    button("but_fqeingabe")->click();
    panel().window()->findChild<QComboBox*>(QStringLiteral("TuningStep"))->setCurrentText(QStringLiteral("25 KHz"));
    form<Form_autoscan>().Commfreqloesch_Click();
  }
  void runEvents(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
  }
};

}  // namespace zelvora::bench
