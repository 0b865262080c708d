#pragma once

#include <QObject>
#include <QString>

class QSerialPort;

namespace zelvora {

// The device behind port number n (1..9): ZELVORA_COM<n> when set, else
// /dev/ttyUSB<n-1> when it exists, else /dev/ttyS<n-1>.
QString SerialDeviceForPort(int port);

// A serial port in the manner of the classic communications control: a
// port number, line settings such as "9600,N,8,1", open and close, write
// text, read everything received so far.
//
// The open state is the program's own: it changes only by open() and
// close(). When the device goes away while open (a USB adapter pulled, the
// simulator ended), the port stays "open" for the program, writes are
// dropped and reads return nothing, until close().
class SerialPort : public QObject {
  Q_OBJECT

 public:
  explicit SerialPort(QObject* parent, const QString& name);
  ~SerialPort() override;

  int commPort() const { return m_port; }
  void setCommPort(int port) { m_port = port; }
  // A device named outright (a stable /dev/serial/by-id/ name) is used
  // whatever the port number; empty leaves the choice to the number.
  QString namedDevice() const { return m_namedDevice; }
  void setNamedDevice(const QString& device) { m_namedDevice = device; }
  // The device open() opens: the named one, else that of the port number.
  QString device() const;
  QString settings() const { return m_settings; }
  // Returns false (and keeps the old settings) for a text it cannot use.
  bool setSettings(const QString& settings);

  bool portOpen() const { return m_open; }
  // Opens the device; false when it cannot be opened.
  bool open();
  // Why the last open() failed: the user may not open the device (on Linux
  // mostly a user outside the group that owns serial devices), or anything
  // else (no such device, in use, refused line settings).
  enum class OpenFailure { None, PermissionDenied, Other };
  OpenFailure openFailure() const { return m_openFailure; }
  void close();
  // True once the device has gone away while the port was open.
  bool deviceLost() const { return m_lost; }

  // Writes the text as one output (one byte per character).
  void output(const QString& text);
  // Everything received since the previous read.
  QString input();

 private:
  void onError();

  QSerialPort* m_serial;
  int m_port = 1;
  QString m_namedDevice;
  OpenFailure m_openFailure = OpenFailure::None;
  QString m_settings = QStringLiteral("9600,N,8,1");
  bool m_open = false;
  bool m_lost = false;
};

}  // namespace zelvora
