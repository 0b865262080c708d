#pragma once

#include "platform/sound/buffered_wave_input.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <memory>

class QAudioSource;
class QIODevice;

namespace zelvora {

// The machine's sound input through Qt Multimedia. Device 0 is the first
// input device the sound server lists (monitor sources are not listed).
// The stream runs from open to close; what it records while no buffer is
// queued is read and dropped, so a queued buffer holds fresh sound only.
class QtWaveInput : public QObject, public BufferedWaveInput {
  Q_OBJECT

 public:
  explicit QtWaveInput(QObject* parent = nullptr);
  ~QtWaveInput() override;

 protected:
  MmResult openDevice(unsigned deviceId, const WaveFormatEx& format) override;
  void closeDevice() override;

 private:
  void readAvailable();

  std::unique_ptr<QAudioSource> m_source;
  QPointer<QIODevice> m_stream;
  QByteArray m_chunk;
  QTimer m_poll;
};

}  // namespace zelvora
