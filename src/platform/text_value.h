#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>

namespace zelvora {

// The numeric value of a text: the leading number after leading blanks,
// "." as the decimal separator, an optional exponent; 0 when the text does
// not start with a number. "145.500.000" is 145.5, " 7.1abc" is 7.1.
double Val(QStringView text);

// Rounds to the nearest integer, halves to the even neighbour (2.5 -> 2).
// A value beyond the 64-bit range (or not a number) gives the range's
// nearest end (not a number: its lower end), so range checks of the
// result turn it away like any other value out of range.
std::int64_t RoundHalfEven(double value);

// "###0.0000" with "," replaced by ".": 7.05 -> "7.0500".
QString FormatFrequencyEntry(double mhz);

// "###0.000.000" with "," replaced by ".": 145.5125 -> "145.512.500".
QString FormatFrequencyDisplay(double mhz);

// "00": at least two digits, zero padded.
QString Format00(std::int64_t value);

// Two upper-case hexadecimal digits: "0" + hex text, last two characters
// (15 -> "0F", 255 -> "FF").
QString Hex2(std::int64_t value);

}  // namespace zelvora
