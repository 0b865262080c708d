#pragma once

#include <QString>

#include <cstdint>

namespace zelvora {

// Result codes of the wave-input calls, numbered as the classic sound API
// numbered them so that a code means the same everywhere in the program.
using MmResult = std::uint32_t;
inline constexpr MmResult MMSYSERR_NOERROR = 0;
inline constexpr MmResult MMSYSERR_ERROR = 1;
inline constexpr MmResult MMSYSERR_BADDEVICEID = 2;
inline constexpr MmResult MMSYSERR_ALLOCATED = 4;
inline constexpr MmResult MMSYSERR_INVALHANDLE = 5;
inline constexpr MmResult MMSYSERR_NODRIVER = 6;
inline constexpr MmResult MMSYSERR_INVALPARAM = 11;
inline constexpr MmResult WAVERR_BADFORMAT = 32;
inline constexpr MmResult WAVERR_STILLPLAYING = 33;
inline constexpr MmResult WAVERR_UNPREPARED = 34;

inline constexpr std::uint16_t WAVE_FORMAT_PCM = 1;

struct WaveFormatEx {
  std::uint16_t formatTag = 0;
  std::uint16_t channels = 0;
  std::int32_t samplesPerSec = 0;
  std::int32_t avgBytesPerSec = 0;
  std::uint16_t blockAlign = 0;
  std::uint16_t bitsPerSample = 0;
  std::uint16_t extraSize = 0;
};

// Flags of a buffer header.
inline constexpr std::uint32_t WHDR_DONE = 0x01;
inline constexpr std::uint32_t WHDR_PREPARED = 0x02;
inline constexpr std::uint32_t WHDR_INQUEUE = 0x10;

// Describes one buffer to the device. The device fills data up to
// bufferLength, counts bytesRecorded and sets WHDR_DONE when the buffer is
// full (or handed back by reset).
struct WaveHdr {
  char* data = nullptr;
  std::uint32_t bufferLength = 0;
  std::uint32_t bytesRecorded = 0;
  std::uintptr_t user = 0;
  std::uint32_t flags = 0;
  std::uint32_t loops = 0;
};

// A sound input device with the call sequence of the classic wave-input
// API: open with a format, prepare a header, start, queue the buffer, and
// reset, stop, unprepare, close to tear down. The device writes into a
// queued buffer and marks it done on its own; whoever queued it only polls
// the flag. Calls on a device that is not open answer MMSYSERR_INVALHANDLE.
class WaveInput {
 public:
  virtual ~WaveInput() = default;

  // deviceId 0 is the first sound input device.
  virtual MmResult open(unsigned deviceId, const WaveFormatEx& format) = 0;
  virtual MmResult prepareHeader(WaveHdr& header) = 0;
  virtual MmResult start() = 0;
  virtual MmResult addBuffer(WaveHdr& header) = 0;
  virtual MmResult reset() = 0;
  virtual MmResult stop() = 0;
  virtual MmResult unprepareHeader(WaveHdr& header) = 0;
  virtual MmResult close() = 0;
  // The sound system's text for a result code.
  virtual QString errorText(MmResult result) const = 0;
};

// The sound input the program uses: the machine's sound server unless a
// test installed its own device.
WaveInput& SoundInput();

// Installs a device for the rest of the run; nullptr restores the real one.
// The caller keeps ownership.
void installSoundInput(WaveInput* device);

}  // namespace zelvora
