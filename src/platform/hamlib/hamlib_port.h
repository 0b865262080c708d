#pragma once

#include "platform/hamlib/hamlib_rig.h"
#include "platform/receiver_port.h"

#include <QString>

#include <memory>

namespace zelvora {

class WorkerThread;

// The receiver port on a Hamlib rig: it takes the PCR1000's command lines
// and answers each one, in order, with exactly one reply line ("G000",
// "G001", "I1" + two hex digits, "I004"/"I007", each ended by CR LF), so
// the panel drives any rig Hamlib knows, or a rigctld, as it drives a
// PCR1000.
//
// Hamlib calls block, so they run on a worker thread of the port's own;
// the replies become readable on the owner's thread as its events run,
// just as serial input does.
class HamlibPort : public ReceiverPort {
  Q_OBJECT

 public:
  HamlibPort(QObject* parent, const QString& name, const RigAddress& rig);
  ~HamlibPort() override;

  // The rig's line is set by its address; these are kept for the panel.
  QString settings() const override { return m_settings; }
  bool setSettings(const QString& settings) override;
  double characterMs() const override { return 0; }
  // The rigctld's address or the rig's serial device.
  QString device() const override;

  bool portOpen() const override { return m_open; }
  // Opens the rig and waits for it; a serial rig without a device of its
  // own is on the device of the port number.
  bool open() override;
  void close() override;
  bool deviceLost() const override;

  // Every complete line is one command; a partial line waits for its end.
  void output(const QString& text) override;
  QString input() override;

 private:
  void receive(quint64 session, const QString& reply);

  RigAddress m_address;
  QString m_settings = QStringLiteral("9600,N,8,1");
  bool m_open = false;
  // Replies of an earlier opening that arrive after close() are dropped.
  quint64 m_session = 0;
  QString m_unsent;
  QString m_received;
  // Declared before the worker, which is ended first and may use it to the
  // last job.
  std::unique_ptr<HamlibRig> m_rig;
  std::unique_ptr<WorkerThread> m_worker;
};

}  // namespace zelvora
