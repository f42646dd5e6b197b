#pragma once

#include <QColor>
#include <cstdint>

namespace widgets {

// A colour as the style files and settings give it: 0x00BBGGRR.
using ColorRef = std::uint32_t;

// A 0x00BBGGRR colour as Qt's.
inline QColor ToQColor(ColorRef c) {
  return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                static_cast<int>((c >> 16) & 0xFF));
}

}  // namespace widgets
