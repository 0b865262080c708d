#include "platform/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace zelvora {

QStringList InstallGermanQtTranslations() {
  static const char* const kCatalogs[] = {"qtbase_de", "qtmultimedia_de", "qtserialport_de"};
  const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  QCoreApplication* app = QCoreApplication::instance();
  QStringList installed;
  for (const char* catalog : kCatalogs) {
    const QString name = QString::fromLatin1(catalog);
    if (!app->findChild<QTranslator*>(name, Qt::FindDirectChildrenOnly)) {
      auto* translator = new QTranslator(app);
      translator->setObjectName(name);
      if (!translator->load(name, folder) || !QCoreApplication::installTranslator(translator)) {
        delete translator;
        continue;
      }
    }
    installed << name;
  }
  return installed;
}

}  // namespace zelvora
