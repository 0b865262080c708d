#pragma once

#include <QString>

#include <optional>

namespace zelvora {

// Text of the receiver's command set, as it crosses the wire (without the
// CR LF every command ends with).

// A frequency in MHz as whole Hz: sums of tuning steps are not exact in
// binary, so frequencies are compared in what the receiver is sent.
qint64 WholeHz(double mhz);

// "K0" + ten digits of Hz + mode code + filter code + "00". The frequency
// is rounded to whole Hz.
QString FrequencyCommand(double mhz, const QString& modeCode, const QString& filterCode);

// "J40", "J41" or "J43" + two hexadecimal digits of a position 0..255.
QString LevelCommand(const char* prefix, int position);

// "J5001"/"J5000" style switch command: prefix + "01" when on, else "00".
QString SwitchCommand(const char* prefix, bool on);

// The raw strength 0..255 of the first "I1" reply in received text, or
// nothing when there is no "I1" or the two characters after it are not
// within "00".."FF" in character order.
std::optional<int> SignalReading(const QString& received);

// Meter level 0..89 of a raw strength: 0 for 0 and 1, else 10 + r / 2,
// at most 89.
int MeterLevel(int raw);

}  // namespace zelvora
