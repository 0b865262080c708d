#pragma once

#include <QString>

#include <optional>

namespace zelvora {

// A real number as the settings file holds it: "." as separator, at most
// 15 significant digits, no trailing zeros, exponent form below 0.0001
// ("94.4", "0.0125", "1E-05").
QString SettingNumberText(double value);

// "True" or "False".
QString SettingBooleanText(bool value);

// True/False and Wahr/Falsch in any letter case, or a decimal number
// (0 is false); nothing for any other text, the empty one included.
std::optional<bool> SettingBoolean(const QString& text);

}  // namespace zelvora
