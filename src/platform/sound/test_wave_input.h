#pragma once

#include "platform/sound/buffered_wave_input.h"

#include <QStringList>

#include <cstdint>
#include <functional>

namespace zelvora {

// A sound input without sound hardware: it fills every queued buffer at
// once with a chosen signal, continuing the signal from block to block. It
// installs itself as the program's sound input while it lives, records the
// calls it gets and can be told to fail a call.
class TestWaveInput : public BufferedWaveInput {
 public:
  // Sample n of the signal (n counts from the first sample ever delivered).
  using Signal = std::function<std::int16_t(std::int64_t n)>;

  TestWaveInput();
  ~TestWaveInput() override;
  TestWaveInput(const TestWaveInput&) = delete;
  TestWaveInput& operator=(const TestWaveInput&) = delete;

  void setSignal(Signal signal) { m_signal = std::move(signal); }
  // A sine of the given frequency and peak amplitude (in sample units) at
  // the rate of the open format.
  void setSine(double frequencyHz, double amplitude);
  // While held, queued buffers stay empty (a device that has not filled
  // its buffer yet); releasing fills a queued buffer at once.
  void setHolding(bool hold);

  // Until set back to MMSYSERR_NOERROR, the call answers this code and
  // does nothing else.
  void failOpen(MmResult result) { m_openFailure = result; }
  void failPrepare(MmResult result) { m_prepareFailure = result; }
  void failAddBuffer(MmResult result) { m_addFailure = result; }

  // Every call by name ("open", "prepareHeader", ...), in order.
  const QStringList& calls() const { return m_calls; }
  void clearCalls() { m_calls.clear(); }
  const WaveFormatEx& lastFormat() const { return m_format; }
  unsigned lastDeviceId() const { return m_deviceId; }

  MmResult open(unsigned deviceId, const WaveFormatEx& format) override;
  MmResult prepareHeader(WaveHdr& header) override;
  MmResult start() override;
  MmResult addBuffer(WaveHdr& header) override;
  MmResult reset() override;
  MmResult stop() override;
  MmResult unprepareHeader(WaveHdr& header) override;
  MmResult close() override;

 protected:
  MmResult openDevice(unsigned deviceId, const WaveFormatEx& format) override;
  void closeDevice() override {}
  void samplesWanted() override;

 private:
  Signal m_signal;
  WaveFormatEx m_format;
  unsigned m_deviceId = 0;
  std::int64_t m_next = 0;
  bool m_holding = false;
  MmResult m_openFailure = MMSYSERR_NOERROR;
  MmResult m_prepareFailure = MMSYSERR_NOERROR;
  MmResult m_addFailure = MMSYSERR_NOERROR;
  QStringList m_calls;
};

}  // namespace zelvora
