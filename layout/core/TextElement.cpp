#include "layout/core/TextElement.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "layout/core/DrawElements.h"
#include "layout/core/NameTables.h"
#include "platform/text/Cp932.h"
#include "platform/text/Utf8.h"

namespace layout {

namespace {

constexpr std::size_t kCharacterBytes = 256;
// Font sizes beyond any paper (a 2000-point character is 70 cm high) are
// held there, so a damaged style cannot ask for a font of a billion pixels.
constexpr int kMaxFontPoints = 2000;
constexpr std::size_t kRotatedFaceBytes = 31;
// The most of an element's text that is drawn: more than any page can show
// at any legible size, and it bounds the work of one element (the glyph
// outlines of modes 2 and 3 cost time and memory by the character).
constexpr int kDrawnTextBytes = 4096;

// One character at a time, stepping the reference point by the pitch along
// X (plain) or Y (vertical).
void DrawCharacterByCharacter(const TextElement& e, Fixed pitch, bool vertical,
                              DrawingContext& context) {
  std::vector<std::string> characters = SteppedCharacters(e.text);
  Fixed x = e.x;
  Fixed y = e.y;
  if (pitch < Fixed()) {
    pitch = -pitch;
    Fixed back = static_cast<std::int64_t>(characters.size()) * pitch;
    (vertical ? y : x) = (vertical ? y : x) - back;
  }
  for (const std::string& character : characters) {
    context.surface->TextOut(context.MapX(x), context.MapY(y), character);
    (vertical ? y : x) = (vertical ? y : x) + pitch;
  }
}

// The pixels per inch fonts are made with: the preview's on the preview,
// the printer's on paper, so printed text has the size the preview shows.
int FontPixelsPerInch(const DrawingContext& context) {
  if (context.onPrinter) {
    return static_cast<int>(std::clamp<std::int64_t>(context.printerResY.Trunc(), 1, 100000));
  }
  return context.previewPpi;
}

int Component(Rgb color, int shift) {
  return static_cast<int>((color >> shift) & 0xFF);
}

// Mode 2 and 3: the text's glyphs as the clip of a filled box.
void DrawClipped(const TextElement& e, int x, int y, bool gradient, DrawingContext& context) {
  Surface& s = *context.surface;
  s.SetFontFace(e.face);
  s.SetFontPixelsPerInch(FontPixelsPerInch(context));
  s.SetFontSize(e.size);
  FontStyle style = s.Font().style;
  style.bold = true;
  s.SetFontStyle(style);
  if (!gradient) {
    s.SetBrushColor(e.color);
  }
  Extent extent = s.TextExtent(e.text);
  int w = extent.width;
  int t = extent.height;
  bool visible = s.SelectGlyphClip(x, y, x + w, y + t, e.text);
  if (!gradient) {
    if (visible) {
      s.FillRect(x, y, x + w, y + t);
    }
    s.ClearClip();
    return;
  }
  Rgb to = static_cast<Rgb>(e.modeParameter);
  for (int i = 0; i <= t; ++i) {
    Rgb row = 0;
    for (int shift : {0, 8, 16}) {
      int from = Component(e.color, shift);
      int step =
          t == 0 ? 0
                 : static_cast<int>(static_cast<long long>(i) * (Component(to, shift) - from) / t);
      row |= static_cast<Rgb>((from + step) & 0xFF) << shift;
    }
    s.SetBrushColor(row);
    if (visible) {
      s.FillRect(x, y + i, x + w, y + i + 1);
    }
  }
  s.ClearClip();
}

}  // namespace

std::vector<std::string> SteppedCharacters(const std::string& text) {
  std::vector<std::string> characters;
  std::size_t stored = 0;  // the bytes code page 932 takes before the character
  for (std::size_t i = 0; i < text.size() && stored < kCharacterBytes;) {
    std::size_t length = platform::Utf8SequenceLength(static_cast<unsigned char>(text[i]));
    length = length == 0 || i + length > text.size() ? 1 : length;
    characters.push_back(text.substr(i, length));
    stored += platform::Cp932Width(characters.back());
    i += length;
  }
  return characters;
}

std::string LimitTextLength(const std::string& text, int maxLength) {
  if (maxLength <= 0) {
    return text;
  }
  return text.substr(
      0, platform::Utf8PrefixWithinCp932Bytes(text, static_cast<std::size_t>(maxLength)));
}

void DrawTextElement(const TextElement& element, DrawingContext& context) {
  if (element.x == Fixed() || element.text.empty()) {
    return;
  }
  if (context.Skips(element.previewOnly)) {
    return;
  }
  TextElement e = element;
  e.text = LimitTextLength(LimitTextLength(element.text, element.maxLength), kDrawnTextBytes);
  Surface& s = *context.surface;
  s.SetFontColor(e.color);
  s.SetBrushStyle(BrushStyle::Clear);
  s.SetFontPixelsPerInch(FontPixelsPerInch(context));
  s.SetFontSize(e.size);
  int x = context.MapX(e.x);
  int y = context.MapY(e.y);

  switch (e.mode) {
    case kModePlain:
      if (e.pitch == Fixed()) {
        s.TextOut(x, y, e.text);
      } else {
        DrawCharacterByCharacter(e, e.pitch, false, context);
      }
      return;
    case kModeClipFilled:
    case kModeGradient: DrawClipped(e, x, y, e.mode == kModeGradient, context); return;
    case kModeRotated: {
      s.SetFontColor(e.color);
      s.SetBrushStyle(BrushStyle::Clear);
      int h = s.Font().PixelHeight();
      int ppi = FontPixelsPerInch(context);
      int size = ppi <= 0 ? 0 : static_cast<int>(std::lround(h * 72.0 / ppi));
      // The preview's cell, (size + 4) screen pixels at zoom 100, is made as
      // large on paper.
      int height = (size + 4) * context.zoomPercent / 100;
      if (context.onPrinter && context.screenResY > Fixed()) {
        height = static_cast<int>(static_cast<long long>(size + 4) * context.printerResY.Raw() /
                                  context.screenResY.Raw());
      }
      s.SelectRotatedFont(
          e.face.substr(0, platform::Utf8PrefixWithinCp932Bytes(e.face, kRotatedFaceBytes)), height,
          e.modeParameter);
      s.TextOut(x, y, e.text);
      return;
    }
    default: {
      // Vertical, and every other mode number.
      Fixed pitch = e.pitch == Fixed()
                        ? Fixed::FromRaw(static_cast<std::int64_t>(e.size) * Fixed::kOne / 2)
                        : e.pitch;
      DrawCharacterByCharacter(e, pitch, true, context);
      return;
    }
  }
}

void DrawTextRecord(RecordReader& record, DrawingContext& context) {
  TextElement e;
  e.x = record.TakeDecimal();
  e.y = record.TakeDecimal();
  record.TakeDecimal();  // a second point, read and dropped
  record.TakeDecimal();
  Fixed shadowX = record.TakeDecimal();
  Fixed shadowY = record.TakeDecimal();
  int angle = record.TakeIntegerOr0();
  Rgb second = ResolveColor(record.TakeIntegerOr0());
  e.face = record.TakeField();
  e.size = std::clamp(record.TakeInteger(), 0, kMaxFontPoints);
  FontStyle style = FontStyleFromName(record.TakeField());
  e.mode = record.TakeInteger();
  e.pitch = record.TakeDecimal();
  e.color = ResolveColor(record.TakeIntegerOr0());
  e.text = record.TakeField();
  e.previewOnly = record.TakeFlag();
  e.maxLength = record.TakeLength();

  context.surface->SetFontFace(e.face);
  context.surface->SetFontStyle(style);
  if (angle != 0) {
    e.mode = kModeRotated;
  }
  if (e.mode == kModeRotated) {
    e.modeParameter = static_cast<int>(static_cast<long long>(angle) * 10 % 3600);
  } else if (e.mode == kModeGradient) {
    e.modeParameter = static_cast<int>(second);
  }
  if (shadowX != Fixed() || shadowY != Fixed()) {
    TextElement shadow = e;
    shadow.x = e.x + shadowX;
    shadow.y = e.y + shadowY;
    shadow.color = second;
    DrawTextElement(shadow, context);
  }
  DrawTextElement(e, context);
}

}  // namespace layout
