#include "printing/core/Binding.h"

#include <gtest/gtest.h>

#include "platform/text/Cp932.h"
#include "tests/support/TextField.h"

namespace printing {
namespace {

using Lines = std::vector<std::string>;

std::string Record(int n) {
  return "f" + std::to_string(n) + ";t" + std::to_string(n) + ";;;;;;;;;;";
}

BindingData List(int records) {
  BindingData data;
  for (int i = 1; i <= records; ++i) {
    data.listLines.push_back(Record(i));
  }
  return data;
}

// A style with capacity `n` and one text element per row slot asked for.
Lines Style(int n, const std::vector<std::string>& texts) {
  Lines lines = {
      "header;Ver1.1;0;0;0;0;401;100;",
      "0;0;0;0;data;0;0;0;0;0;0;0;0;F;10;;0;0;0;#maxline=" + std::to_string(n) + ";0;0;"};
  for (const std::string& text : texts) {
    lines.push_back("0;0;0;0;char;1;1;1;1;0;0;0;0;F;10;;0;0;0;" + text + ";0;0;");
  }
  return lines;
}

std::string TextOf(const std::string& line) {
  return testsupport::TextField(line);
}

FixedClock Monday(*MakeDate(2026, 12, 7));

TEST(Binding, PagesOfTwentyFromFortyFiveRecords) {
  BindingData data = List(45);
  std::vector<std::pair<bool, std::string>> seen;  // last page?, bound texts
  for (int page = 1; page <= 3; ++page) {
    Lines lines = Style(20, {"#ma_01", "#ma_20", "#pg"});
    bool last = BindPageData(lines, page, data, Monday).lastPage;
    seen.emplace_back(last, TextOf(lines[2]) + " " + TextOf(lines[3]) + " " + TextOf(lines[4]));
  }
  EXPECT_EQ(seen[0], std::make_pair(false, std::string("f1 f20 1")));
  EXPECT_EQ(seen[1], std::make_pair(false, std::string("f21 f40 2")));
  EXPECT_EQ(seen[2], std::make_pair(true, std::string("f41  3")));  // 5 records
}

TEST(Binding, LastPageIsFoundExactly) {
  auto last = [](int records, int page) {
    Lines lines = Style(20, {});
    return BindPageData(lines, page, List(records), Monday).lastPage;
  };
  EXPECT_FALSE(last(40, 1));
  EXPECT_TRUE(last(40, 2));
  EXPECT_FALSE(last(21, 1));
  EXPECT_TRUE(last(21, 2));
  EXPECT_TRUE(last(0, 1));   // an empty list binds an empty last page
  EXPECT_TRUE(last(10, 7));  // a page beyond the data is empty and last
}

TEST(Binding, RowTagsAreNumberedWithTwoDigitsBelowTen) {
  Lines lines = Style(20, {"#ma_05", "#mb_12", "#ma_5", "#mk_01|#mc_01"});
  BindingData data = List(12);
  data.listLines[0] = "a;b;c;d;e;f;g;h;i;j;k;";
  BindPageData(lines, 1, data, Monday);
  EXPECT_EQ(TextOf(lines[2]), "f5");
  EXPECT_EQ(TextOf(lines[3]), "t12");
  EXPECT_EQ(TextOf(lines[4]), "#ma_5");
  EXPECT_EQ(TextOf(lines[5]), "k|c");
  EXPECT_EQ(TextOf(lines[1]), "");  // the capacity tag is removed
}

TEST(Binding, TheRowAfterThePageVanishesAndLaterRowsStay) {
  Lines lines = Style(20, {"#mb_21", "#mb_22"});
  BindPageData(lines, 1, List(30), Monday);
  EXPECT_EQ(TextOf(lines[2]), "");
  EXPECT_EQ(TextOf(lines[3]), "#mb_22");
  // A line holding nothing but a vanished tag is never left empty.
  Lines bare = {"#mb_21", "#maxline=20"};
  BindPageData(bare, 1, List(1), Monday);
  EXPECT_EQ(bare[0], "    ");
}

TEST(Binding, PageTagsOnceEachPerLineTheHeaderIncluded) {
  Lines lines = Style(1, {"#pg #pg", "#Y/#M/#D(#W)", "#T"});
  lines[0] = "header;Ver1.1;#pg;0;0;0;";
  BindingData data = List(3);
  data.title = "Title #FL";
  data.folder = "/docs";
  BindPageData(lines, 2, data, Monday);
  EXPECT_EQ(lines[0], "header;Ver1.1;2;0;0;0;");
  EXPECT_EQ(TextOf(lines[2]), "2 #pg");
  EXPECT_EQ(TextOf(lines[3]), "2026/12/07(月)");
  EXPECT_EQ(TextOf(lines[4]), "Title /docs");  // a tag inside the title is replaced in turn
}

TEST(Binding, CapacityThatIsNotANumberBindsNoRows) {
  Lines lines = Style(0, {"#ma_01", "#ma_02"});
  lines[1] = "0;0;0;0;data;0;0;0;0;0;0;0;0;F;10;;0;0;0;#maxline=abc;0;0;";
  BindingOutcome outcome = BindPageData(lines, 1, List(2), Monday);
  EXPECT_EQ(TextOf(lines[2]), "");  // row N + 1 = 1 vanishes
  EXPECT_EQ(TextOf(lines[3]), "#ma_02");
  EXPECT_EQ(outcome.capacity, 0);
  EXPECT_FALSE(outcome.lastPage);  // with records and no capacity, never the last page
  // A capacity in a line with fewer than 20 fields is the text after its last ";".
  Lines shortLine = {"header;", "a;b;#maxline=3", "#ma_03"};
  BindPageData(shortLine, 1, List(3), Monday);
  EXPECT_EQ(shortLine[1], "a;b;");
  EXPECT_EQ(shortLine[2], "f3");
}

TEST(Binding, FieldsOfShortRecordsAndReplacements) {
  EXPECT_EQ(FieldAt("a;b;c;", 2), "b");
  EXPECT_EQ(FieldAt("a;b;c", 5), "b");  // fewer ";": the last field that ends in one
  EXPECT_EQ(FieldAt("abc", 1), "");
  EXPECT_EQ(ReplaceFirst("x#Ty#T", "#T", "1"), "x1y#T");
  EXPECT_EQ(ReplaceFirst("#T", "#T", ""), "    ");
  EXPECT_EQ(ReplaceFirst("abc", "#T", ""), "abc");
  EXPECT_EQ(RowNumberText(5), "05");
  EXPECT_EQ(RowNumberText(100), "100");
  EXPECT_EQ(WeekdayName(0), "日");
  EXPECT_EQ(MakeDate(2004, 5, 6)->weekday, 4);  // a Thursday
  EXPECT_EQ(MakeDate(2026, 2, 29), std::nullopt);
}

TEST(Binding, AHugeCapacityIsBounded) {
  Lines lines = Style(2000000000, {"#mz_01 #ma_01"});
  EXPECT_TRUE(BindPageData(lines, 1, List(3), Monday).lastPage);
  EXPECT_EQ(TextOf(lines[2]), "#mz_01 f1");
}

}  // namespace
}  // namespace printing
