#pragma once

#include <string>
#include <vector>

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
  std::string text;  // UTF-8, as every text the drawing is given
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

// The text cut, in whole characters, to what takes at most `maxLength`
// bytes in code page 932 (0: no limit): the limits of style files were
// always counted in those bytes.
std::string LimitTextLength(const std::string& text, int maxLength);

// The characters a text drawn character by character steps through: those
// that start within its first 256 bytes of code page 932, one string each.
std::vector<std::string> SteppedCharacters(const std::string& text);

}  // namespace layout
