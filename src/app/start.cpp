#include "app/start.h"

#include "app/artwork.h"
#include "app/mdi_zelvora.h"
#include "platform/form_registry.h"
#include "platform/key_state.h"

#include <QApplication>

namespace zelvora {

MDIzelvora& start() {
  QApplication::setApplicationName(QStringLiteral("Zelvora"));
  QApplication::setOrganizationName(QStringLiteral("Zelvora"));
  QApplication::setWindowIcon(ProgramIcon());
  // The window layouts are measured for an 8-point Arial-like interface font.
  QFont font(QStringLiteral("Arial"));
  font.setPointSizeF(8.25);
  QApplication::setFont(font);
  KeyState::instance();
  auto& main = form<MDIzelvora>();
  FormRegistry::instance().setFrame(&main);
  main.load();
  main.show();
  return main;
}

}  // namespace zelvora
