#pragma once

#include "platform/sound/wave_input.h"

#include <QString>

#include <cstdint>
#include <memory>

namespace zelvora {

// The sample rate a rate text asks for: its numeric value rounded to the
// nearest integer (halves to even). A text that is no number, or a rate too
// large for the capture format to carry, gives 0, which no device opens.
std::int32_t SampleRateOf(const QString& text);

// Block-wise capture of the sound input for the analyzer. One buffer of
// exactly one block is queued; nobody is told when it is full, the
// analyzer's timer polls its done flag. After every block the whole chain
// is torn down and built again, so each block is a fresh recording.
// The state lives for the whole run.
class AudioCapture {
 public:
  static AudioCapture& instance();

  // Opens the first input device at the rate of the analyzer's rate box
  // (16-bit mono) and queues one buffer of lngBufferBytes. True when
  // capture runs (already or now), false when the device did not open; a
  // failing call shows the sound system's text once.
  bool StartCapture();
  // Ends capture and releases the device and the buffer; shows nothing.
  void StopCapture();
  // Sample `index` of the buffer as a value in [-1, 1).
  void ReadSample(std::int32_t index, double& value) const;

  // A block is ready to be read.
  bool blockReady() const { return blnCapturing && (WaveHeader.flags & WHDR_DONE); }

  bool blnCapturing = false;
  // Size of the buffer for the next StartCapture: FFT size x 2.
  std::int32_t lngBufferBytes = 0;
  MmResult lngWaveResult = MMSYSERR_NOERROR;
  QString strWaveError;
  WaveFormatEx WaveFormat;
  WaveHdr WaveHeader;

 private:
  AudioCapture() = default;
  void ShowWaveError();

  WaveInput* hWaveIn = nullptr;
  std::unique_ptr<char[]> hWaveBuffer;
  std::uint32_t m_heldBytes = 0;
};

}  // namespace zelvora
