#pragma once

#include "platform/sound/qt_wave_input.h"

namespace zelvora::test {

// The machine's sound input, counting the blocks it hands back full. It
// installs itself as the program's sound input while it lives.
class CountingWaveInput : public WaveInput {
 public:
  CountingWaveInput() { installSoundInput(this); }
  ~CountingWaveInput() override { installSoundInput(nullptr); }

  int fullBlocks() const { return m_fullBlocks; }

  MmResult open(unsigned deviceId, const WaveFormatEx& format) override { return m_device.open(deviceId, format); }
  MmResult prepareHeader(WaveHdr& header) override { return m_device.prepareHeader(header); }
  MmResult start() override { return m_device.start(); }
  MmResult addBuffer(WaveHdr& header) override { return m_device.addBuffer(header); }
  MmResult reset() override { return m_device.reset(); }
  MmResult stop() override { return m_device.stop(); }
  MmResult unprepareHeader(WaveHdr& header) override {
    if ((header.flags & WHDR_DONE) && header.bytesRecorded == header.bufferLength && header.bufferLength > 0)
      ++m_fullBlocks;
    return m_device.unprepareHeader(header);
  }
  MmResult close() override { return m_device.close(); }
  QString errorText(MmResult result) const override { return m_device.errorText(result); }

 private:
  QtWaveInput m_device;
  int m_fullBlocks = 0;
};

}  // namespace zelvora::test
