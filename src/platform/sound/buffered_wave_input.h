#pragma once

#include "platform/sound/wave_input.h"

namespace zelvora {

// The bookkeeping every wave-input device shares: the open handle, the
// prepared and queued header, the done flag and the result codes of calls
// out of order. A device only says how its samples are opened, started,
// stopped and closed, and hands the samples it gets to deliver().
class BufferedWaveInput : public WaveInput {
 public:
  MmResult open(unsigned deviceId, const WaveFormatEx& format) override;
  MmResult prepareHeader(WaveHdr& header) override;
  MmResult start() override;
  MmResult addBuffer(WaveHdr& header) override;
  MmResult reset() override;
  MmResult stop() override;
  MmResult unprepareHeader(WaveHdr& header) override;
  MmResult close() override;
  QString errorText(MmResult result) const override;

  bool isOpen() const { return m_open; }

 protected:
  virtual MmResult openDevice(unsigned deviceId, const WaveFormatEx& format) = 0;
  virtual void closeDevice() = 0;
  // A buffer was queued on a started device, or the device was started
  // with a buffer queued: samples are wanted now.
  virtual void samplesWanted() {}

  // Copies recorded bytes into the queued buffer while the device is
  // started; bytes beyond a full buffer, or with no buffer queued, are lost
  // as on a real sound card. Marks the buffer done when it is full.
  void deliver(const char* bytes, qsizetype count);
  bool wantsSamples() const { return m_started && m_queued != nullptr; }
  // Bytes the queued buffer still takes (0 when none is queued).
  qsizetype bytesWanted() const;

 private:
  void handBack();

  bool m_open = false;
  bool m_started = false;
  WaveHdr* m_queued = nullptr;
};

}  // namespace zelvora
