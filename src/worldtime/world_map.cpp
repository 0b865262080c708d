#include "worldtime/world_map.h"

#include "platform/clock.h"
#include "platform/form_registry.h"
#include "platform/html_view.h"
#include "platform/program_folder.h"
#include "web/form_browser.h"

namespace zelvora {

void ShowWorldMap() {
  // Month and hour from one reading, so they cannot straddle a boundary.
  const QDateTime now = Clock::nowUtc();
  const QString page = WorldMapPageName(now.date().month(), now.time().hour());
  auto& browser = form<Form_browser>();
  browser.Browser1()->Navigate(ProgramFolder() + QStringLiteral("\\zeitzonen\\") + page);
  browser.show();
}

}  // namespace zelvora
