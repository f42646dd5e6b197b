#pragma once

#include <QSize>
#include <QString>

class QWidget;

namespace widgets {

// Fixed sizes are designed for the program's own font. On a desktop whose
// font needs more room (a larger size, a family with taller glyphs), each
// grows to what its caption or contents need in the font it is drawn in;
// at the designed font every size stays the designed one.

// The room a one-line caption needs in `widget`'s font: its width plus 6,
// the font's line height plus 4 (the frame and padding of a button).
QSize RoomForCaption(const QWidget& widget, const QString& caption);

// `widget` fixed at `designed`, or larger where `caption` needs ("&" marks
// an access key and takes no room).
void FixSizeForCaption(QWidget& widget, QSize designed, const QString& caption);
// `widget` fixed at `designed` height, or a line of its font where taller.
void FixHeightForCaption(QWidget& widget, int designed);

// A container (a band, a side panel) fixed at `designed` height or width, or
// what it needs at the least (its layout's contents, a band's caption);
// called once the contents are in it.
void FixHeightForContents(QWidget& widget, int designed);
void FixWidthForContents(QWidget& widget, int designed);

}  // namespace widgets
