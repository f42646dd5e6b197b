// make_program_pictures ICON JPEG: draws the program's pictures: the message
// boxes' icon (a Windows icon file) and the picture the card style shows.

#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <cstdio>

#include "widgets/IconButton.h"

namespace {

QImage CardPicture() {
  QImage image(400, 300, QImage::Format_RGB32);
  QPainter painter(&image);
  QLinearGradient sky(0, 0, 0, 300);
  sky.setColorAt(0, QColor(32, 96, 192));
  sky.setColorAt(1, QColor(235, 240, 255));
  painter.fillRect(image.rect(), sky);
  painter.drawPixmap(100, 50, widgets::ProgramEmblem(200, 1));
  return image;
}

bool Write(const char* path, const QImage& image, const char* format) {
  QImageWriter writer(QString::fromLocal8Bit(path), format);
  if (!writer.write(image)) {
    std::fprintf(stderr, "make_program_pictures: %s: %s\n", path,
                 writer.errorString().toLocal8Bit().constData());
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication application(argc, argv);
  if (argc != 3) {
    std::fputs("usage: make_program_pictures ICON JPEG\n", stderr);
    return 2;
  }
  bool ok = Write(argv[1], widgets::ProgramEmblem(32, 1).toImage(), "ico");
  ok = Write(argv[2], CardPicture(), "jpeg") && ok;
  return ok ? 0 : 1;
}
