#pragma once

// Conversions between the PCR1000's command values and what a Hamlib rig
// takes and reports.

namespace zelvora {

// The PCR1000's raw signal strength (0..255) for a STRENGTH reading in dB
// over S9. The scale is linear: S9 - 60 dB and below give 0, S9 gives 128,
// S9 + 60 dB and above give 255, about 2.1 steps a dB. It is the inverse of
// the calibration Hamlib itself uses for the PCR1000, so a PCR1000 behind
// Hamlib shows within a step what it shows on the serial line.
int PcrStrength(int dbOverS9);

// A slider position 0..255 (volume, squelch) on a rig's level range.
double ScaledLevel(int position, double min, double max);

// An IF shift position 0..255, centre 128, in Hz on a rig whose shift reaches
// maxHz either way: 127 steps to each side, so positions 1 and 255 are the
// ends, as on the PCR1000 (10 Hz a step there).
int IfShiftHz(int position, int maxHz);

// The passband in Hz of a PCR1000 filter code ("00" 2.8 kHz .. "04"
// 230 kHz); 0 for a code the receiver does not have.
int FilterPassbandHz(int filterCode);

}  // namespace zelvora
