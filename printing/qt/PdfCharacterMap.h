#pragma once

#include <QFont>
#include <QString>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "printing/core/PdfToUnicode.h"

namespace printing {

// Qt's PDF writer tells which character each glyph draws only for the
// characters of the Basic Multilingual Plane: one beyond it (𠮷, an emoji)
// is drawn but cannot be found or copied. The writer numbers the glyphs of
// each embedded font in the order they are first drawn (0 for none); this
// follows the texts drawn, in order, to learn the number each such
// character took, so that it can be added to the finished file.
class PdfCharacterMap {
 public:
  // A text drawn as text on the PDF, in `font`.
  void Drew(const QString& text, const QFont& font);
  // What the file's fonts lack, by font name.
  const MissingCharacters& Missing() const { return missing_; }

 private:
  // The face and glyph Qt draws a character with (face -1: none).
  struct Placement {
    int face = -1;
    std::uint32_t glyph = 0;
  };
  int FontIndex(const QFont& font);
  Placement PlacementOf(int fontIndex, char32_t character);
  int FaceIndex(const QString& postScriptName);

  std::vector<QFont> fonts_;
  std::unordered_map<std::uint64_t, Placement> placements_;  // font index and character
  struct Face {
    std::string name;
    std::unordered_map<std::uint32_t, unsigned> numbers;  // glyph: its number in the file
  };
  std::vector<Face> faces_;
  MissingCharacters missing_;
};

}  // namespace printing
