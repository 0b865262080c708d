#pragma once

#include <QString>

namespace zelvora {

// The per-user settings store (organisation and application "Zelvora").
QString GetSetting(const QString& section, const QString& key, const QString& defaultValue);
void SaveSetting(const QString& section, const QString& key, const QString& value);

}  // namespace zelvora
