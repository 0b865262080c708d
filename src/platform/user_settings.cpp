#include "platform/user_settings.h"

#include <QSettings>

namespace zelvora {
namespace {

const QString kName = QStringLiteral("Zelvora");

QString settingKey(const QString& section, const QString& key) { return section + QLatin1Char('/') + key; }

}  // namespace

QString GetSetting(const QString& section, const QString& key, const QString& defaultValue) {
  const QSettings store(kName, kName);
  return store.value(settingKey(section, key), defaultValue).toString();
}

void SaveSetting(const QString& section, const QString& key, const QString& value) {
  QSettings store(kName, kName);
  store.setValue(settingKey(section, key), value);
}

}  // namespace zelvora
