#include "platform/sound/test_wave_input.h"

#include <cmath>
#include <numbers>
#include <vector>

namespace zelvora {

TestWaveInput::TestWaveInput() { installSoundInput(this); }

TestWaveInput::~TestWaveInput() { installSoundInput(nullptr); }

void TestWaveInput::setSine(double frequencyHz, double amplitude) {
  m_signal = [this, frequencyHz, amplitude](std::int64_t n) {
    const double rate = m_format.samplesPerSec > 0 ? m_format.samplesPerSec : 1;
    return std::int16_t(std::lround(amplitude * std::sin(2 * std::numbers::pi * frequencyHz * double(n) / rate)));
  };
}

void TestWaveInput::setHolding(bool hold) {
  m_holding = hold;
  if (!hold && wantsSamples()) samplesWanted();
}

MmResult TestWaveInput::open(unsigned deviceId, const WaveFormatEx& format) {
  m_calls << QStringLiteral("open");
  if (m_openFailure != MMSYSERR_NOERROR) return m_openFailure;
  return BufferedWaveInput::open(deviceId, format);
}

MmResult TestWaveInput::prepareHeader(WaveHdr& header) {
  m_calls << QStringLiteral("prepareHeader");
  if (m_prepareFailure != MMSYSERR_NOERROR) return m_prepareFailure;
  return BufferedWaveInput::prepareHeader(header);
}

MmResult TestWaveInput::start() {
  m_calls << QStringLiteral("start");
  return BufferedWaveInput::start();
}

MmResult TestWaveInput::addBuffer(WaveHdr& header) {
  m_calls << QStringLiteral("addBuffer");
  if (m_addFailure != MMSYSERR_NOERROR) return m_addFailure;
  return BufferedWaveInput::addBuffer(header);
}

MmResult TestWaveInput::reset() {
  m_calls << QStringLiteral("reset");
  return BufferedWaveInput::reset();
}

MmResult TestWaveInput::stop() {
  m_calls << QStringLiteral("stop");
  return BufferedWaveInput::stop();
}

MmResult TestWaveInput::unprepareHeader(WaveHdr& header) {
  m_calls << QStringLiteral("unprepareHeader");
  return BufferedWaveInput::unprepareHeader(header);
}

MmResult TestWaveInput::close() {
  m_calls << QStringLiteral("close");
  return BufferedWaveInput::close();
}

MmResult TestWaveInput::openDevice(unsigned deviceId, const WaveFormatEx& format) {
  m_deviceId = deviceId;
  m_format = format;
  return MMSYSERR_NOERROR;
}

void TestWaveInput::samplesWanted() {
  if (m_holding) return;
  std::vector<std::int16_t> block(size_t(bytesWanted() / 2));
  for (auto& sample : block) sample = m_signal ? m_signal(m_next++) : std::int16_t(0);
  deliver(reinterpret_cast<const char*>(block.data()), qsizetype(block.size() * 2));
}

}  // namespace zelvora
