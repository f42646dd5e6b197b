#include "layout/core/RecordReader.h"

#include <gtest/gtest.h>

#include "layout/core/NameTables.h"
#include "layout/core/StyleFile.h"
#include "layout/core/StyleVersion.h"
#include "platform/errors/UserError.h"
#include "platform/text/Cp932.h"

namespace layout {
namespace {

std::string Sjis(const char* utf8) {
  return platform::Utf8ToCp932(utf8);
}

std::string ErrorOf(const std::function<void()>& read) {
  try {
    read();
  } catch (const platform::UserError& e) {
    return e.what();
  }
  return "(no error)";
}

TEST(RecordReader, FieldsEndAtSemicolonsAndTheLastTextRepeats) {
  RecordReader r("a;;b;tail");
  EXPECT_EQ(r.TakeField(), "a");
  EXPECT_EQ(r.TakeField(), "");
  EXPECT_EQ(r.TakeField(), "b");
  EXPECT_EQ(r.TakeField(), "tail");
  EXPECT_EQ(r.TakeField(), "tail");
  EXPECT_EQ(r.TakeNumberField(), 0);  // no ";" left: 0, nothing taken
  EXPECT_EQ(r.Rest(), "tail");
}

TEST(RecordReader, NumberFieldsAndValueKinds) {
  RecordReader r(";2;-7;x;12;3.5;;12abc;99999999999;2;");
  EXPECT_EQ(r.TakeNumberField(), 0);  // empty
  EXPECT_EQ(r.TakeNumberField(), 2);
  EXPECT_EQ(r.TakeInteger(), -7);
  EXPECT_EQ(r.TakeIntegerOr0(), 0);  // "x"
  EXPECT_EQ(r.TakeInteger(), 12);
  EXPECT_EQ(r.TakeDecimal().Raw(), 35000);
  EXPECT_EQ(ErrorOf([&] { r.TakeDecimal(); }), "'' は浮動小数点数ではありません");
  EXPECT_EQ(ErrorOf([&] { r.TakeInteger(); }), "'12abc' は整数ではありません");
  EXPECT_EQ(ErrorOf([&] { r.TakeInteger(); }), "'99999999999' は整数ではありません");
  EXPECT_FALSE(r.TakeFlag());    // "2" is not on
  EXPECT_EQ(r.TakeLength(), 0);  // absent
  RecordReader bad("x;");
  EXPECT_EQ(ErrorOf([&] { bad.TakeFlag(); }), "'x' は整数ではありません");
  RecordReader japanese(Sjis("太字;"));
  EXPECT_EQ(ErrorOf([&] { japanese.TakeInteger(); }), "'太字' は整数ではありません");
}

TEST(NameTables, ExactWordsAndDefaults) {
  EXPECT_EQ(PenStyleFromName(Sjis("破線")), PenStyle::Dash);
  EXPECT_EQ(PenStyleFromName(Sjis("二点鎖線")), PenStyle::DashDotDot);
  EXPECT_EQ(PenStyleFromName(Sjis("立体線")), PenStyle::InsideFrame);
  EXPECT_EQ(PenStyleFromName("dash"), PenStyle::Solid);
  EXPECT_EQ(BrushStyleFromName("ClearBrush"), BrushStyle::Clear);
  EXPECT_EQ(BrushStyleFromName(Sjis("枠")), BrushStyle::Clear);
  EXPECT_EQ(BrushStyleFromName(Sjis("斜十字")), BrushStyle::DiagCross);
  EXPECT_EQ(BrushStyleFromName("solidbrush"), BrushStyle::Solid);
  EXPECT_EQ(BrushStyleFromName("clearbrush"), BrushStyle::Solid);  // case matters
  EXPECT_EQ(FontStyleFromName(Sjis("太字斜体")), (FontStyle{true, true}));
  EXPECT_EQ(FontStyleFromName("bold"), FontStyle{});
}

// A style as the print state reads it: converted, then its header read.
HeaderValues ConvertAndReadHeader(std::vector<std::string>& lines) {
  ConvertOlderStyle(lines);
  return ReadHeaderValues(lines);
}

TEST(StyleVersion, OlderTextRecordsGainTheSecondPoint) {
  std::vector<std::string> lines = {
      "header;Ver1.0;1.5;-2;9;1;0;100;0;",
      "0;a;b;c;char;15;25;0;0;0;0;MS;12;B;0;0;0;text;0;5;",
      "0;0;0;0;line;10;20;200;20;2;x;0;0;",
      "0;0;0;0;data;1;2;3;4;5;6;7;8;9;10;11;12;13;14;15;",
      "",
      "0;0;0;0;char;1;2;3;",
  };
  HeaderValues header = ConvertAndReadHeader(lines);
  EXPECT_EQ(lines[0], "header;Ver1.1;1.5;-2;9;1;0;100;0;");
  EXPECT_EQ(lines[1], "0;a;b;c;char;15;25;15;25;0;0;0;0;MS;12;B;0;0;0;text;0;5;");
  EXPECT_EQ(lines[2], "0;0;0;0;line;10;20;200;20;2;x;0;0;");
  EXPECT_EQ(lines[3], "0;0;0;0;data;1;2;1;2;3;4;5;6;7;8;9;10;11;12;13;14;15;");
  EXPECT_EQ(lines[5], "0;0;0;0;char;1;2;3;");  // after the empty line: untouched
  EXPECT_EQ(header.version, "Ver1.1");         // read after the conversion
  EXPECT_EQ(header.offsetX.Raw(), 15000);
  EXPECT_EQ(header.offsetY.Raw(), -20000);
  EXPECT_EQ(header.paperEntry, 9);
  EXPECT_EQ(header.orientation, 1);
}

TEST(StyleVersion, CurrentStylesStayAndANewStyleIsEmpty) {
  std::vector<std::string> lines = {kNewStyleHeader, "0;0;0;0;char;1;2;3;4;"};
  HeaderValues header = ConvertAndReadHeader(lines);
  EXPECT_EQ(lines[1], "0;0;0;0;char;1;2;3;4;");
  EXPECT_EQ(header.offsetX, Fixed());
  EXPECT_EQ(header.paperEntry, 0);
  EXPECT_EQ(header.orientation, 0);
  std::vector<std::string> broken = {"header;Ver1.1;abc;0;0;0;"};
  EXPECT_EQ(ErrorOf([&] { ConvertAndReadHeader(broken); }), "'abc' は浮動小数点数ではありません");
}

TEST(StyleFile, LinesInAnyBreakAndWrittenWithCrLf) {
  EXPECT_EQ(SplitStyleLines("a\r\nb\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitStyleLines("a\r\n\r\n"), (std::vector<std::string>{"a", ""}));
  EXPECT_EQ(StyleFileText({"a", ""}), "a\r\n\r\n");
}

}  // namespace
}  // namespace layout
