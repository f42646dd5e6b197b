// make_dialog_icon FILE: writes the message boxes' icon (32 and 16 pixels)
// as a Windows icon file.

#include <QGuiApplication>
#include <QImageWriter>
#include <cstdio>

#include "widgets/IconButton.h"

int main(int argc, char** argv) {
  QGuiApplication application(argc, argv);
  if (argc != 2) {
    std::fputs("usage: make_dialog_icon FILE\n", stderr);
    return 2;
  }
  QImageWriter writer(QString::fromLocal8Bit(argv[1]), "ico");
  if (!writer.write(widgets::ProgramEmblem(32).toImage())) {
    std::fprintf(stderr, "make_dialog_icon: %s\n", writer.errorString().toLocal8Bit().constData());
    return 1;
  }
  return 0;
}
