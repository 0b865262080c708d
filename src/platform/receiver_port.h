#pragma once

#include <QObject>
#include <QString>

namespace zelvora {

// The receiver panel's port, in the manner of the classic communications
// control: a port number, line settings, open and close, write text, read
// everything received so far. Behind it is either the serial line to a
// PCR1000 or a Hamlib rig that takes the same command lines and answers in
// the PCR1000's reply forms, so the panel drives both the same way.
//
// The open state is the program's own: it changes only by open() and
// close(). When the device goes away while open, the port stays "open" for
// the program, writes are dropped and reads return nothing, until close().
class ReceiverPort : public QObject {
  Q_OBJECT

 public:
  ReceiverPort(QObject* parent, const QString& name) : QObject(parent) { setObjectName(name); }

  int commPort() const { return m_port; }
  void setCommPort(int port) { m_port = port; }
  // A device named outright (a stable /dev/serial/by-id/ name) is used
  // whatever the port number; empty leaves the choice to the number.
  QString namedDevice() const { return m_namedDevice; }
  void setNamedDevice(const QString& device) { m_namedDevice = device; }
  // The device open() opens.
  virtual QString device() const = 0;
  virtual QString settings() const = 0;
  // Returns false (and keeps the old settings) for a text it cannot use.
  virtual bool setSettings(const QString& settings) = 0;
  // How long one character takes on the line, in ms; 0 when no line of
  // the program's own carries the commands (the port answers each command
  // once the receiver has it).
  virtual double characterMs() const = 0;

  virtual bool portOpen() const = 0;
  // False when the receiver cannot be reached.
  virtual bool open() = 0;
  // Why the last open() failed: the user may not open the device (on Linux
  // mostly a user outside the group that owns serial devices), or anything
  // else (no such device, in use, refused line settings).
  enum class OpenFailure { None, PermissionDenied, Other };
  OpenFailure openFailure() const { return m_openFailure; }
  virtual void close() = 0;
  // True once the device has gone away while the port was open.
  virtual bool deviceLost() const = 0;

  // Writes the text as one output.
  virtual void output(const QString& text) = 0;
  // Everything received since the previous read.
  virtual QString input() = 0;

 signals:
  // Something was received; input() returns it.
  void received();

 protected:
  void setOpenFailure(OpenFailure failure) { m_openFailure = failure; }

 private:
  int m_port = 1;
  QString m_namedDevice;
  OpenFailure m_openFailure = OpenFailure::None;
};

}  // namespace zelvora
