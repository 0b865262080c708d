#include "app/start.h"

#include "app/artwork.h"
#include "app/mdi_zelvora.h"
#include "platform/design.h"
#include "platform/form_registry.h"
#include "platform/key_state.h"
#include "platform/qt_translations.h"

#include <QApplication>

namespace zelvora {

MDIzelvora& start() {
  QApplication::setApplicationName(QStringLiteral("Zelvora"));
  QApplication::setOrganizationName(QStringLiteral("Zelvora"));
  QApplication::setWindowIcon(ProgramIcon());
  // Lets the desktop match the windows to the menu entry and its icon.
  QGuiApplication::setDesktopFileName(QStringLiteral(ZELVORA_APP_ID));
  // Qt's own buttons and menus speak German before the first window exists.
  InstallGermanQtTranslations();
  // The window layouts are measured for an 8-point Arial interface font.
  QApplication::setFont(DesignFont(QStringLiteral("Arial"), 8.25));
  KeyState::instance();
  auto& main = form<MDIzelvora>();
  FormRegistry::instance().setFrame(&main);
  main.load();
  // However the program ends while the frame is open, every window runs its
  // unload handling (the receiver panel closes its port) while the
  // application still exists.
  QObject::connect(qApp, &QCoreApplication::aboutToQuit, main.window(), [] { FormRegistry::instance().reset(); });
  main.show();
  return main;
}

}  // namespace zelvora
