#include "platform/sound/qt_wave_input.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSource>
#include <QMediaDevices>

namespace zelvora {
namespace {

// The sound server delivers in periods of this length; short periods keep
// the first samples of a freshly opened stream close behind its opening.
constexpr int kPeriodMs = 5;
constexpr int kPollMs = 2;

}  // namespace

QtWaveInput::QtWaveInput(QObject* parent) : QObject(parent) {
  m_poll.setInterval(kPollMs);
  m_poll.setTimerType(Qt::PreciseTimer);
  connect(&m_poll, &QTimer::timeout, this, &QtWaveInput::readAvailable);
}

QtWaveInput::~QtWaveInput() { closeDevice(); }

MmResult QtWaveInput::openDevice(unsigned deviceId, const WaveFormatEx& format) {
  const QList<QAudioDevice> inputs = QMediaDevices::audioInputs();
  if (inputs.isEmpty()) return MMSYSERR_NODRIVER;
  if (deviceId >= unsigned(inputs.size())) return MMSYSERR_BADDEVICEID;
  const QAudioDevice& device = inputs.at(int(deviceId));

  QAudioFormat audioFormat;
  audioFormat.setSampleRate(format.samplesPerSec);
  audioFormat.setChannelCount(format.channels);
  audioFormat.setSampleFormat(QAudioFormat::Int16);
  if (!device.isFormatSupported(audioFormat)) return WAVERR_BADFORMAT;

  m_source = std::make_unique<QAudioSource>(device, audioFormat);
  m_source->setBufferSize(audioFormat.bytesForDuration(4 * kPeriodMs * 1000));
  m_stream = m_source->start();
  if (!m_stream || m_source->error() != QAudio::NoError) {
    closeDevice();
    return MMSYSERR_ALLOCATED;
  }
  connect(m_stream, &QIODevice::readyRead, this, &QtWaveInput::readAvailable);
  m_poll.start();
  return MMSYSERR_NOERROR;
}

void QtWaveInput::closeDevice() {
  m_poll.stop();
  if (m_stream) disconnect(m_stream, nullptr, this, nullptr);
  if (m_source) m_source->stop();
  m_source.reset();
  m_stream = nullptr;
}

void QtWaveInput::readAvailable() {
  if (!m_stream) return;
  for (;;) {
    m_chunk.resize(4096);
    const qint64 got = m_stream->read(m_chunk.data(), m_chunk.size());
    if (got <= 0) return;
    deliver(m_chunk.constData(), got);
  }
}

}  // namespace zelvora
