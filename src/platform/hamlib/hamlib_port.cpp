#include "platform/hamlib/hamlib_port.h"

#include "platform/hamlib/worker_thread.h"
#include "platform/serial/serial_port.h"

#include <QMetaObject>

#include <clocale>
#include <future>
#include <utility>

namespace zelvora {

HamlibPort::HamlibPort(QObject* parent, const QString& name, const RigAddress& rig)
    : ReceiverPort(parent, name),
      m_address(rig),
      m_rig(std::make_unique<HamlibRig>()),
      m_worker(std::make_unique<WorkerThread>()) {
  // Hamlib switches LC_NUMERIC to "C" around its own work and back, keeping
  // a pointer to the old name that the switch frees unless that name is
  // "C" already. Qt reads no numbers through the C locale, so it stays "C".
  std::setlocale(LC_NUMERIC, "C");
}

HamlibPort::~HamlibPort() {
  close();
  m_worker.reset();
}

bool HamlibPort::setSettings(const QString& settings) {
  m_settings = settings;
  return true;
}

QString HamlibPort::device() const {
  if (!m_address.host.isEmpty()) return m_address.host;
  if (!m_address.device.isEmpty()) return m_address.device;
  return namedDevice().isEmpty() ? SerialDeviceForPort(commPort()) : namedDevice();
}

bool HamlibPort::open() {
  if (m_open) return true;
  std::promise<bool> opened;
  std::future<bool> result = opened.get_future();
  const QString comDevice = device();
  m_worker->post([&] { opened.set_value(m_rig->open(m_address, comDevice)); });
  setOpenFailure(OpenFailure::None);
  if (!result.get()) {
    setOpenFailure(OpenFailure::Other);
    return false;
  }
  ++m_session;
  m_unsent.clear();
  m_received.clear();
  m_polled = false;
  m_open = true;
  return true;
}

void HamlibPort::close() {
  m_open = false;
  ++m_session;
  m_unsent.clear();
  m_received.clear();
  // Commands still waiting would only keep a slow or dead rig busy.
  m_worker->dropPending();
  HamlibRig* rig = m_rig.get();
  m_worker->post([rig] { rig->close(); });
}

bool HamlibPort::deviceLost() const { return m_rig->lost(); }

void HamlibPort::output(const QString& text) {
  if (!m_open || deviceLost()) return;
  m_unsent += text;
  qsizetype start = 0;
  for (qsizetype i = 0; i < m_unsent.size(); ++i) {
    if (m_unsent[i] != QLatin1Char('\r') && m_unsent[i] != QLatin1Char('\n')) continue;
    const QString command = m_unsent.mid(start, i - start);
    start = i + 1;
    if (command.isEmpty()) continue;
    // Like the PCR1000, the port acknowledges commands only once polled
    // ("G300"); the queries it always answers. An acknowledgement the
    // panel does not expect would be taken for the next command's.
    if (command == QLatin1String("G300")) m_polled = true;
    const bool query = command == QLatin1String("I0?") || command == QLatin1String("I1?");
    const bool answered = m_polled || query;
    if (command == QLatin1String("H100")) m_polled = false;
    const quint64 session = m_session;
    HamlibRig* rig = m_rig.get();
    m_worker->post([this, rig, session, command, answered] {
      const QString reply = rig->answer(command) + QStringLiteral("\r\n");
      if (!answered) return;
      QMetaObject::invokeMethod(this, [this, session, reply] { receive(session, reply); }, Qt::QueuedConnection);
    });
  }
  m_unsent.remove(0, start);
}

void HamlibPort::receive(quint64 session, const QString& reply) {
  if (session != m_session) return;
  m_received += reply;
  emit received();
}

QString HamlibPort::input() {
  if (!m_open || deviceLost()) return {};
  return std::exchange(m_received, QString());
}

}  // namespace zelvora
