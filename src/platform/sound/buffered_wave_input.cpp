#include "platform/sound/buffered_wave_input.h"

#include <algorithm>
#include <cstring>

namespace zelvora {

MmResult BufferedWaveInput::open(unsigned deviceId, const WaveFormatEx& format) {
  if (m_open) return MMSYSERR_ALLOCATED;
  if (format.formatTag != WAVE_FORMAT_PCM || format.channels != 1 || format.bitsPerSample != 16 ||
      format.blockAlign != 2 || format.samplesPerSec <= 0)
    return WAVERR_BADFORMAT;
  const MmResult result = openDevice(deviceId, format);
  if (result == MMSYSERR_NOERROR) m_open = true;
  return result;
}

MmResult BufferedWaveInput::prepareHeader(WaveHdr& header) {
  if (!m_open) return MMSYSERR_INVALHANDLE;
  if (header.data == nullptr || header.bufferLength == 0) return MMSYSERR_INVALPARAM;
  header.flags |= WHDR_PREPARED;
  return MMSYSERR_NOERROR;
}

MmResult BufferedWaveInput::start() {
  if (!m_open) return MMSYSERR_INVALHANDLE;
  m_started = true;
  if (m_queued) samplesWanted();
  return MMSYSERR_NOERROR;
}

MmResult BufferedWaveInput::addBuffer(WaveHdr& header) {
  if (!m_open) return MMSYSERR_INVALHANDLE;
  if (!(header.flags & WHDR_PREPARED)) return WAVERR_UNPREPARED;
  if (header.flags & WHDR_INQUEUE) return WAVERR_STILLPLAYING;
  // This device takes one buffer at a time: the program never queues more.
  if (m_queued) return WAVERR_STILLPLAYING;
  header.flags = (header.flags & ~WHDR_DONE) | WHDR_INQUEUE;
  header.bytesRecorded = 0;
  m_queued = &header;
  if (m_started) samplesWanted();
  return MMSYSERR_NOERROR;
}

MmResult BufferedWaveInput::reset() {
  if (!m_open) return MMSYSERR_INVALHANDLE;
  m_started = false;
  handBack();
  return MMSYSERR_NOERROR;
}

MmResult BufferedWaveInput::stop() {
  if (!m_open) return MMSYSERR_INVALHANDLE;
  m_started = false;
  // A buffer that has begun to fill is handed back with what it holds; an
  // empty one stays queued.
  if (m_queued && m_queued->bytesRecorded > 0) handBack();
  return MMSYSERR_NOERROR;
}

MmResult BufferedWaveInput::unprepareHeader(WaveHdr& header) {
  if (!m_open) return MMSYSERR_INVALHANDLE;
  if (header.flags & WHDR_INQUEUE) return WAVERR_STILLPLAYING;
  header.flags &= ~WHDR_PREPARED;
  return MMSYSERR_NOERROR;
}

MmResult BufferedWaveInput::close() {
  if (!m_open) return MMSYSERR_INVALHANDLE;
  if (m_queued) return WAVERR_STILLPLAYING;
  closeDevice();
  m_open = false;
  m_started = false;
  return MMSYSERR_NOERROR;
}

void BufferedWaveInput::handBack() {
  if (!m_queued) return;
  m_queued->flags = (m_queued->flags & ~WHDR_INQUEUE) | WHDR_DONE;
  m_queued = nullptr;
}

qsizetype BufferedWaveInput::bytesWanted() const {
  if (!m_queued) return 0;
  return qsizetype(m_queued->bufferLength) - qsizetype(m_queued->bytesRecorded);
}

void BufferedWaveInput::deliver(const char* bytes, qsizetype count) {
  if (!wantsSamples()) return;
  const qsizetype taken = std::min(count, bytesWanted());
  std::memcpy(m_queued->data + m_queued->bytesRecorded, bytes, size_t(taken));
  m_queued->bytesRecorded += std::uint32_t(taken);
  if (m_queued->bytesRecorded == m_queued->bufferLength) handBack();
}

QString BufferedWaveInput::errorText(MmResult result) const {
  switch (result) {
    case MMSYSERR_NOERROR:
      return QStringLiteral("Kein Fehler.");
    case MMSYSERR_BADDEVICEID:
      return QStringLiteral("Das angegebene Audio-Eingabegerät gibt es nicht.");
    case MMSYSERR_ALLOCATED:
      return QStringLiteral("Das Audio-Eingabegerät ist belegt oder lässt sich nicht öffnen.");
    case MMSYSERR_INVALHANDLE:
      return QStringLiteral("Das Audio-Eingabegerät ist nicht geöffnet.");
    case MMSYSERR_NODRIVER:
      return QStringLiteral("Kein Audio-Eingabegerät gefunden.");
    case MMSYSERR_INVALPARAM:
      return QStringLiteral("Ungültiger Aufnahmepuffer.");
    case WAVERR_BADFORMAT:
      return QStringLiteral("Das Audio-Eingabegerät unterstützt dieses Aufnahmeformat nicht.");
    case WAVERR_STILLPLAYING:
      return QStringLiteral("Der Aufnahmepuffer ist noch in Gebrauch.");
    case WAVERR_UNPREPARED:
      return QStringLiteral("Der Aufnahmepuffer ist nicht vorbereitet.");
    default:
      return QStringLiteral("Unbekannter Fehler des Audio-Eingabegeräts (%1).").arg(result);
  }
}

}  // namespace zelvora
