// Rows and cards repeated from one designed by hand: the copies' row tags,
// where they land, the page's capacity, and one exact step each.

#include "designer/core/RowRepeat.h"

#include <gtest/gtest.h>

#include "designer/core/GroupEdits.h"
#include "designer/core/RecordFields.h"
#include "platform/errors/UserError.h"
#include "tests/designer/DesignerTestSupport.h"
#include "tests/support/TempDir.h"

namespace designer {
namespace {

std::string Field(const StyleDocument& document, int line, int field) {
  return RecordFields(document.Text(line)).Get(field);
}

// A row of a list: two fields of document 1 and a dotted line under them,
// and the page's capacity first.
StyleDocument OneRow(bool withCapacity = true) {
  return StyleDocument::FromBytes(
      std::string("header;Ver1.1;0;0;9;0;0;100;0;\r\n") +
      (withCapacity ? "0;0;0;0;data;0;0;0;0;0;0;0;0;F;10;;0;0;0;#maxline=1;0;0;\r\n" : "") +
      "0;0;0;0;data;12;37.5;12;37.5;0;0;0;0;F;9;;0;0;0;#ma_01;0;30;\r\n"
      "0;0;0;0;data;60;37.5;60;37.5;0;0;0;0;F;9;;0;0;0;#mb_01 (#mc_01);0;44;\r\n"
      "0;0;0;0;line;10;46;195;46;0;x;8421504;0;\r\n"
      "\r\n"
      "second page;\r\n");
}

TEST(RowTags, OnlyTagsAsTheBindingWritesThemAreRenumbered) {
  EXPECT_EQ(RowsOfLine("a;#ma_01;#mk_12 #mb_01;"), (std::vector<int>{1, 12}));
  EXPECT_EQ(RenumberedRows("#ma_01/#mb_09/#mk_10", 1), "#ma_02/#mb_10/#mk_11");
  // Not row tags: a row without its zero, row 00, a letter past k, no
  // digits, capitals, no underscore.
  for (const char* text : {"#ma_1", "#ma_001", "#ml_01", "#ma_", "#MA_01", "#ma01"}) {
    EXPECT_TRUE(RowsOfLine(text).empty()) << text;
    EXPECT_EQ(RenumberedRows(text, 5), text);
  }
  // Two digits, as the binding reads them: what follows is text.
  EXPECT_EQ(RowsOfLine("#ma_012"), (std::vector<int>{1}));
  EXPECT_EQ(RenumberedRows("#ma_012", 1), "#ma_022");
  EXPECT_EQ(RowsOfLine("#ma_100"), (std::vector<int>{10}));
  EXPECT_EQ(RenumberedRows("x#ma_01#ma_01y", 98), "x#ma_99#ma_99y");
}

TEST(RowRepeat, TheNextRowIsRenumberedPlacedAPitchDownAndCounted) {
  StyleDocument document = OneRow();
  std::string bytes = document.Bytes();
  EXPECT_EQ(RowPitch(document), std::nullopt);  // one row: the pitch is asked

  StyleEdit next = DuplicateAsNextRows(document, {2, 3, 4}, Fixed::FromInt(12));
  ApplyEdit(document, next);
  EXPECT_EQ(SelectionAfter(next), (std::vector<int>{5, 6, 7}));
  EXPECT_EQ(document.Text(5), "0;0;0;0;data;12;49.5;12;49.5;0;0;0;0;F;9;;0;0;0;#ma_02;0;30;");
  EXPECT_EQ(Field(document, 6, 20), "#mb_02 (#mc_02)");
  EXPECT_EQ(document.Text(7), "0;0;0;0;line;10;58;195;58;0;x;8421504;0;");
  EXPECT_EQ(Field(document, 1, 20), "#maxline=2");
  EXPECT_EQ(document.PageEnd(), 8);
  EXPECT_EQ(document.Text(9), "second page;");
  EXPECT_EQ(RowPitch(document), Fixed::FromInt(12));

  // Again from the copy, then from the first row of three: the copy of row
  // 1 takes row 4, three pitches down.
  StyleEdit third = DuplicateAsNextRows(document, {5, 6, 7}, Fixed::FromInt(12));
  ApplyEdit(document, third);
  EXPECT_EQ(Field(document, 8, 20), "#ma_03");
  StyleEdit fourth = DuplicateAsNextRows(document, {2, 3}, Fixed::FromInt(12));
  ApplyEdit(document, fourth);
  EXPECT_EQ(Field(document, 4, 20), "#ma_04");
  EXPECT_EQ(Field(document, 4, 7), "73.5");
  EXPECT_EQ(Field(document, 1, 20), "#maxline=4");

  for (const StyleEdit* edit : {&fourth, &third, &next}) {
    RevertEdit(document, *edit);
  }
  EXPECT_EQ(document.Bytes(), bytes);
}

TEST(RowRepeat, WithoutCapacityOrTagsTheCopiesStillLand) {
  // No #maxline= yet: one is added after the copies, as the shipped styles
  // carry it.
  StyleDocument document = OneRow(false);
  StyleEdit next = DuplicateAsNextRows(document, {1, 2, 3}, Fixed::FromInt(12));
  ApplyEdit(document, next);
  EXPECT_EQ(document.PageEnd(), 8);
  EXPECT_EQ(Field(document, 1, 5), "data");  // first, where the binding looks
  EXPECT_EQ(Field(document, 1, 20), "#maxline=2");
  EXPECT_EQ(Field(document, 1, 6), "0");
  EXPECT_EQ(Field(document, 5, 20), "#ma_02");
  EXPECT_EQ(SelectionAfter(next), (std::vector<int>{5, 6, 7}));
  // The capacity chosen with the row is not copied: a second one would be
  // drawn as text.
  document = OneRow();
  StyleEdit withCapacity = DuplicateAsNextRows(document, {1, 2, 3, 4}, Fixed::FromInt(12));
  EXPECT_EQ(withCapacity.inserted.size() - withCapacity.removed.size(), 3u);
  EXPECT_THROW(RepeatElements(document, {1}, 2, 2, Fixed(), Fixed()), platform::UserError);
  // A line alone has no row: one pitch down, the capacity left.
  document = OneRow();
  ApplyEdit(document, DuplicateAsNextRows(document, {4}, Mm(95000)));
  EXPECT_EQ(document.Text(5), "0;0;0;0;line;10;55.5;195;55.5;0;x;8421504;0;");
  EXPECT_EQ(Field(document, 1, 20), "#maxline=1");
}

TEST(RowRepeat, ALabelSheetIsNumberedInReadingOrder) {
  StyleDocument document = OneRow();
  std::string bytes = document.Bytes();
  StyleEdit sheet =
      RepeatElements(document, {2, 3, 4}, 4, 10, Fixed::FromInt(50), Mm(254000));  // 25.4 mm
  ApplyEdit(document, sheet);
  EXPECT_EQ(SelectionAfter(sheet).size(), 40u * 3);
  EXPECT_EQ(Field(document, 1, 20), "#maxline=40");
  // Card 7 in reading order (third across, second down) shows document 7.
  int card7 = 2 + 6 * 3;
  EXPECT_EQ(Field(document, card7, 20), "#ma_07");
  EXPECT_EQ(Field(document, card7, 6), "112");   // 12 + 2 × 50
  EXPECT_EQ(Field(document, card7, 7), "62.9");  // 37.5 + 25.4
  EXPECT_EQ(Field(document, 2 + 39 * 3 + 1, 20), "#mb_40 (#mc_40)");
  RevertEdit(document, sheet);
  EXPECT_EQ(document.Bytes(), bytes);

  // A card of two documents: each copy moves two rows on.
  StyleDocument two = StyleDocument::FromBytes(
      "header;Ver1.1;0;0;13;1;0;100;0;\r\n"
      "0;0;0;0;data;10;10;10;10;0;0;0;0;F;9;;0;0;0;#mb_01;0;0;\r\n"
      "0;0;0;0;data;10;20;10;20;0;0;0;0;F;9;;0;0;0;#mb_02;0;0;\r\n");
  ApplyEdit(two, RepeatElements(two, {1, 2}, 2, 1, Fixed::FromInt(120), Fixed()));
  EXPECT_EQ(Field(two, 1, 20), "#maxline=4");
  EXPECT_EQ(Field(two, 4, 20), "#mb_03");
  EXPECT_EQ(Field(two, 5, 20), "#mb_04");
}

TEST(RowRepeat, RowsPastNinetyNineAndEmptyRepeatsAreRefused) {
  StyleDocument document = OneRow();
  std::string bytes = document.Bytes();
  EXPECT_THROW(RepeatElements(document, {2}, 1, 100, Fixed(), Fixed::FromInt(1)),
               platform::UserError);
  EXPECT_NO_THROW(RepeatElements(document, {2}, 1, 99, Fixed(), Fixed::FromInt(1)));
  EXPECT_THROW(RepeatElements(document, {2}, 1, 1, Fixed(), Fixed()), platform::UserError);
  EXPECT_THROW(RepeatElements(document, {2}, 0, 5, Fixed(), Fixed()), platform::UserError);
  EXPECT_THROW(RepeatElements(document, {4}, 1000000, 1000000, Fixed(), Fixed()),
               platform::UserError);
  EXPECT_THROW(DuplicateAsNextRows(document, {}, Fixed()), platform::UserError);
  StyleDocument full = StyleDocument::FromBytes(
      "header;Ver1.1;0;0;9;0;0;100;0;\r\n"
      "0;0;0;0;data;12;37.5;12;37.5;0;0;0;0;F;9;;0;0;0;#ma_99;0;30;\r\n");
  EXPECT_THROW(DuplicateAsNextRows(full, {1}, Fixed()), platform::UserError);
  EXPECT_EQ(document.Bytes(), bytes);
  // Row 1 of a list that has row 2 already: the copies would be numbered
  // after row 2 but laid over it.
  ApplyEdit(document, DuplicateAsNextRows(document, {2, 3, 4}, Fixed::FromInt(12)));
  EXPECT_THROW(RepeatElements(document, {2, 3, 4}, 1, 3, Fixed(), Fixed::FromInt(12)),
               platform::UserError);
  // A capacity sharing its text cannot be set: said, nothing changed.
  StyleDocument shared = StyleDocument::FromBytes(
      "header;Ver1.1;0;0;9;0;0;100;0;\r\n"
      "0;0;0;0;data;0;0;0;0;0;0;0;0;F;10;;0;0;0;#maxline=1 x;0;0;\r\n"
      "0;0;0;0;data;12;37.5;12;37.5;0;0;0;0;F;9;;0;0;0;#ma_01;0;30;\r\n");
  EXPECT_THROW(DuplicateAsNextRows(shared, {2}, Fixed::FromInt(12)), platform::UserError);
}

TEST(RowRepeat, TheShippedListsRowPitchIsItsOwn) {
  StyleDocument shipped = StyleDocument::FromBytes(
      testsupport::ReadAll(std::string(QUILL_SOURCE_DIR) + "/resources/style/一覧表_A4縦.sle"));
  EXPECT_EQ(RowPitch(shipped), Fixed::FromInt(12));
}

}  // namespace
}  // namespace designer
