#pragma once

#include <QLabel>

namespace widgets {

// A small picture without a command, for the decoration of title bands.
class IconButton : public QLabel {
  Q_OBJECT

 public:
  explicit IconButton(const QPixmap& picture, QWidget* parent = nullptr);
};

// The program's own emblem, drawn: a sheet of paper with a quill mark.
QPixmap ProgramEmblem(int size);

}  // namespace widgets
