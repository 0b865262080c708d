#pragma once

#include "platform/receiver_port.h"

#include <QString>

class QSerialPort;

namespace zelvora {

// The device behind port number n (1..9): ZELVORA_COM<n> when set, else
// /dev/ttyUSB<n-1> when it exists, else /dev/ttyS<n-1>.
QString SerialDeviceForPort(int port);

// The receiver port on a serial line: the device of the port number, line
// settings such as "9600,N,8,1". A device that goes away while open (a USB
// adapter pulled, the simulator ended) counts as lost.
class SerialPort : public ReceiverPort {
  Q_OBJECT

 public:
  explicit SerialPort(QObject* parent, const QString& name);
  ~SerialPort() override;

  // The device open() opens: the named one, else that of the port number.
  QString device() const override;
  QString settings() const override { return m_settings; }
  bool setSettings(const QString& settings) override;
  // Start bit, data bits, parity bit and stop bits at the baud rate.
  double characterMs() const override;

  bool portOpen() const override { return m_open; }
  // Opens the device; false when it cannot be opened.
  bool open() override;
  void close() override;
  bool deviceLost() const override { return m_lost; }

  // One byte per character.
  void output(const QString& text) override;
  QString input() override;

 private:
  void onError();

  QSerialPort* m_serial;
  QString m_settings = QStringLiteral("9600,N,8,1");
  bool m_open = false;
  bool m_lost = false;
};

}  // namespace zelvora
