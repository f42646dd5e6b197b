#include "printing/qt/PdfCharacterMap.h"

#include <QGlyphRun>
#include <QRawFont>
#include <QTextLayout>
#include <QtEndian>

namespace printing {

namespace {

// The PostScript name of a font (name 6 of its "name" table), as the PDF
// writer names the font in the file.
QString PostScriptNameOf(const QRawFont& font) {
  QByteArray table = font.fontTable("name");
  auto u16 = [&](int at) {
    return at + 2 <= table.size()
               ? qFromBigEndian<quint16>(reinterpret_cast<const uchar*>(table.constData()) + at)
               : quint16(0);
  };
  int count = u16(2);
  int strings = u16(4);
  for (int i = 0; i < count; ++i) {
    int record = 6 + i * 12;
    int platform = u16(record);
    int nameId = u16(record + 6);
    int length = u16(record + 8);
    int offset = strings + u16(record + 10);
    if (nameId != 6 || offset + length > table.size()) {
      continue;
    }
    QByteArray bytes = table.mid(offset, length);
    if (platform == 3 || platform == 0) {  // UTF-16BE
      QString name;
      for (int k = 0; k + 1 < bytes.size(); k += 2) {
        name += QChar(static_cast<char16_t>((static_cast<uchar>(bytes[k]) << 8) |
                                            static_cast<uchar>(bytes[k + 1])));
      }
      return name;
    }
    return QString::fromLatin1(bytes);
  }
  return {};
}

}  // namespace

int PdfCharacterMap::FontIndex(const QFont& font) {
  for (std::size_t i = fonts_.size(); i-- > 0;) {
    const QFont& known = fonts_[i];
    if (known.family() == font.family() && known.bold() == font.bold() &&
        known.italic() == font.italic()) {
      return static_cast<int>(i);
    }
  }
  fonts_.push_back(font);
  return static_cast<int>(fonts_.size() - 1);
}

int PdfCharacterMap::FaceIndex(const QString& postScriptName) {
  std::string name = postScriptName.toStdString();
  for (std::size_t i = 0; i < faces_.size(); ++i) {
    if (faces_[i].name == name) {
      return static_cast<int>(i);
    }
  }
  faces_.push_back({name, {}});
  return static_cast<int>(faces_.size() - 1);
}

PdfCharacterMap::Placement PdfCharacterMap::PlacementOf(int fontIndex, char32_t character) {
  std::uint64_t key = (static_cast<std::uint64_t>(fontIndex) << 32) | character;
  auto known = placements_.find(key);
  if (known != placements_.end()) {
    return known->second;
  }
  // Laid out alone, as Qt lays out each character: with the font's own
  // glyph, else a fallback font's.
  Placement placement;
  QTextLayout layout(QString::fromUcs4(&character, 1), fonts_[static_cast<std::size_t>(fontIndex)]);
  layout.beginLayout();
  layout.createLine();
  layout.endLayout();
  const QList<QGlyphRun> runs = layout.glyphRuns();
  if (!runs.isEmpty() && !runs.front().glyphIndexes().isEmpty()) {
    QString name = PostScriptNameOf(runs.front().rawFont());
    if (!name.isEmpty()) {
      placement.face = FaceIndex(name);
      placement.glyph = runs.front().glyphIndexes().front();
    }
  }
  placements_.emplace(key, placement);
  return placement;
}

void PdfCharacterMap::Drew(const QString& text, const QFont& font) {
  int fontIndex = FontIndex(font);
  for (qsizetype i = 0; i < text.size(); ++i) {
    char32_t character = text[i].unicode();
    if (QChar::isHighSurrogate(character) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
      character = QChar::surrogateToUcs4(text[i].unicode(), text[i + 1].unicode());
      ++i;
    }
    Placement placement = PlacementOf(fontIndex, character);
    if (placement.face < 0 || placement.glyph == 0) {
      continue;  // no glyph: the writer's glyph 0, which stands for nothing
    }
    Face& face = faces_[static_cast<std::size_t>(placement.face)];
    auto [at, first] =
        face.numbers.try_emplace(placement.glyph, static_cast<unsigned>(face.numbers.size()) + 1);
    if (first && character > 0xFFFF) {
      missing_[face.name][at->second] = character;
    }
  }
}

}  // namespace printing
