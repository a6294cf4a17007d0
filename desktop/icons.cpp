// Writes the program's icon into a hicolor icon tree at build time: a PNG at
// each size given, drawn as the window icon's pixmaps are, and the same
// picture as an SVG for scalable/. Usage: morna_icons OUTDIR NAME SIZE...
#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QSvgGenerator>
#include <cstdio>

#include "ui/look.h"

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc < 4) {
    std::fprintf(stderr, "usage: %s OUTDIR NAME SIZE...\n", argv[0]);
    return 2;
  }
  const QString outDir = QString::fromLocal8Bit(argv[1]);
  const QString name = QString::fromLocal8Bit(argv[2]);

  for (int i = 3; i < argc; ++i) {
    const int size = QByteArray(argv[i]).toInt();
    const QString dir = outDir + QStringLiteral("/%1x%1/apps").arg(size);
    if (size <= 0 || !QDir().mkpath(dir) ||
        !morna::ui::AppIconPixmap(size).save(dir + "/" + name + ".png", "PNG")) {
      std::fprintf(stderr, "morna_icons: cannot write the %s px icon into %s\n", argv[i], argv[1]);
      return 1;
    }
  }

  const QString svgDir = outDir + QStringLiteral("/scalable/apps");
  if (!QDir().mkpath(svgDir)) {
    std::fprintf(stderr, "morna_icons: cannot make %s\n", qPrintable(svgDir));
    return 1;
  }
  QSvgGenerator svg;
  svg.setFileName(svgDir + "/" + name + ".svg");
  svg.setSize(QSize(32, 32));
  svg.setViewBox(QRect(0, 0, 32, 32));
  svg.setTitle(QStringLiteral("Moranote"));
  QPainter painter;
  if (!painter.begin(&svg)) {
    std::fprintf(stderr, "morna_icons: cannot write %s\n", qPrintable(svg.fileName()));
    return 1;
  }
  painter.setRenderHint(QPainter::Antialiasing);
  morna::ui::PaintAppIcon(painter);
  return painter.end() ? 0 : 1;
}
