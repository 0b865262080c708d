#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

namespace zelvora::test {

// A free TCP port on the loopback interface, for a daemon to listen on.
int FreeTcpPort();

// Hamlib's rigctld for one rig model, listening on a free loopback port;
// rigctl (model 2) reads the rig back through it.
class Rigctld {
 public:
  // arguments: further rigctld options (a rig device, its speed, ...).
  explicit Rigctld(int model, const QStringList& arguments = {});
  ~Rigctld();

  // True once the daemon answers on its port.
  bool running() const { return m_ready; }
  // "127.0.0.1:port", the value of RigHost.
  QString host() const;
  // rigctl's answer lines to one command such as "f", "m" or "l AF".
  QStringList query(const QString& command) const;

 private:
  QProcess m_process;
  int m_port = 0;
  bool m_ready = false;
};

}  // namespace zelvora::test
