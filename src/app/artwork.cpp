#include "app/artwork.h"

#include "app/program_logo.h"
#include "platform/program_folder.h"

#include <QBrush>
#include <QPainter>

namespace zelvora {
namespace {

QPixmap painted(int size, void (*paint)(QPainter&, double)) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  paint(p, size);
  return pixmap;
}

}  // namespace

QPixmap ProgramLogo(int size) { return painted(size, PaintProgramLogo); }

QIcon ProgramIcon() {
  QIcon icon;
  for (int size : {16, 32, 48, 64, 128}) icon.addPixmap(painted(size, PaintProgramIcon));
  return icon;
}

QBrush FrameBackground() {
  const QPixmap photo(NativePath(ProgramFolder() + QStringLiteral("\\grafik\\hintergrund.jpg")));
  if (!photo.isNull()) return QBrush(photo);
  return QBrush(NightSky(1200));
}

}  // namespace zelvora
