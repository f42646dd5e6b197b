#include "designer/core/ElementSchema.h"

#include <array>
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
  const char* keyword;
  const char* name;
};

constexpr KindEntry kKinds[] = {
    {ElementKind::Line, "line", "線"},
    {ElementKind::Rect, "rect", "枠線"},
    {ElementKind::RoundRect, "rrect", "角丸四角形"},
    {ElementKind::Arc, "Arc", "円弧"},
    {ElementKind::Chord, "Chord", "弦"},
    {ElementKind::Ellipse, "Ellipse", "楕円"},
    {ElementKind::FillRect, "fillrect", "塗りつぶし"},
    {ElementKind::Char, "char", "文字"},
    {ElementKind::Data, "data", "データ"},
    {ElementKind::Image, "image", "画像"},
    {ElementKind::Offsets, "header", "位置補正"},
};

constexpr ElementKind kAddable[] = {
    ElementKind::Line,  ElementKind::Rect,    ElementKind::RoundRect, ElementKind::Arc,
    ElementKind::Chord, ElementKind::Ellipse, ElementKind::FillRect,  ElementKind::Char,
    ElementKind::Data,  ElementKind::Image,
};

using T = FieldType;

// The field tables are put together from the groups the kinds share.
template <std::size_t... N>
constexpr auto Concat(const std::array<FieldInfo, N>&... parts) {
  std::array<FieldInfo, (N + ...)> all{};
  std::size_t i = 0;
  auto put = [&](const auto& part) {
    for (const FieldInfo& field : part) {
      all[i++] = field;
    }
  };
  (put(parts), ...);
  return all;
}

// Whether a table numbers its fields 1, 2, 3... with nothing left out.
template <std::size_t N>
constexpr bool NumberedInOrder(const std::array<FieldInfo, N>& fields) {
  for (std::size_t i = 0; i < N; ++i) {
    if (fields[i].number != static_cast<int>(i) + 1) {
      return false;
    }
  }
  return true;
}

constexpr const char* kSpareMeaning = "使われていない欄で、書かれたまま残します。";

// The five fields every record starts with.
constexpr auto kCommon = std::to_array<FieldInfo>({
    {1, T::IntegerOr0, "レイヤー番号", "塗りつぶし枠と画像では 1 で枠を付けます。"},
    {2, T::Kept, "予備", kSpareMeaning},
    {3, T::Kept, "予備", kSpareMeaning},
    {4, T::Kept, "予備", kSpareMeaning},
    {5, T::Keyword, "種類", "要素の種類を表すキーワードで、変更できません。"},
});

// Fields 6 to 9 of the boxed shapes: two opposite corners.
constexpr auto kCorners = std::to_array<FieldInfo>({
    {6, T::Decimal, "角1の横位置", "一方の角の横位置 (mm) です。"},
    {7, T::Decimal, "角1の縦位置", "一方の角の縦位置 (mm) です。"},
    {8, T::Decimal, "角2の横位置", "反対側の角の横位置 (mm) です。"},
    {9, T::Decimal, "角2の縦位置", "反対側の角の縦位置 (mm) です。"},
});

// A pen from field n: width, line kind and colour.
constexpr std::array<FieldInfo, 3> Pen(int n) {
  return {{{n, T::Integer, "線の太さ", "線の太さ (1/144 インチ単位) です。"},
           {n + 1, T::PenName, "線種", "実線、破線、点線などの線の種類です。"},
           {n + 2, T::Colour, "線の色", "線の色 (赤 + 256×緑 + 65536×青) です。"}}};
}

// A brush from field n: fill pattern and colour.
constexpr std::array<FieldInfo, 2> Brush(int n) {
  return {{{n, T::BrushName, "塗りパターン", "内側の塗り方で、「枠」では塗りません。"},
           {n + 1, T::Colour, "塗りの色", "内側を塗る色 (赤 + 256×緑 + 65536×青) です。"}}};
}

constexpr std::array<FieldInfo, 1> Preview(int n) {
  return {{{n, T::Flag, "プレビューのみ", "1 にすると印刷せず、プレビューにだけ描きます。"}}};
}

constexpr auto kLineFields =
    Concat(kCommon,
           std::to_array<FieldInfo>({
               {6, T::Decimal, "始点の横位置", "線の始点の横位置 (mm) です。"},
               {7, T::Decimal, "始点の縦位置", "線の始点の縦位置 (mm) です。"},
               {8, T::Decimal, "終点の横位置", "線の終点の横位置 (mm) です。"},
               {9, T::Decimal, "終点の縦位置", "線の終点の縦位置 (mm) です。"},
           }),
           Pen(10), Preview(13));

constexpr auto kRectFields = Concat(kCommon, kCorners, Pen(10), Preview(13));

constexpr auto kRoundRectFields =
    Concat(kCommon, kCorners,
           std::to_array<FieldInfo>({
               {10, T::Integer, "角丸の幅", "角を丸める楕円の幅 (整数の mm) です。"},
               {11, T::Integer, "角丸の高さ", "角を丸める楕円の高さ (整数の mm) です。"},
           }),
           Pen(12), Brush(15), Preview(17));

constexpr auto kArcFields = Concat(
    kCommon, kCorners,
    std::to_array<FieldInfo>({
        {10, T::Integer, "開始点の横位置", "弧の始まる方向を決める点の横位置 (整数の mm) です。"},
        {11, T::Integer, "開始点の縦位置", "弧の始まる方向を決める点の縦位置 (整数の mm) です。"},
        {12, T::Integer, "終了点の横位置", "弧の終わる方向を決める点の横位置 (画面の点) です。"},
        {13, T::Integer, "終了点の縦位置", "弧の終わる方向を決める点の縦位置 (画面の点) です。"},
    }),
    Pen(14), Brush(17), Preview(19));

constexpr auto kEllipseFields = Concat(kCommon, kCorners, Pen(10), Brush(13), Preview(15));

constexpr auto kFillRectFields =
    Concat(kCommon, kCorners,
           std::to_array<FieldInfo>({
               {10, T::BrushName, "塗りパターン", "範囲の塗り方です。"},
               {11, T::Colour, "枠の色", "レイヤー番号 1 で付ける枠の色です。"},
               {12, T::Kept, "予備", kSpareMeaning},
           }),
           Preview(13));

constexpr auto kTextFields = Concat(
    kCommon,
    std::to_array<FieldInfo>({
        {6, T::Decimal, "横位置", "文字の左上の横位置 (mm) です。"},
        {7, T::Decimal, "縦位置", "文字の左上の縦位置 (mm) です。"},
        {8, T::Decimal, "第2点の横位置", "描画には使われず、普通は横位置と同じ値です。"},
        {9, T::Decimal, "第2点の縦位置", "描画には使われず、普通は縦位置と同じ値です。"},
        {10, T::Decimal, "影の横のずれ", "影を描く横のずれ (mm) で、0 なら影はありません。"},
        {11, T::Decimal, "影の縦のずれ", "影を描く縦のずれ (mm) で、0 なら影はありません。"},
        {12, T::IntegerOr0, "回転角度", "文字を回す角度 (度) で、0 以外なら回転して描きます。"},
        {13, T::Colour, "第2の色", "影の色、またはグラデーションの終わりの色です。"},
        {14, T::FontFace, "フォント", "文字を描くフォントの名前です。"},
        {15, T::Integer, "文字の大きさ", "文字の大きさ (ポイント) です。"},
        {16, T::FontStyle, "文字スタイル", "太字や斜体などの文字の飾りです。"},
        {17, T::TextMode, "描画モード",
         "通常、縦書き、切り抜き塗り、グラデーション、回転のどれかです。"},
        {18, T::Decimal, "文字間隔", "1 文字ずつ進める幅 (mm) で、負の値なら基準点で終わります。"},
        {19, T::Colour, "文字の色", "文字の色 (赤 + 256×緑 + 65536×青) です。"},
        {20, T::Text, "文字列", "描く文字列で、#T などの記号は印刷時に置き換わります。"},
    }),
    Preview(21),
    std::to_array<FieldInfo>({
        {22, T::Length, "最大バイト数", "描く長さの上限 (バイト) で、0 か空なら制限しません。"},
    }));

constexpr auto kImageFields =
    Concat(kCommon,
           std::to_array<FieldInfo>({
               {6, T::Decimal, "横位置", "画像の左上の横位置 (mm) です。"},
               {7, T::Decimal, "縦位置", "画像の左上の縦位置 (mm) です。"},
               {8, T::Decimal, "幅",
                "指定の大きさで描く幅 (mm) で、0 なら高さと画像の縦横比で決まります。"},
               {9, T::Decimal, "高さ",
                "指定の大きさで描く高さ (mm) で、0 なら幅と画像の縦横比で決まります。"},
               {10, T::SizeMode, "大きさの指定",
                "0 なら画像の元の大きさ、それ以外なら幅と高さで描きます。"},
               {11, T::Kept, "予備", kSpareMeaning},
           }),
           Preview(12),
           std::to_array<FieldInfo>({
               {13, T::PictureFile, "画像ファイル",
                "描く画像のファイル名で、スタイルのフォルダーからも探します。"},
           }));

static_assert(NumberedInOrder(kLineFields) && NumberedInOrder(kRectFields) &&
              NumberedInOrder(kRoundRectFields) && NumberedInOrder(kArcFields) &&
              NumberedInOrder(kEllipseFields) && NumberedInOrder(kFillRectFields) &&
              NumberedInOrder(kTextFields) && NumberedInOrder(kImageFields));
static_assert(kLineFields.size() == 13 && kRoundRectFields.size() == 17 &&
              kArcFields.size() == 19 && kEllipseFields.size() == 15 &&
              kFillRectFields.size() == 13 && kTextFields.size() == 22 &&
              kImageFields.size() == 13);

// The words of a name table (written here in UTF-8, held in code page 932
// as the style files write them) with their glosses.
class ChoiceTable {
 public:
  ChoiceTable(std::initializer_list<std::pair<const char*, const char*>> utf8) {
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

bool IsWholeNumber(std::string_view text) {
  int value = 0;
  return layout::ParseStyleInteger(text, value);
}

}  // namespace

ElementKind KindOfLine(std::string_view line) {
  std::string keyword = KeywordOf(line);
  for (const KindEntry& entry : kKinds) {
    if (keyword == entry.keyword) {
      return entry.kind;
    }
  }
  return ElementKind::Unknown;
}

const char* KeywordOfKind(ElementKind kind) {
  for (const KindEntry& entry : kKinds) {
    if (entry.kind == kind) {
      return entry.keyword;
    }
  }
  return "";
}

std::span<const ElementKind> AddableKinds() {
  return kAddable;
}

const char* KindName(ElementKind kind) {
  for (const KindEntry& entry : kKinds) {
    if (entry.kind == kind) {
      return entry.name;
    }
  }
  return "不明";
}

std::span<const FieldInfo> FieldsOfKind(ElementKind kind) {
  switch (kind) {
    case ElementKind::Line: return kLineFields;
    case ElementKind::Rect: return kRectFields;
    case ElementKind::RoundRect: return kRoundRectFields;
    case ElementKind::Arc:
    case ElementKind::Chord: return kArcFields;
    case ElementKind::Ellipse: return kEllipseFields;
    case ElementKind::FillRect: return kFillRectFields;
    case ElementKind::Char:
    case ElementKind::Data: return kTextFields;
    case ElementKind::Image: return kImageFields;
    case ElementKind::Offsets:
    case ElementKind::Unknown: break;
  }
  return std::span<const FieldInfo>(kCommon);
}

std::span<const NamedChoice> ChoicesOf(FieldType type) {
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
      static const ChoiceTable table({{"塗潰", "塗りつぶし"},
                                      {"枠", "塗らない"},
                                      {"水平", "横線の網掛け"},
                                      {"垂直", "縦線の網掛け"},
                                      {"右斜線", "右下がりの斜線の網掛け"},
                                      {"左斜線", "右上がりの斜線の網掛け"},
                                      {"垂直十字", "格子の網掛け"},
                                      {"斜十字", "斜め格子の網掛け"}});
      return table.Choices();
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

bool IsShapeKind(ElementKind kind) {
  switch (kind) {
    case ElementKind::Line:
    case ElementKind::Rect:
    case ElementKind::RoundRect:
    case ElementKind::Arc:
    case ElementKind::Chord:
    case ElementKind::Ellipse:
    case ElementKind::FillRect: return true;
    default: return false;
  }
}

}  // namespace designer
