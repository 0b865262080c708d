#include "web/form_browser.h"

namespace zelvora {

Form_browser::Form_browser()
    : BrowserWindow({QStringLiteral("Form_browser"), QStringLiteral("Browser"), {10725, 6555}, QStringLiteral("htmlist"),
                     QStringLiteral("Comm_browsauf"), QStringLiteral("Label_websuche"), 2895, QStringLiteral("Browser1"),
                     {10455, 5775}}) {}

Form_browser2::Form_browser2()
    : BrowserWindow({QStringLiteral("Form_browser2"), QStringLiteral("Browser2"), {10965, 7620},
                     QStringLiteral("htmlist2"), QStringLiteral("Comm_browsauf2"), QStringLiteral("Label_web2suche"), 3495,
                     QStringLiteral("Browser2"), {10695, 6855}}) {}

}  // namespace zelvora
