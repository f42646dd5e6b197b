#include "layout/core/ElementFields.h"

#include <array>

#include "platform/text/Cp932.h"

namespace layout {

namespace {

struct KindEntry {
  ElementKind kind;
  const char* keyword;
};

constexpr KindEntry kKinds[] = {
    {ElementKind::Line, "line"},         {ElementKind::Rect, "rect"},
    {ElementKind::RoundRect, "rrect"},   {ElementKind::Arc, "Arc"},
    {ElementKind::Chord, "Chord"},       {ElementKind::Ellipse, "Ellipse"},
    {ElementKind::FillRect, "fillrect"}, {ElementKind::Char, "char"},
    {ElementKind::Data, "data"},         {ElementKind::Image, "image"},
    {ElementKind::Offsets, "header"},
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
constexpr const char* kWhite = "16777215";

// The five fields every record starts with; the keyword's default is the
// kind's own.
constexpr std::array<FieldInfo, 5> Common(const char* layer) {
  return {{{1, T::IntegerOr0, layer, "レイヤー番号", "塗りつぶし枠と画像では 1 で枠を付けます。"},
           {2, T::Kept, "0", "予備", kSpareMeaning},
           {3, T::Kept, "0", "予備", kSpareMeaning},
           {4, T::Kept, "0", "予備", kSpareMeaning},
           {5, T::Keyword, "", "種類", "要素の種類を表すキーワードで、変更できません。"}}};
}
constexpr auto kCommon = Common("0");

// Fields 6 to 9 of the boxed shapes: two opposite corners.
constexpr auto kCorners = std::to_array<FieldInfo>({
    {6, T::Decimal, "0", "角1の横位置", "一方の角の横位置 (mm) です。"},
    {7, T::Decimal, "0", "角1の縦位置", "一方の角の縦位置 (mm) です。"},
    {8, T::Decimal, "0", "角2の横位置", "反対側の角の横位置 (mm) です。"},
    {9, T::Decimal, "0", "角2の縦位置", "反対側の角の縦位置 (mm) です。"},
});

// A pen from field n: width, line kind and colour; a black solid line.
constexpr std::array<FieldInfo, 3> Pen(int n) {
  return {{{n, T::Integer, "2", "線の太さ", "線の太さ (1/144 インチ単位) です。"},
           {n + 1, T::PenName, "実線", "線種", "実線、破線、点線などの線の種類です。"},
           {n + 2, T::Colour, "0", "線の色", "線の色 (赤 + 256×緑 + 65536×青) です。"}}};
}

// A brush from field n: fill pattern and colour.
constexpr std::array<FieldInfo, 2> Brush(int n) {
  return {{{n, T::BrushName, "透明", "塗りパターン",
            "内側の塗り方です。「透明」では塗らず、「枠」は塗りの色で塗りつぶします。"},
           {n + 1, T::Colour, kWhite, "塗りの色", "内側を塗る色 (赤 + 256×緑 + 65536×青) です。"}}};
}

constexpr std::array<FieldInfo, 1> Preview(int n, FieldType type = T::Flag) {
  return {{{n, type, "0", "プレビューのみ", "1 にすると印刷せず、プレビューにだけ描きます。"}}};
}

constexpr auto kLineFields =
    Concat(kCommon,
           std::to_array<FieldInfo>({
               {6, T::Decimal, "0", "始点の横位置", "線の始点の横位置 (mm) です。"},
               {7, T::Decimal, "0", "始点の縦位置", "線の始点の縦位置 (mm) です。"},
               {8, T::Decimal, "0", "終点の横位置", "線の終点の横位置 (mm) です。"},
               {9, T::Decimal, "0", "終点の縦位置", "線の終点の縦位置 (mm) です。"},
           }),
           Pen(10), Preview(13));

constexpr auto kRectFields = Concat(kCommon, kCorners, Pen(10), Preview(13));

constexpr auto kRoundRectFields =
    Concat(kCommon, kCorners,
           std::to_array<FieldInfo>({
               {10, T::Integer, "3", "角丸の幅", "角を丸める楕円の幅 (整数の mm) です。"},
               {11, T::Integer, "3", "角丸の高さ", "角を丸める楕円の高さ (整数の mm) です。"},
           }),
           Pen(12), Brush(15), Preview(17));

constexpr auto kArcFields = Concat(kCommon, kCorners,
                                   std::to_array<FieldInfo>({
                                       {10, T::Integer, "0", "開始点の横位置",
                                        "弧の始まる方向を決める点の横位置 (整数の mm) です。"},
                                       {11, T::Integer, "0", "開始点の縦位置",
                                        "弧の始まる方向を決める点の縦位置 (整数の mm) です。"},
                                       {12, T::Integer, "0", "終了点の横位置",
                                        "弧の終わる方向を決める点の横位置 (画面の点) です。"},
                                       {13, T::Integer, "0", "終了点の縦位置",
                                        "弧の終わる方向を決める点の縦位置 (画面の点) です。"},
                                   }),
                                   Pen(14), Brush(17), Preview(19));

constexpr auto kEllipseFields = Concat(kCommon, kCorners, Pen(10), Brush(13), Preview(15));

constexpr auto kFillRectFields =
    Concat(Common("1"), kCorners,
           std::to_array<FieldInfo>({
               {10, T::BrushName, "塗潰", "塗りパターン", "範囲の塗り方です。"},
               {11, T::Colour, "0", "枠の色", "レイヤー番号 1 で付ける枠の色です。"},
               {12, T::Kept, "0", "予備", kSpareMeaning},
           }),
           Preview(13));

// Text records; `text` is the text a new one shows.
constexpr auto TextFields(const char* text) {
  return Concat(
      kCommon,
      std::to_array<FieldInfo>({
          {6, T::Decimal, "0", "横位置", "文字の左上の横位置 (mm) です。"},
          {7, T::Decimal, "0", "縦位置", "文字の左上の縦位置 (mm) です。"},
          {8, T::Decimal, "0", "第2点の横位置", "描画には使われず、普通は横位置と同じ値です。"},
          {9, T::Decimal, "0", "第2点の縦位置", "描画には使われず、普通は縦位置と同じ値です。"},
          {10, T::Decimal, "0", "影の横のずれ", "影を描く横のずれ (mm) で、0 なら影はありません。"},
          {11, T::Decimal, "0", "影の縦のずれ", "影を描く縦のずれ (mm) で、0 なら影はありません。"},
          {12, T::IntegerOr0, "0", "回転角度",
           "文字を回す角度 (度) で、0 以外なら回転して描きます。"},
          {13, T::Colour, "0", "第2の色", "影の色、またはグラデーションの終わりの色です。"},
          {14, T::FontFace, "ＭＳ 明朝", "フォント", "文字を描くフォントの名前です。"},
          {15, T::Integer, "10", "文字の大きさ", "文字の大きさ (ポイント) です。"},
          {16, T::FontStyle, "", "文字スタイル", "太字や斜体などの文字の飾りです。"},
          {17, T::TextMode, "0", "描画モード",
           "通常、縦書き、切り抜き塗り、グラデーション、回転のどれかです。"},
          {18, T::Decimal, "0", "文字間隔",
           "1 文字ずつ進める幅 (mm) で、負の値なら基準点で終わります。"},
          {19, T::Colour, "0", "文字の色", "文字の色 (赤 + 256×緑 + 65536×青) です。"},
          {20, T::Text, text, "文字列", "描く文字列で、#T などの記号は印刷時に置き換わります。"},
      }),
      Preview(21),
      std::to_array<FieldInfo>({
          {22, T::Length, "0", "最大バイト数",
           "描く長さの上限 (バイト) で、0 か空なら制限しません。"},
      }));
}
constexpr auto kCharFields = TextFields("文字");
constexpr auto kDataFields = TextFields("#T");  // the report's title

constexpr auto kImageFields =
    Concat(kCommon,
           std::to_array<FieldInfo>({
               {6, T::Decimal, "0", "横位置", "画像の左上の横位置 (mm) です。"},
               {7, T::Decimal, "0", "縦位置", "画像の左上の縦位置 (mm) です。"},
               {8, T::Decimal, "40", "幅",
                "指定の大きさで描く幅 (mm) で、0 なら高さと画像の縦横比で決まります。"},
               {9, T::Decimal, "30", "高さ",
                "指定の大きさで描く高さ (mm) で、0 なら幅と画像の縦横比で決まります。"},
               {10, T::SizeMode, "1", "大きさの指定",
                "0 なら画像の元の大きさ、それ以外なら幅と高さで描きます。"},
               {11, T::Kept, "0", "予備", kSpareMeaning},
           }),
           Preview(12, T::FlagOr0),
           std::to_array<FieldInfo>({
               {13, T::PictureFile, "", "画像ファイル",
                "描く画像のファイル名で、スタイルのフォルダーからも探します。"},
           }));

static_assert(NumberedInOrder(kLineFields) && NumberedInOrder(kRectFields) &&
              NumberedInOrder(kRoundRectFields) && NumberedInOrder(kArcFields) &&
              NumberedInOrder(kEllipseFields) && NumberedInOrder(kFillRectFields) &&
              NumberedInOrder(kCharFields) && NumberedInOrder(kImageFields));
static_assert(kLineFields.size() == 13 && kRoundRectFields.size() == 17 &&
              kArcFields.size() == 19 && kEllipseFields.size() == 15 &&
              kFillRectFields.size() == 13 && kCharFields.size() == 22 &&
              kImageFields.size() == 13);

}  // namespace

ElementKind KindOfKeyword(std::string_view keyword) {
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

bool StopsOnText(FieldType type) {
  switch (type) {
    case FieldType::Decimal:
    case FieldType::Integer:
    case FieldType::Flag:
    case FieldType::Length:
    case FieldType::TextMode: return true;
    default: return false;
  }
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
    case ElementKind::Char: return kCharFields;
    case ElementKind::Data: return kDataFields;
    case ElementKind::Image: return kImageFields;
    case ElementKind::Offsets:
    case ElementKind::Unknown: break;
  }
  return std::span<const FieldInfo>(kCommon);
}

std::optional<int> FieldOfSameMeaning(ElementKind from, int field, ElementKind to) {
  const FieldInfo* source = nullptr;
  for (const FieldInfo& info : FieldsOfKind(from)) {
    if (info.number == field) {
      source = &info;
    }
  }
  if (source == nullptr) {
    return std::nullopt;
  }
  for (const FieldInfo& info : FieldsOfKind(to)) {
    // A spare field's meaning is unknown: only the same spare field is it.
    bool spare = source->type == FieldType::Kept || info.type == FieldType::Kept;
    if (std::string_view(info.label) == source->label &&
        (!spare || (info.type == source->type && info.number == source->number))) {
      return info.number;
    }
  }
  return std::nullopt;
}

std::vector<std::string> DefaultFields(ElementKind kind) {
  std::vector<std::string> fields;
  for (const FieldInfo& field : FieldsOfKind(kind)) {
    fields.push_back(field.type == FieldType::Keyword ? std::string(KeywordOfKind(kind))
                                                      : platform::Utf8ToCp932(field.byDefault));
  }
  return fields;
}

}  // namespace layout
