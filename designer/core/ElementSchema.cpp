#include "designer/core/ElementSchema.h"

#include <initializer_list>
#include <utility>
#include <vector>

#include "designer/core/RecordFields.h"
#include "layout/core/Fixed.h"
#include "layout/core/RecordReader.h"
#include "platform/text/Cp932.h"

namespace designer {

namespace {

struct KindEntry {
  ElementKind kind;
  const char* name;
};

constexpr KindEntry kKindNames[] = {
    {ElementKind::Line, "線"},
    {ElementKind::Rect, "枠線"},
    {ElementKind::RoundRect, "角丸四角形"},
    {ElementKind::Arc, "円弧"},
    {ElementKind::Chord, "弦"},
    {ElementKind::Ellipse, "楕円"},
    {ElementKind::FillRect, "塗りつぶし"},
    {ElementKind::Char, "文字"},
    {ElementKind::Data, "データ"},
    {ElementKind::Image, "画像"},
    {ElementKind::Offsets, "位置補正"},
};

constexpr ElementKind kAddable[] = {
    ElementKind::Line,  ElementKind::Rect,    ElementKind::RoundRect, ElementKind::Arc,
    ElementKind::Chord, ElementKind::Ellipse, ElementKind::FillRect,  ElementKind::Char,
    ElementKind::Data,  ElementKind::Image,
};

// The words of a name table (written here in UTF-8, held in code page 932
// as the style files write them) with their glosses.
class ChoiceTable {
 public:
  ChoiceTable(std::initializer_list<std::pair<const char*, const char*>> utf8)
      : ChoiceTable(std::vector<std::pair<const char*, const char*>>(utf8)) {}
  explicit ChoiceTable(const std::vector<std::pair<const char*, const char*>>& utf8) {
    words_.reserve(utf8.size());
    for (const auto& entry : utf8) {
      words_.push_back(platform::Utf8ToCp932(entry.first));
    }
    // The words are all in place before any pointer to them is taken.
    std::size_t i = 0;
    for (const auto& entry : utf8) {
      choices_.push_back({words_[i++].c_str(), entry.second});
    }
  }
  std::span<const NamedChoice> Choices() const { return choices_; }

 private:
  std::vector<std::string> words_;
  std::vector<NamedChoice> choices_;
};

// The brush words with what the page drawing paints with each: `frame` is
// what "枠" does in the kind; without it (an arc) nothing is filled.
std::vector<std::pair<const char*, const char*>> BrushWords(const char* frame) {
  if (frame == nullptr) {
    constexpr const char* kNoFill = "塗らない (円弧は内側を塗りません)";
    return {{"塗潰", kNoFill},   {"透明", kNoFill},     {"枠", kNoFill},
            {"水平", kNoFill},   {"垂直", kNoFill},     {"右斜線", kNoFill},
            {"左斜線", kNoFill}, {"垂直十字", kNoFill}, {"斜十字", kNoFill}};
  }
  return {{"塗潰", "塗りつぶし"},
          {"透明", "塗らない"},
          {"枠", frame},
          {"水平", "横線の網掛け"},
          {"垂直", "縦線の網掛け"},
          {"右斜線", "右下がりの斜線の網掛け"},
          {"左斜線", "右上がりの斜線の網掛け"},
          {"垂直十字", "格子の網掛け"},
          {"斜十字", "斜め格子の網掛け"}};
}

bool IsWholeNumber(std::string_view text) {
  int value = 0;
  return layout::ParseStyleInteger(text, value);
}

}  // namespace

ElementKind KindOfLine(std::string_view line) {
  return layout::KindOfKeyword(KeywordOf(line));
}

std::span<const ElementKind> AddableKinds() {
  return kAddable;
}

const char* KindName(ElementKind kind) {
  for (const KindEntry& entry : kKindNames) {
    if (entry.kind == kind) {
      return entry.name;
    }
  }
  return "不明";
}

std::span<const NamedChoice> ChoicesOf(FieldType type, ElementKind kind) {
  switch (type) {
    case FieldType::PenName: {
      static const ChoiceTable table({{"実線", "実線"},
                                      {"破線", "破線"},
                                      {"点線", "点線"},
                                      {"一点鎖線", "一点鎖線"},
                                      {"二点鎖線", "二点鎖線"},
                                      {"立体線", "立体線 (線の太さを内側に取ります)"}});
      return table.Choices();
    }
    case FieldType::BrushName: {
      // A colour given to "枠" makes it fill (the round box, ellipse and
      // chord give one); a filled box gives none, so there it stays empty.
      static const ChoiceTable filled(BrushWords("塗りの色で塗りつぶし"));
      static const ChoiceTable fillRect(BrushWords("塗らない"));
      static const ChoiceTable arc(BrushWords(nullptr));
      if (kind == ElementKind::FillRect) {
        return fillRect.Choices();
      }
      return kind == ElementKind::Arc ? arc.Choices() : filled.Choices();
    }
    case FieldType::FontStyle: {
      static const ChoiceTable table(
          {{"", "標準"}, {"太字", "太字"}, {"斜体", "斜体"}, {"太字斜体", "太字斜体"}});
      return table.Choices();
    }
    case FieldType::TextMode: {
      static const ChoiceTable table({{"0", "通常"},
                                      {"1", "縦書き"},
                                      {"2", "切り抜き塗り"},
                                      {"3", "グラデーション"},
                                      {"4", "回転"}});
      return table.Choices();
    }
    case FieldType::SizeMode: {
      static const ChoiceTable table({{"0", "元の大きさ"}, {"1", "指定の大きさ"}});
      return table.Choices();
    }
    default: return {};
  }
}

std::string CheckFieldValue(FieldType type, std::string_view text) {
  if (text.find(';') != std::string_view::npos) {
    return "「;」は使えません";
  }
  if (text.find_first_of("\r\n") != std::string_view::npos) {
    return "改行は使えません";
  }
  switch (type) {
    case FieldType::Decimal:
      if (!layout::Fixed::Parse(text)) {
        return layout::NotADecimalMessage(text);
      }
      break;
    case FieldType::Integer:
    case FieldType::TextMode:  // read as a whole number: other text stops the drawing
      if (!IsWholeNumber(text)) {
        return layout::NotAnIntegerMessage(text);
      }
      break;
    case FieldType::Flag:
    case FieldType::Length:
      if (!text.empty() && !IsWholeNumber(text)) {
        return layout::NotAnIntegerMessage(text);
      }
      break;
    default: break;
  }
  return std::string();
}

}  // namespace designer
