#pragma once

#include <QColor>

#include "widgets/core/StringGridData.h"

namespace widgets {

// A 0x00BBGGRR colour as Qt's.
inline QColor ToQColor(ColorRef c) {
  return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                static_cast<int>((c >> 16) & 0xFF));
}

}  // namespace widgets
