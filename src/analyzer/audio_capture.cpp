#include "analyzer/audio_capture.h"

#include "analyzer/form_analyzer.h"
#include "platform/form_registry.h"
#include "platform/message_box.h"
#include "platform/text_value.h"

#include <QComboBox>

#include <algorithm>
#include <cmath>
#include <limits>

namespace zelvora {

std::int32_t SampleRateOf(const QString& text) {
  const double value = Val(text);
  // Two bytes a sample: the bytes per second must fit the format as well.
  constexpr double kLargest = std::numeric_limits<std::int32_t>::max() / 2;
  if (!std::isfinite(value) || std::abs(value) > kLargest) return 0;
  return std::int32_t(RoundHalfEven(value));
}

AudioCapture& AudioCapture::instance() {
  static AudioCapture capture;
  return capture;
}

bool AudioCapture::StartCapture() {
  if (blnCapturing) return true;

  WaveFormat.bitsPerSample = 16;
  WaveFormat.formatTag = WAVE_FORMAT_PCM;
  WaveFormat.channels = 1;
  WaveFormat.samplesPerSec = SampleRateOf(form<Form_analyzer>().ui().cboSRate->currentText());
  WaveFormat.blockAlign = WaveFormat.bitsPerSample * WaveFormat.channels / 8;
  WaveFormat.avgBytesPerSec = WaveFormat.blockAlign * WaveFormat.samplesPerSec;
  WaveFormat.extraSize = 0;

  m_heldBytes = std::uint32_t(std::max<std::int32_t>(lngBufferBytes, 0));
  hWaveBuffer = std::make_unique<char[]>(m_heldBytes);

  WaveHeader.data = hWaveBuffer.get();
  WaveHeader.bufferLength = m_heldBytes;
  WaveHeader.bytesRecorded = 0;
  WaveHeader.flags = 0;
  WaveHeader.loops = 0;

  WaveInput& device = SoundInput();
  lngWaveResult = device.open(0, WaveFormat);
  if (lngWaveResult != MMSYSERR_NOERROR) {
    ShowWaveError();
    return false;
  }
  hWaveIn = &device;

  lngWaveResult = hWaveIn->prepareHeader(WaveHeader);
  if (lngWaveResult != MMSYSERR_NOERROR) ShowWaveError();
  // The device is started before its buffer is queued.
  lngWaveResult = hWaveIn->start();
  lngWaveResult = hWaveIn->addBuffer(WaveHeader);
  if (lngWaveResult != MMSYSERR_NOERROR) ShowWaveError();

  blnCapturing = true;
  return true;
}

void AudioCapture::StopCapture() {
  blnCapturing = false;
  if (hWaveIn) {
    hWaveIn->reset();
    hWaveIn->stop();
    hWaveIn->unprepareHeader(WaveHeader);
  }
  // The header no longer points anywhere once the buffer is gone.
  hWaveBuffer.reset();
  m_heldBytes = 0;
  WaveHeader.data = nullptr;
  if (hWaveIn) hWaveIn->close();
  hWaveIn = nullptr;
}

void AudioCapture::ReadSample(std::int32_t index, double& value) const {
  const std::int64_t offset = std::int64_t(index) * WaveFormat.blockAlign;
  if (!hWaveBuffer || index < 0 || offset + 2 > std::int64_t(m_heldBytes)) {
    value = 0.0;
    return;
  }
  const auto* bytes = reinterpret_cast<const unsigned char*>(hWaveBuffer.get() + offset);
  const auto sample = std::int16_t(bytes[0] | (bytes[1] << 8));
  value = sample / 32768.0;
}

void AudioCapture::ShowWaveError() {
  strWaveError = SoundInput().errorText(lngWaveResult);
  MsgBox(strWaveError, MsgOkOnly);
}

}  // namespace zelvora
