// The style as the designer holds it: lines that keep their bytes and
// breaks, records split into fields, and the field tables.

#include "designer/core/StyleDocument.h"

#include <gtest/gtest.h>
#include <filesystem>
#include <set>

#include "designer/core/ElementSchema.h"
#include "designer/core/NewElements.h"
#include "designer/core/RecordFields.h"
#include "designer/core/StyleEdits.h"
#include "layout/core/DrawElements.h"
#include "layout/core/NameTables.h"
#include "layout/core/StyleFile.h"
#include "layout/core/StyleVersion.h"
#include "platform/errors/UserError.h"
#include "platform/text/Cp932.h"
#include "tests/support/InputFiles.h"
#include "tests/support/RecordingSurface.h"
#include "tests/support/TempDir.h"

namespace designer {
namespace {

std::string Sjis(const char* utf8) {
  return platform::Utf8ToCp932(utf8);
}

// The shipped styles and the styles kept from fuzzing.
std::vector<std::filesystem::path> KeptStyles() {
  std::filesystem::path source(QUILL_SOURCE_DIR);
  std::vector<std::filesystem::path> files;
  for (const char* folder : {"resources/style", "fuzz/styles"}) {
    for (const std::filesystem::path& input : testsupport::InputFiles(source / folder)) {
      files.push_back(input);
    }
  }
  return files;
}

std::string Joined(const std::vector<StyleLine>& lines) {
  std::string bytes;
  for (const StyleLine& line : lines) {
    bytes += line.text + line.lineBreak;
  }
  return bytes;
}

std::vector<std::string> TextsOf(const std::vector<StyleLine>& lines) {
  std::vector<std::string> texts;
  for (const StyleLine& line : lines) {
    texts.push_back(line.text);
  }
  return texts;
}

TEST(StyleRoundTrip, SplittingKeepsEveryByteAndReadsTheLayoutsLines) {
  std::vector<std::string> samples = {"",   "a",           "a\r\n",      "a\r\r\nb", "\n\n",
                                      "\r", "a\rb\nc\r\n", "x\r\n\r\ny", "\n\r\n\r", "tail;"};
  for (const auto& path : KeptStyles()) {
    samples.push_back(testsupport::ReadAll(path.string()));
  }
  ASSERT_GT(samples.size(), 500u);
  for (const std::string& bytes : samples) {
    std::vector<StyleLine> lines = SplitKeepingBreaks(bytes);
    EXPECT_EQ(Joined(lines), bytes);
    EXPECT_EQ(TextsOf(lines), layout::SplitStyleLines(bytes));
  }
  std::vector<StyleLine> lines = SplitKeepingBreaks("a\r\r\nb");
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].lineBreak, "\r");
  EXPECT_EQ(lines[1], (StyleLine{"", "\r\n"}));
  EXPECT_EQ(lines[2], (StyleLine{"b", ""}));
}

TEST(StyleRoundTrip, UnchangedStylesWriteTheirBytesBackAndOlderOnesConvert) {
  testsupport::TempDir dir;
  int unchanged = 0;
  int older = 0;
  for (const auto& path : KeptStyles()) {
    SCOPED_TRACE(path.filename().string());
    std::string bytes = testsupport::ReadAll(path.string());
    std::vector<std::string> expected = layout::SplitStyleLines(bytes);
    layout::ConvertOlderStyle(expected);
    StyleDocument document = StyleDocument::FromBytes(bytes);
    EXPECT_EQ(document.Texts(), expected);
    if (expected != layout::SplitStyleLines(bytes)) {
      EXPECT_TRUE(document.ConvertedFromOlder());
      ++older;
      continue;
    }
    EXPECT_FALSE(document.ConvertedFromOlder());
    EXPECT_EQ(document.Bytes(), bytes);
    std::string copy = dir.File("copy.sle");
    SaveStyleDocument(OpenStyleDocument(path.string()), copy);
    EXPECT_EQ(testsupport::ReadAll(copy), bytes);
    ++unchanged;
  }
  EXPECT_GT(unchanged, 300);
  EXPECT_GT(older, 10);
}

TEST(StyleRoundTrip, AnOlderStyleIsConvertedLineByLineKeepingItsBreaks) {
  std::string bytes = "header;Ver1.0;0;0;9;0;0;100;0;\n" +
                      Sjis("0;0;0;0;char;10;20;0;0;0;0;ＭＳ 明朝;9;;0;0;0;見出し;0;0;\r") +
                      "0;0;0;0;line;1;2;3;4;0;;0;0;\r\n" +
                      "0;0;0;0;data;5;6;0;0;0;0;f;9;;0;0;0;#T;0;0;";
  StyleDocument document = StyleDocument::FromBytes(bytes);
  EXPECT_TRUE(document.ConvertedFromOlder());
  EXPECT_EQ(document.Lines(),
            (std::vector<StyleLine>{
                {"header;Ver1.1;0;0;9;0;0;100;0;", "\n"},
                {Sjis("0;0;0;0;char;10;20;10;20;0;0;0;0;ＭＳ 明朝;9;;0;0;0;見出し;0;0;"), "\r"},
                {"0;0;0;0;line;1;2;3;4;0;;0;0;", "\r\n"},
                {"0;0;0;0;data;5;6;5;6;0;0;0;0;f;9;;0;0;0;#T;0;0;", ""}}));
}

TEST(StyleRoundTrip, EmptyFilesNewStylesAndALastLineWithoutABreak) {
  StyleDocument empty = StyleDocument::FromBytes("");
  EXPECT_EQ(empty.LineCount(), 0);
  EXPECT_EQ(empty.PageEnd(), 0);
  EXPECT_EQ(empty.Bytes(), "");
  StyleEdit add = AddElement(empty, ElementKind::Line, {Fixed::FromInt(50), Fixed::FromInt(50)});
  ApplyEdit(empty, add);
  EXPECT_EQ(empty.Bytes(),
            StyleDocument::NewHeader() + "\r\n" + Sjis("0;0;0;0;line;30;50;70;50;2;実線;0;0;\r\n"));
  EXPECT_EQ(add.selectAfter, 1);
  RevertEdit(empty, add);
  EXPECT_EQ(empty.Bytes(), "");

  EXPECT_EQ(StyleDocument::NewStyle().Bytes(), "header;Ver1.1;0;0;9;0;0;100;0;\r\n");

  std::string bytes = "header;Ver1.1;0;0;9;0;0;100;0;\n0;0;0;0;rect;1;2;3;4;0;;0;0;";
  StyleDocument document = StyleDocument::FromBytes(bytes);
  StyleEdit edit =
      AddElement(document, ElementKind::Rect, {Fixed::FromInt(30), Fixed::FromInt(20)});
  ApplyEdit(document, edit);
  EXPECT_EQ(document.Bytes(), "header;Ver1.1;0;0;9;0;0;100;0;\n0;0;0;0;rect;1;2;3;4;0;;0;0;\r\n" +
                                  Sjis("0;0;0;0;rect;10;10;50;30;2;実線;0;0;\n"));
  RevertEdit(document, edit);
  EXPECT_EQ(document.Bytes(), bytes);
}

TEST(StyleDocumentLines, PageEndSpliceAndFiles) {
  StyleDocument document = StyleDocument::FromBytes("h\r\na;\r\nb;\r\n\r\nafter;\r\n");
  EXPECT_EQ(document.PageEnd(), 3);
  EXPECT_THROW(document.Splice(-1, 0, {}), std::out_of_range);
  EXPECT_THROW(document.Splice(5, 1, {}), std::out_of_range);
  EXPECT_THROW(document.Splice(6, 0, {}), std::out_of_range);
  EXPECT_THROW(document.Splice(2, -1, {}), std::out_of_range);
  document.Splice(5, 0, {{"end", ""}});
  document.Splice(1, 2, {{"c;", "\n"}});
  EXPECT_EQ(document.Bytes(), "h\r\nc;\n\r\nafter;\r\nend");
  EXPECT_EQ(document.PageEnd(), 2);

  testsupport::TempDir dir;
  EXPECT_THROW(OpenStyleDocument(dir.File("missing.sle")), platform::UserError);
  EXPECT_THROW(SaveStyleDocument(document, dir.File("no/such/folder.sle")), platform::UserError);
}

TEST(RecordFieldsTest, JoiningGivesEveryStyleLineBack) {
  int lines = 0;
  for (const auto& path : KeptStyles()) {
    for (const std::string& line : layout::SplitStyleLines(testsupport::ReadAll(path.string()))) {
      ASSERT_EQ(RecordFields(line).Join(), line);
      ++lines;
    }
  }
  EXPECT_GT(lines, 1000);
}

TEST(RecordFieldsTest, GetSetAndTheUnterminatedLastField) {
  RecordFields fields("a;;b;tail");
  EXPECT_EQ(fields.Count(), 4);
  EXPECT_EQ(fields.Get(2), "");
  EXPECT_EQ(fields.Get(4), "tail");
  EXPECT_EQ(fields.Get(5), "");
  EXPECT_EQ(fields.Get(0), "");
  fields.Set(1, "x");
  EXPECT_EQ(fields.Join(), "x;;b;tail");  // the last field stays unterminated
  fields.Set(6, "z");
  EXPECT_EQ(fields.Join(), "x;;b;tail;;z;");
  RecordFields last("1;2");
  last.Set(2, "1");  // a flag without its ";" would read as 0
  EXPECT_EQ(last.Join(), "1;1;");
  RecordFields empty("");
  EXPECT_EQ(empty.Count(), 0);
  empty.Set(2, "v");
  EXPECT_EQ(empty.Join(), ";v;");
  EXPECT_THROW(empty.Set(0, "v"), std::out_of_range);

  RecordFields numbers("37.5; 12;x;-0.00005;1.5;");
  EXPECT_EQ(numbers.Decimal(1), Fixed::FromRaw(375000));
  EXPECT_EQ(numbers.Integer(2), 12);
  EXPECT_EQ(numbers.Integer(3), std::nullopt);
  EXPECT_EQ(numbers.Decimal(4), Fixed());  // rounded half to even, as the layout reads it
  EXPECT_EQ(numbers.Integer(5), std::nullopt);
  EXPECT_EQ(numbers.Decimal(9), std::nullopt);
  EXPECT_EQ(DecimalText(Fixed::FromRaw(-500)), "-0.05");
  EXPECT_EQ(DecimalText(Fixed::FromRaw(376000)), "37.6");
}

TEST(RecordFieldsTest, KeywordIsReadAsTheLayoutReadsIt) {
  EXPECT_EQ(KeywordOf("0;0;0;0;line;1;"), "line");
  EXPECT_EQ(KeywordOf("0;0;0;0;line"), "line");
  EXPECT_EQ(KeywordOf("0;0;rect"), "rect");  // the rest comes back again
  EXPECT_EQ(KeywordOf("0;0;0;0;"), "");
  EXPECT_EQ(KeywordOf(""), "");
  EXPECT_EQ(KindOfLine("0;0;rect"), ElementKind::Rect);
  EXPECT_EQ(KindOfLine("0;0;0;0;Line;"), ElementKind::Unknown);
  EXPECT_EQ(KindOfLine("0;0;0;0;header;"), ElementKind::Offsets);
  EXPECT_EQ(KindOfLine("header;Ver1.1;0;0;9;0;0;100;0;"), ElementKind::Unknown);
}

// The number of characters of UTF-8 text.
std::size_t Characters(std::string_view utf8) {
  std::size_t count = 0;
  for (char c : utf8) {
    count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  }
  return count;
}

TEST(ElementSchemaTest, EveryKindHasANameAndIsToldByItsLine) {
  const ElementKind kinds[] = {ElementKind::Line,     ElementKind::Rect,    ElementKind::RoundRect,
                               ElementKind::Arc,      ElementKind::Chord,   ElementKind::Ellipse,
                               ElementKind::FillRect, ElementKind::Char,    ElementKind::Data,
                               ElementKind::Image,    ElementKind::Offsets, ElementKind::Unknown};
  for (ElementKind kind : kinds) {
    SCOPED_TRACE(KindName(kind));
    EXPECT_GT(Characters(KindName(kind)), 0u);
    EXPECT_EQ(KindOfLine(std::string("0;0;0;0;") + KeywordOfKind(kind) + ";"), kind);
  }
  EXPECT_STREQ(KindName(ElementKind::Unknown), "不明");
  EXPECT_EQ(AddableKinds().size(), 10u);
}

// A record of the kind with a value the layout reads in every field, field
// `replaced` holding `with` instead.
std::string SampleRecord(ElementKind kind, int replaced = 0, const std::string& with = "") {
  RecordFields record("");
  for (const FieldInfo& field : FieldsOfKind(kind)) {
    std::string value = "1";
    if (field.type == FieldType::Keyword) {
      value = KeywordOfKind(kind);
    } else if (field.type == FieldType::Flag || field.type == FieldType::FlagOr0 ||
               field.type == FieldType::TextMode) {
      value = "0";
    }
    record.Set(field.number, field.number == replaced ? with : value);
  }
  return record.Join();
}

// What the panel refuses is what would stop the drawing.
TEST(ElementSchemaTest, RefusedValuesAreTheOnesTheLayoutCannotRead) {
  // The calls drawn, or -1 for a conversion error.
  auto draw = [](const std::string& record) {
    testsupport::RecordingSurface surface;
    layout::DrawingContext context;
    context.surface = &surface;
    context.scaleX = context.scaleY = Fixed::FromRaw(37795);
    context.previewPpi = 96;
    try {
      layout::DrawElements(context, {StyleDocument::NewHeader(), record});
    } catch (const platform::UserError&) {
      return -1;
    }
    return static_cast<int>(surface.calls.size());
  };
  for (ElementKind kind : AddableKinds()) {
    SCOPED_TRACE(KindName(kind));
    EXPECT_GT(draw(SampleRecord(kind)), 0);  // a picture: layer 1 frames it
    for (const FieldInfo& field : FieldsOfKind(kind)) {
      if (field.type == FieldType::Keyword) {
        continue;
      }
      bool refused = !CheckFieldValue(field.type, "x").empty();
      EXPECT_EQ(draw(SampleRecord(kind, field.number, "x")) < 0, refused) << field.label;
    }
  }
}

TEST(ElementSchemaTest, ChoicesAreTheWordsTheLayoutKnows) {
  std::span<const NamedChoice> pens = ChoicesOf(FieldType::PenName);
  ASSERT_EQ(pens.size(), 6u);
  EXPECT_EQ(layout::PenStyleFromName(pens[0].word), layout::PenStyle::Solid);
  EXPECT_EQ(pens[0].word, Sjis("実線"));
  std::set<layout::PenStyle> penStyles;
  for (const NamedChoice& choice : pens) {
    penStyles.insert(layout::PenStyleFromName(choice.word));
  }
  EXPECT_EQ(penStyles.size(), 6u);

  std::span<const NamedChoice> brushes = ChoicesOf(FieldType::BrushName);
  ASSERT_EQ(brushes.size(), 9u);
  std::set<layout::BrushStyle> brushStyles;
  for (const NamedChoice& choice : brushes) {
    brushStyles.insert(layout::BrushStyleFromName(platform::Cp932ToUtf8(choice.word)));
  }
  EXPECT_EQ(brushStyles.size(), 8u);  // "透明" and "枠" both start clear

  std::span<const NamedChoice> fonts = ChoicesOf(FieldType::FontStyle);
  ASSERT_EQ(fonts.size(), 4u);
  EXPECT_STREQ(fonts[0].word, "");
  EXPECT_TRUE(layout::FontStyleFromName(fonts[3].word).bold);
  EXPECT_TRUE(layout::FontStyleFromName(fonts[3].word).italic);
  EXPECT_EQ(ChoicesOf(FieldType::TextMode).size(), 5u);
  EXPECT_STREQ(ChoicesOf(FieldType::SizeMode)[1].gloss, "指定の大きさ");
  EXPECT_TRUE(ChoicesOf(FieldType::Decimal).empty());
}

// The panel's words for a brush say what the page drawing paints with it,
// kind by kind; a new shape is drawn outlined, leaving what is under it.
TEST(ElementSchemaTest, TheGlossOfEveryBrushSaysWhatThePageDrawingPaints) {
  auto drawn = [](const std::string& recordCp932) {
    testsupport::RecordingSurface surface;
    layout::DrawingContext context;
    context.surface = &surface;
    context.scaleX = context.scaleY = Fixed::FromRaw(37795);
    context.previewPpi = 96;
    layout::DrawElements(context, {StyleDocument::NewHeader(), platform::Cp932ToUtf8(recordCp932)});
    // The shape's own call (a filled box may add its frame's lines).
    for (const std::string& call : surface.calls) {
      if (call.rfind("line", 0) != 0) {
        return call;
      }
    }
    return std::string();
  };
  MmPoint centre{Fixed::FromInt(50), Fixed::FromInt(50)};
  for (ElementKind kind : {ElementKind::RoundRect, ElementKind::Arc, ElementKind::Chord,
                           ElementKind::Ellipse, ElementKind::FillRect}) {
    SCOPED_TRACE(KindName(kind));
    std::string fresh = NewElementLine(kind, centre);
    if (kind != ElementKind::FillRect) {
      std::string call = drawn(fresh);
      EXPECT_TRUE(call.find("brush=") == std::string::npos ||
                  call.find("brush=clear") != std::string::npos)
          << call;
    }
    int brushField = 0;
    for (const FieldInfo& field : FieldsOfKind(kind)) {
      brushField = field.type == FieldType::BrushName ? field.number : brushField;
    }
    for (const NamedChoice& choice : ChoicesOf(FieldType::BrushName, kind)) {
      SCOPED_TRACE(choice.gloss);
      RecordFields record(fresh);
      record.Set(brushField, choice.word);
      std::string call = drawn(record.Join());
      std::string gloss = choice.gloss;
      bool clear =
          call.find("brush=") == std::string::npos || call.find("brush=clear") != std::string::npos;
      EXPECT_EQ(clear, gloss.rfind("塗らない", 0) == 0) << call;
      EXPECT_EQ(call.find("brush=solid") != std::string::npos,
                gloss.find("塗りつぶし") != std::string::npos)
          << call;
      EXPECT_EQ(!clear && call.find("brush=solid") == std::string::npos,
                gloss.find("網掛け") != std::string::npos)
          << call;
    }
  }
}

TEST(ElementSchemaTest, FieldValuesAreCheckedAsTheyAreRead) {
  for (FieldType type : {FieldType::Text, FieldType::Kept, FieldType::Decimal, FieldType::Colour}) {
    EXPECT_EQ(CheckFieldValue(type, "a;b"), "「;」は使えません");
    EXPECT_FALSE(CheckFieldValue(type, "a\r\nb").empty());
  }
  EXPECT_EQ(CheckFieldValue(FieldType::Decimal, "12.34567"), "");
  EXPECT_EQ(CheckFieldValue(FieldType::Decimal, "-.5"), "");
  EXPECT_EQ(CheckFieldValue(FieldType::Decimal, "1,5"), "'1,5' は浮動小数点数ではありません");
  EXPECT_EQ(CheckFieldValue(FieldType::Decimal, ""), "'' は浮動小数点数ではありません");
  EXPECT_EQ(CheckFieldValue(FieldType::Integer, "2.5"), "'2.5' は整数ではありません");
  EXPECT_EQ(CheckFieldValue(FieldType::Integer, " -3"), "");
  EXPECT_EQ(CheckFieldValue(FieldType::TextMode, Sjis("縦")), "'縦' は整数ではありません");
  EXPECT_EQ(CheckFieldValue(FieldType::Flag, ""), "");
  EXPECT_EQ(CheckFieldValue(FieldType::Flag, "on"), "'on' は整数ではありません");
  EXPECT_EQ(CheckFieldValue(FieldType::Length, ""), "");
  EXPECT_EQ(CheckFieldValue(FieldType::Length, "99999999999"),
            "'99999999999' は整数ではありません");
  EXPECT_EQ(CheckFieldValue(FieldType::IntegerOr0, "x"), "");
  EXPECT_EQ(CheckFieldValue(FieldType::Colour, "red"), "");
}

}  // namespace
}  // namespace designer
