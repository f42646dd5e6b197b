// The declared fields of every element kind against the element drawers
// that read them: the same numbers, the same strictness, defaults that draw.

#include "layout/core/ElementFields.h"

#include <gtest/gtest.h>

#include "layout/core/DrawElements.h"
#include "layout/core/NameTables.h"
#include "platform/errors/UserError.h"
#include "platform/text/Cp932.h"
#include "tests/support/RecordingSurface.h"

namespace layout {
namespace {

constexpr ElementKind kDrawnKinds[] = {
    ElementKind::Line,  ElementKind::Rect,    ElementKind::RoundRect, ElementKind::Arc,
    ElementKind::Chord, ElementKind::Ellipse, ElementKind::FillRect,  ElementKind::Char,
    ElementKind::Data,  ElementKind::Image};

std::size_t Characters(const char* utf8) {
  std::size_t count = 0;
  for (const char* c = utf8; *c != '\0'; ++c) {
    count += (static_cast<unsigned char>(*c) & 0xC0) != 0x80;
  }
  return count;
}

// The record of the kind's defaults, field `replaced` holding `with`.
std::string DefaultRecord(ElementKind kind, int replaced = 0, const std::string& with = "") {
  std::vector<std::string> fields = DefaultFields(kind);
  std::string line;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    line += static_cast<int>(i) + 1 == replaced ? with : fields[i];
    line += ';';
  }
  return line;
}

// Whether a record draws (on a preview) or stops the drawing.
bool Draws(const std::string& record) {
  testsupport::RecordingSurface surface;
  DrawingContext context;
  context.surface = &surface;
  context.scaleX = context.scaleY = Fixed::FromRaw(37795);
  context.previewPpi = 96;
  try {
    DrawElements(context, {"header;Ver1.1;0;0;9;0;0;100;0;", record});
  } catch (const platform::UserError&) {
    return false;
  }
  return true;
}

TEST(ElementFields, EveryKindNumbersItsFieldsWithDefaultsLabelsAndMeanings) {
  const std::size_t lastField[] = {13, 13, 17, 19, 19, 15, 13, 22, 22, 13};
  for (std::size_t k = 0; k < std::size(kDrawnKinds); ++k) {
    ElementKind kind = kDrawnKinds[k];
    SCOPED_TRACE(KeywordOfKind(kind));
    std::span<const FieldInfo> fields = FieldsOfKind(kind);
    ASSERT_EQ(fields.size(), lastField[k]);
    for (std::size_t i = 0; i < fields.size(); ++i) {
      EXPECT_EQ(fields[i].number, static_cast<int>(i) + 1);
      EXPECT_GT(Characters(fields[i].label), 0u);
      EXPECT_LE(Characters(fields[i].label), 12u) << fields[i].label;
      EXPECT_GT(Characters(fields[i].meaning), 5u);
    }
    EXPECT_EQ(fields[4].type, FieldType::Keyword);
    EXPECT_EQ(KindOfKeyword(KeywordOfKind(kind)), kind);
    std::vector<std::string> defaults = DefaultFields(kind);
    EXPECT_EQ(defaults[4], KeywordOfKind(kind));
    EXPECT_TRUE(Draws(DefaultRecord(kind)));
  }
  EXPECT_EQ(FieldsOfKind(ElementKind::Unknown).size(), 5u);
  EXPECT_EQ(KindOfKeyword("Line"), ElementKind::Unknown);  // keywords are exact
}

TEST(ElementFields, TheDrawersStopExactlyAtTheFieldsDeclaredAsNumbers) {
  for (ElementKind kind : kDrawnKinds) {
    SCOPED_TRACE(KeywordOfKind(kind));
    for (const FieldInfo& field : FieldsOfKind(kind)) {
      if (field.type == FieldType::Keyword) {
        continue;
      }
      EXPECT_EQ(Draws(DefaultRecord(kind, field.number, "x")), !StopsOnText(field.type))
          << field.number << " " << field.label;
    }
  }
}

TEST(ElementFields, DefaultNamesAreWordsTheNameTablesKnow) {
  std::vector<std::string> round = DefaultFields(ElementKind::RoundRect);
  EXPECT_EQ(PenStyleFromName(round[12]), PenStyle::Solid);
  EXPECT_EQ(BrushStyleFromName(round[14]), BrushStyle::Clear);
  EXPECT_EQ(round[15], "16777215");
  std::vector<std::string> fill = DefaultFields(ElementKind::FillRect);
  EXPECT_EQ(fill[0], "1");  // framed
  EXPECT_EQ(BrushStyleFromName(fill[9]), BrushStyle::Solid);
  EXPECT_EQ(platform::Cp932ToUtf8(DefaultFields(ElementKind::Char)[13]), "ＭＳ 明朝");
  EXPECT_EQ(platform::Cp932ToUtf8(DefaultFields(ElementKind::Char)[19]), "文字");
  EXPECT_EQ(DefaultFields(ElementKind::Data)[19], "#T");
}

}  // namespace
}  // namespace layout
