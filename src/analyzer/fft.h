#pragma once

#include <cstdint>

namespace zelvora {

// In-place radix-2 decimation-in-time FFT of n points (a power of two):
// bit-reversal reordering first, twiddle factors by rotating a unit vector,
// no window and no scaling. A full-scale sine on a bin comes out with a
// magnitude of about n/2.
void ComputeFft(std::int16_t& n, double* real, double* imag);

}  // namespace zelvora
