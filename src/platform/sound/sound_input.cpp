#include "platform/sound/qt_wave_input.h"
#include "platform/sound/wave_input.h"

#include <QCoreApplication>
#include <QPointer>

namespace zelvora {
namespace {

WaveInput* g_installed = nullptr;

}  // namespace

WaveInput& SoundInput() {
  if (g_installed) return *g_installed;
  // Created on first use, so a program that never captures never talks to
  // the sound server; it goes with the application object.
  static QPointer<QtWaveInput> machine;
  if (!machine) machine = new QtWaveInput(QCoreApplication::instance());
  return *machine;
}

void installSoundInput(WaveInput* device) { g_installed = device; }

}  // namespace zelvora
