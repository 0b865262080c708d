#pragma once

#include <QString>

namespace zelvora {

// Opens a web address in the system web browser. Only http and https
// addresses are handed on; anything else is refused and never run. When the
// address is refused, or the system has no browser to open it with, a
// message names the address. Returns whether the address was handed to the
// system.
bool OpenWebLink(const QString& address);

}  // namespace zelvora

namespace zelvora {

// The address stored for a link name (a menu item or button name) in the
// program folder's editable link table "weblinks.ini"; empty when the name
// is not in the table.
QString WebLinkAddress(const QString& name);

}  // namespace zelvora
