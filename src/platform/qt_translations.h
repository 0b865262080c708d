#pragma once

#include <QStringList>

namespace zelvora {

// Installs Qt's German catalogs (standard buttons, window and context
// menus, device error texts) for every Qt module the program uses, whatever
// the user's locale. Installing again changes nothing. Returns the catalogs
// that are installed.
QStringList InstallGermanQtTranslations();

}  // namespace zelvora
