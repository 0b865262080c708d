#include "platform/serial/serial_port.h"

#include <QFile>
#include <QFileInfo>
#include <QSerialPort>
#include <QSignalBlocker>
#include <QStringList>

#include <cerrno>
#include <unistd.h>

namespace zelvora {
namespace {

struct LineSettings {
  qint32 baud = 9600;
  QSerialPort::Parity parity = QSerialPort::NoParity;
  QSerialPort::DataBits dataBits = QSerialPort::Data8;
  QSerialPort::StopBits stopBits = QSerialPort::OneStop;
};

bool parseSettings(const QString& text, LineSettings& out) {
  const QStringList parts = text.split(QLatin1Char(','));
  if (parts.size() != 4) return false;
  bool ok = false;
  const int baud = parts[0].trimmed().toInt(&ok);
  if (!ok || baud <= 0) return false;
  out.baud = baud;
  const QString parity = parts[1].trimmed().toUpper();
  if (parity == QLatin1String("N")) out.parity = QSerialPort::NoParity;
  else if (parity == QLatin1String("E")) out.parity = QSerialPort::EvenParity;
  else if (parity == QLatin1String("O")) out.parity = QSerialPort::OddParity;
  else if (parity == QLatin1String("M")) out.parity = QSerialPort::MarkParity;
  else if (parity == QLatin1String("S")) out.parity = QSerialPort::SpaceParity;
  else return false;
  const int bits = parts[2].trimmed().toInt(&ok);
  if (!ok || bits < 5 || bits > 8) return false;
  out.dataBits = static_cast<QSerialPort::DataBits>(bits);
  const QString stop = parts[3].trimmed();
  if (stop == QLatin1String("1")) out.stopBits = QSerialPort::OneStop;
  else if (stop == QLatin1String("1.5")) out.stopBits = QSerialPort::OneAndHalfStop;
  else if (stop == QLatin1String("2")) out.stopBits = QSerialPort::TwoStop;
  else return false;
  return true;
}

// The serial port reports a device another program holds the same way as
// one the user may not open; only the latter is a matter of permissions.
bool accessDenied(const QString& device) {
  return ::access(QFile::encodeName(device).constData(), R_OK | W_OK) != 0 && errno == EACCES;
}

}  // namespace

QString SerialDeviceForPort(int port) {
  const QString named = qEnvironmentVariable(qPrintable(QStringLiteral("ZELVORA_COM%1").arg(port)));
  if (!named.isEmpty()) return named;
  const QString usb = QStringLiteral("/dev/ttyUSB%1").arg(port - 1);
  if (QFileInfo::exists(usb)) return usb;
  return QStringLiteral("/dev/ttyS%1").arg(port - 1);
}

SerialPort::SerialPort(QObject* parent, const QString& name) : ReceiverPort(parent, name), m_serial(new QSerialPort(this)) {
  connect(m_serial, &QSerialPort::errorOccurred, this, &SerialPort::onError);
  connect(m_serial, &QSerialPort::readyRead, this, &SerialPort::received);
}

SerialPort::~SerialPort() { close(); }

bool SerialPort::setSettings(const QString& settings) {
  LineSettings parsed;
  if (!parseSettings(settings, parsed)) return false;
  m_settings = settings;
  return true;
}

double SerialPort::characterMs() const {
  LineSettings line;
  parseSettings(m_settings, line);
  const double stop = line.stopBits == QSerialPort::OneStop ? 1 : line.stopBits == QSerialPort::TwoStop ? 2 : 1.5;
  const double bits = 1 + line.dataBits + (line.parity == QSerialPort::NoParity ? 0 : 1) + stop;
  return bits * 1000.0 / line.baud;
}

QString SerialPort::device() const {
  const QString named = namedDevice();
  if (named.isEmpty()) return SerialDeviceForPort(commPort());
  // The serial port takes a bare name as one below /dev.
  return named.startsWith(QLatin1Char('/')) ? named : QStringLiteral("/dev/") + named;
}

bool SerialPort::open() {
  if (m_open) return true;
  LineSettings line;
  parseSettings(m_settings, line);
  const QString path = device();
  m_serial->setPortName(path);
  setOpenFailure(OpenFailure::None);
  bool opened = false;
  {
    // The error handler would clear the cause before it could be read.
    const QSignalBlocker quiet(m_serial);
    opened = m_serial->open(QIODevice::ReadWrite);
  }
  if (!opened) {
    setOpenFailure(m_serial->error() == QSerialPort::PermissionError && accessDenied(path)
                        ? OpenFailure::PermissionDenied
                        : OpenFailure::Other);
    m_serial->clearError();
    return false;
  }
  // Handshaking and the line-control signals stay at the device's
  // defaults; a pseudo-terminal refuses them anyway.
  const bool ok = m_serial->setBaudRate(line.baud) && m_serial->setParity(line.parity) &&
                  m_serial->setDataBits(line.dataBits) && m_serial->setStopBits(line.stopBits);
  if (!ok) {
    m_serial->close();
    m_serial->clearError();
    setOpenFailure(OpenFailure::Other);
    return false;
  }
  m_serial->clear();
  m_open = true;
  m_lost = false;
  return true;
}

void SerialPort::close() {
  if (m_serial->isOpen()) m_serial->close();
  m_serial->clearError();
  m_open = false;
  m_lost = false;
}

void SerialPort::output(const QString& text) {
  if (!m_open || m_lost || !m_serial->isOpen()) return;
  m_serial->write(text.toLatin1());
  m_serial->flush();
}

QString SerialPort::input() {
  if (!m_open || m_lost || !m_serial->isOpen()) return {};
  return QString::fromLatin1(m_serial->readAll());
}

void SerialPort::onError() {
  // clearError() reports NoError through the same signal.
  switch (m_serial->error()) {
    case QSerialPort::NoError:
      return;
    case QSerialPort::ResourceError:
    case QSerialPort::DeviceNotFoundError:
    case QSerialPort::PermissionError:
      // The device is gone; stop reading it, or its hang-up would wake the
      // event loop for ever.
      if (m_open) {
        m_lost = true;
        m_serial->close();
      }
      break;
    default:
      // A refused line-control signal (a pseudo-terminal has none) or a
      // time-out: nothing the program acts on.
      break;
  }
  m_serial->clearError();
}

}  // namespace zelvora
