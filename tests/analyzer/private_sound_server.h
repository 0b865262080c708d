#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <atomic>
#include <thread>

namespace zelvora::test {

// A sound server of its own for one test program: a PulseAudio daemon in a
// temporary folder whose only input is a pipe source, fed in real time with
// a tone by a thread of its own. The program's sound layer reaches it
// through PULSE_SERVER, which must be set before the sound layer is first
// used. The daemon is ended by its process id on destruction.
class PrivateSoundServer {
 public:
  PrivateSoundServer();
  ~PrivateSoundServer();
  PrivateSoundServer(const PrivateSoundServer&) = delete;
  PrivateSoundServer& operator=(const PrivateSoundServer&) = delete;

  // Empty when the server runs; otherwise why it does not.
  const QString& failure() const { return m_failure; }

  // Feeds a sine of the given frequency and peak amplitude (in sample
  // units) at 48000 Hz, paced like a sound card, until stopFeeding().
  void feedSine(double frequencyHz, double amplitude);
  void stopFeeding();

  static constexpr int kRate = 48000;

 private:
  bool waitForServer();

  QTemporaryDir m_folder;
  QProcess m_daemon;
  QString m_failure;
  std::thread m_feeder;
  std::atomic<bool> m_feeding{false};
};

}  // namespace zelvora::test
