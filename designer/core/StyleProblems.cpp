#include "designer/core/StyleProblems.h"

#include "designer/core/RecordFields.h"
#include "designer/core/StyleEdits.h"
#include "platform/text/Cp932.h"

namespace designer {

namespace {

constexpr int kPictureField = 13;
constexpr int kSizeModeField = 10;
const Fixed kPlaceholderSide = Fixed::FromInt(20);

bool IsNumberField(FieldType type) {
  return type == FieldType::Decimal || type == FieldType::Integer || type == FieldType::Colour;
}

std::string FieldName(const FieldInfo& field) {
  return "欄 " + std::to_string(field.number) + "「" + field.label + "」";
}

// The first reason a record of a known kind cannot be drawn as meant.
std::string RecordProblem(ElementKind kind, const RecordFields& fields) {
  for (const FieldInfo& field : FieldsOfKind(kind)) {
    if (field.type == FieldType::Keyword) {
      continue;
    }
    if (field.number > fields.Count()) {
      if (IsNumberField(field.type)) {
        return FieldName(field) + "がありません (行が途中で切れています)";
      }
      continue;
    }
    std::string refused = CheckFieldValue(field.type, fields.Get(field.number));
    if (!refused.empty()) {
      return FieldName(field) + ": " + refused;
    }
  }
  return {};
}

}  // namespace

std::vector<StyleProblem> FindStyleProblems(const StyleDocument& document,
                                            const PictureFinder& findPicture) {
  std::vector<StyleProblem> problems;
  // The page capacity: binding takes the whole text of the first line that
  // holds the tag and removes it, so other words there are never printed.
  int capacityLine = -1;
  for (int line = 1; line < document.PageEnd() && capacityLine < 0; ++line) {
    if (document.Text(line).find(kCapacityTag) != std::string::npos) {
      capacityLine = line;
    }
  }
  for (int line = 1; line < document.PageEnd(); ++line) {
    const std::string& text = document.Text(line);
    ElementKind kind = KindOfLine(text);
    if (kind == ElementKind::Unknown) {
      std::string keyword = platform::DecodeCp932(KeywordOf(text));
      problems.push_back({line, keyword.empty() ? "要素の種類 (欄 5) がありません"
                                                : "要素の種類「" + keyword + "」はありません"});
      continue;
    }
    RecordFields fields(text);
    std::string reason = RecordProblem(kind, fields);
    if (reason.empty() && kind == ElementKind::Image) {
      std::string picture = fields.Get(kPictureField);
      if (picture.empty()) {
        reason = "画像ファイルが指定されていません";
      } else if (findPicture && !findPicture(picture)) {
        reason = "画像ファイル「" + platform::DecodeCp932(picture) + "」が見つかりません";
      }
    }
    if (reason.empty() && line == capacityLine) {
      std::string text = fields.Get(20);
      if (text.rfind(kCapacityTag, 0) != 0 ||
          text.find_first_not_of("0123456789", std::string_view(kCapacityTag).size()) !=
              std::string::npos) {
        reason = "「#maxline=」と同じ欄にほかの文字があり、その文字は印刷されません";
      }
    }
    if (!reason.empty()) {
      problems.push_back({line, std::move(reason)});
    }
  }
  return problems;
}

std::optional<MmBox> MissingPictureBox(const std::string& imageLine) {
  RecordFields fields(imageLine);
  std::optional<Fixed> x = fields.Decimal(6);
  std::optional<Fixed> y = fields.Decimal(7);
  if (!x || !y) {
    return std::nullopt;
  }
  Fixed width = kPlaceholderSide;
  Fixed height = kPlaceholderSide;
  std::optional<Fixed> w = fields.Decimal(8);
  std::optional<Fixed> h = fields.Decimal(9);
  if (fields.Integer(kSizeModeField).value_or(0) != 0 && w && h && *w > Fixed() && *h > Fixed()) {
    width = *w;
    height = *h;
  }
  return MmBox{*x, *y, *x + width, *y + height};
}

}  // namespace designer
