#include "layout/core/NameTables.h"

#include <string>
#include <utility>
#include <vector>

#include "platform/text/Cp932.h"

namespace layout {

namespace {

template <typename Style>
using Table = std::vector<std::pair<std::string, Style>>;

// Each name as drawn lines hold it (UTF-8) and as a style file holds it
// (code page 932, which the designer reads).
template <typename Style>
Table<Style> Make(std::initializer_list<std::pair<const char*, Style>> utf8) {
  Table<Style> table;
  for (const auto& [name, style] : utf8) {
    table.emplace_back(name, style);
    table.emplace_back(platform::Utf8ToCp932(name), style);
  }
  return table;
}

template <typename Style>
Style Lookup(const Table<Style>& table, std::string_view name, Style fallback) {
  for (const auto& [word, style] : table) {
    if (word == name) {
      return style;
    }
  }
  return fallback;
}

}  // namespace

PenStyle PenStyleFromName(std::string_view name) {
  static const Table<PenStyle> table = Make<PenStyle>({{"実線", PenStyle::Solid},
                                                       {"破線", PenStyle::Dash},
                                                       {"点線", PenStyle::Dot},
                                                       {"一点鎖線", PenStyle::DashDot},
                                                       {"二点鎖線", PenStyle::DashDotDot},
                                                       {"立体線", PenStyle::InsideFrame}});
  return Lookup(table, name, PenStyle::Solid);
}

bool KeepsBrushClear(std::string_view name) {
  return name == "透明";
}

BrushStyle BrushStyleFromName(std::string_view name) {
  static const Table<BrushStyle> table = Make<BrushStyle>({
      {"SolidBrush", BrushStyle::Solid},
      {"塗潰", BrushStyle::Solid},
      {"ClearBrush", BrushStyle::Clear},
      {"枠", BrushStyle::Clear},
      {"透明", BrushStyle::Clear},
      {"HorizontalBrush", BrushStyle::Horizontal},
      {"水平", BrushStyle::Horizontal},
      {"VerticalBrush", BrushStyle::Vertical},
      {"垂直", BrushStyle::Vertical},
      {"FDiagonalBrush", BrushStyle::FDiagonal},
      {"右斜線", BrushStyle::FDiagonal},
      {"BDiagonalBrush", BrushStyle::BDiagonal},
      {"左斜線", BrushStyle::BDiagonal},
      {"CrossBrush", BrushStyle::Cross},
      {"垂直十字", BrushStyle::Cross},
      {"DiagCrossBrush", BrushStyle::DiagCross},
      {"斜十字", BrushStyle::DiagCross},
  });
  return Lookup(table, name, BrushStyle::Solid);
}

FontStyle FontStyleFromName(std::string_view name) {
  static const Table<FontStyle> table = Make<FontStyle>({{"太字", FontStyle{true, false}},
                                                         {"斜体", FontStyle{false, true}},
                                                         {"太字斜体", FontStyle{true, true}}});
  return Lookup(table, name, FontStyle{});
}

}  // namespace layout
