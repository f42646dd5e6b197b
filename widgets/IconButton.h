#pragma once

#include <QIcon>
#include <QLabel>

namespace widgets {

// A small picture without a command, for the decoration of title bands.
class IconButton : public QLabel {
  Q_OBJECT

 public:
  explicit IconButton(const QPixmap& picture, QWidget* parent = nullptr);
};

// The program's own emblem, drawn: a sheet of paper with a quill mark,
// `size` pixels square on screen, drawn at `pixelRatio` device pixels to a
// pixel (0: the screen's, so it stays sharp at any scale).
QPixmap ProgramEmblem(int size, qreal pixelRatio = 0);

// The emblem as the windows' icon, at the sizes desktops show.
QIcon ProgramIcon();

}  // namespace widgets
