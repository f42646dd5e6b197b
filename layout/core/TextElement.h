#pragma once

#include <string>

#include "layout/core/DrawingContext.h"

namespace layout {

// Drawing modes of text elements.
inline constexpr int kModePlain = 0;
inline constexpr int kModeVertical = 1;
inline constexpr int kModeClipFilled = 2;
inline constexpr int kModeGradient = 3;
inline constexpr int kModeRotated = 4;

struct TextElement {
  int maxLength = 0;
  bool previewOnly = false;
  std::string text;  // code page 932
  std::string face;
  int modeParameter = 0;  // tenths of a degree (rotated) or the end colour (gradient)
  Fixed pitch;
  int mode = kModePlain;
  Fixed x;
  Fixed y;
  int size = 10;
  Rgb color = kBlack;
};

// Draws one text (or its shadow) as the element's mode says.
void DrawTextElement(const TextElement& element, DrawingContext& context);

// The text cut to at most `maxLength` bytes (0: no limit) without leaving
// half of a double-byte character at its end.
std::string LimitTextLength(const std::string& text, int maxLength);

}  // namespace layout
