#include "private_sound_server.h"

#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zelvora::test {

PrivateSoundServer::PrivateSoundServer() {
  if (!m_folder.isValid()) {
    m_failure = QStringLiteral("no temporary folder");
    return;
  }
  const QString dir = m_folder.path();
  // The daemon keeps its runtime files, cookie and configuration in the
  // temporary folder, never in the user's; it insists on a private runtime
  // folder.
  ::chmod(QFile::encodeName(dir).constData(), 0700);
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("HOME"), dir);
  env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir);
  env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir);
  env.insert(QStringLiteral("PULSE_STATE_PATH"), dir);
  env.insert(QStringLiteral("PULSE_RUNTIME_PATH"), dir);
  env.remove(QStringLiteral("PULSE_SERVER"));
  env.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
  m_daemon.setProcessEnvironment(env);
  m_daemon.setWorkingDirectory(dir);
  m_daemon.setProcessChannelMode(QProcess::MergedChannels);
  m_daemon.setStandardOutputFile(dir + QStringLiteral("/daemon.log"));
  // Should the test program die before it can end the daemon, the daemon
  // goes with it.
  m_daemon.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
  // -n: no default configuration, only the two modules given here. Running
  // as root needs nothing more: the daemon warns but serves this one user.
  m_daemon.start(QStringLiteral("pulseaudio"),
                 {QStringLiteral("--daemonize=no"), QStringLiteral("--exit-idle-time=-1"), QStringLiteral("-n"),
                  QStringLiteral("--use-pid-file=no"), QStringLiteral("--disallow-exit"),
                  QStringLiteral("--load=module-native-protocol-unix socket=%1/native auth-anonymous=1").arg(dir),
                  QStringLiteral("--load=module-pipe-source source_name=fifo_in file=%1/audio.fifo format=s16le "
                                 "rate=%2 channels=1")
                      .arg(dir)
                      .arg(kRate)});
  if (!m_daemon.waitForStarted(5000)) {
    m_failure = QStringLiteral("pulseaudio does not start: ") + m_daemon.errorString();
    return;
  }
  if (!waitForServer()) return;
  qputenv("PULSE_SERVER", ("unix:" + dir + "/native").toUtf8());
}

bool PrivateSoundServer::waitForServer() {
  const QString dir = m_folder.path();
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < 15000) {
    if (m_daemon.state() != QProcess::Running) break;
    QProcess info;
    QProcessEnvironment env = m_daemon.processEnvironment();
    env.insert(QStringLiteral("PULSE_SERVER"), QStringLiteral("unix:%1/native").arg(dir));
    info.setProcessEnvironment(env);
    info.start(QStringLiteral("pactl"), {QStringLiteral("info")});
    if (info.waitForFinished(3000) && info.exitCode() == 0 && QFile::exists(dir + QStringLiteral("/audio.fifo")))
      return true;
    QThread::msleep(50);
  }
  QFile log(dir + QStringLiteral("/daemon.log"));
  log.open(QIODevice::ReadOnly);
  m_failure = QStringLiteral("pulseaudio does not answer: ") + QString::fromLocal8Bit(log.readAll());
  return false;
}

PrivateSoundServer::~PrivateSoundServer() {
  stopFeeding();
  if (m_daemon.state() != QProcess::NotRunning) {
    m_daemon.terminate();
    if (!m_daemon.waitForFinished(5000)) {
      m_daemon.kill();
      m_daemon.waitForFinished(2000);
    }
  }
  qunsetenv("PULSE_SERVER");
}

void PrivateSoundServer::feedSine(double frequencyHz, double amplitude) {
  stopFeeding();
  const QByteArray fifo = QFile::encodeName(m_folder.path() + QStringLiteral("/audio.fifo"));
  m_feeding = true;
  m_feeder = std::thread([this, fifo, frequencyHz, amplitude] {
    // The daemon holds the reading end open, so this open does not wait.
    const int fd = ::open(fifo.constData(), O_WRONLY | O_NONBLOCK);
    if (fd < 0) return;
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    constexpr int kChunk = kRate / 200;  // 5 ms
    std::vector<std::int16_t> chunk(kChunk);
    std::int64_t n = 0;
    auto due = std::chrono::steady_clock::now();
    while (m_feeding) {
      for (auto& sample : chunk)
        sample = std::int16_t(std::lround(amplitude * std::sin(2 * std::numbers::pi * frequencyHz * double(n++) / kRate)));
      if (::write(fd, chunk.data(), chunk.size() * 2) < 0) break;
      due += std::chrono::microseconds(1000000LL * kChunk / kRate);
      std::this_thread::sleep_until(due);
    }
    ::close(fd);
  });
}

void PrivateSoundServer::stopFeeding() {
  m_feeding = false;
  if (m_feeder.joinable()) m_feeder.join();
}

}  // namespace zelvora::test
