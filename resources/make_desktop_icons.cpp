// make_desktop_icons FOLDER: draws the program's emblem as the desktop's
// icon theme wants it, FOLDER/NxN/apps/quillmark_wd.png for each size a
// launcher, menu or software centre may ask for. The emblem is the picture of
// quillmark_wd.svg, drawn at each size rather than scaled from one.

#include <QDir>
#include <QGuiApplication>
#include <QImageWriter>
#include <cstdio>

#include "widgets/IconButton.h"

int main(int argc, char** argv) {
  QGuiApplication application(argc, argv);
  if (argc != 2) {
    std::fputs("usage: make_desktop_icons FOLDER\n", stderr);
    return 2;
  }
  const QString folder = QString::fromLocal8Bit(argv[1]);
  bool ok = true;
  for (int size : {16, 24, 32, 48, 64, 128, 256}) {
    const QString apps = QStringLiteral("%1/%2x%2/apps").arg(folder).arg(size);
    const QString path = apps + QStringLiteral("/quillmark_wd.png");
    QImageWriter writer(path, "png");
    if (!QDir().mkpath(apps) || !writer.write(widgets::ProgramEmblem(size, 1).toImage())) {
      std::fprintf(stderr, "make_desktop_icons: %s: %s\n", path.toLocal8Bit().constData(),
                   writer.errorString().toLocal8Bit().constData());
      ok = false;
    }
  }
  return ok ? 0 : 1;
}
