// Draws the program's desktop icon into a hicolor icon theme folder: PNG
// pictures at the usual sizes and a scalable SVG, all from the painting
// the program uses for its window icon.
//
//   program_icon <theme folder> <icon name> <size>...

#include "app/program_logo.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

#include <cstdio>

namespace {

QString iconPath(const QString& theme, const QString& folder, const QString& name, const char* extension) {
  const QString dir = theme + QLatin1Char('/') + folder + QStringLiteral("/apps");
  QDir().mkpath(dir);
  return dir + QLatin1Char('/') + name + QLatin1String(extension);
}

}  // namespace

int main(int argc, char* argv[]) {
  QGuiApplication app(argc, argv);
  const QStringList args = QCoreApplication::arguments();
  if (args.size() < 4) {
    std::fprintf(stderr, "usage: program_icon <theme folder> <icon name> <size>...\n");
    return 2;
  }
  const QString theme = args[1];
  const QString name = args[2];
  for (qsizetype i = 3; i < args.size(); ++i) {
    const int size = args[i].toInt();
    if (size <= 0) {
      std::fprintf(stderr, "program_icon: not a size: %s\n", qPrintable(args[i]));
      return 2;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    zelvora::PaintProgramIcon(p, size);
    p.end();
    const QString path = iconPath(theme, QStringLiteral("%1x%1").arg(size), name, ".png");
    if (!image.save(path, "PNG")) {
      std::fprintf(stderr, "program_icon: cannot write %s\n", qPrintable(path));
      return 1;
    }
  }
  const QString svgPath = iconPath(theme, QStringLiteral("scalable"), name, ".svg");
  QSvgGenerator svg;
  svg.setFileName(svgPath);
  svg.setSize(QSize(100, 100));
  svg.setViewBox(QRect(0, 0, 100, 100));
  svg.setTitle(QStringLiteral("Zelvora"));
  QPainter p;
  if (!p.begin(&svg)) {
    std::fprintf(stderr, "program_icon: cannot write %s\n", qPrintable(svgPath));
    return 1;
  }
  zelvora::PaintProgramIcon(p, 100);
  p.end();
  return 0;
}
