#include "commands/core/GridSort.h"

#include <gtest/gtest.h>

namespace commands {
namespace {

using catalogue::DocumentList;

// A list whose rows hold the given values in `column`, each row named "dN"
// (N its first place, from 1) unless the value list says "-" (no document),
// and a blank row after them.
DocumentList ListOf(int column, const std::vector<std::string>& values) {
  DocumentList list(static_cast<int>(values.size()) + 1);
  for (std::size_t i = 0; i < values.size(); ++i) {
    int row = static_cast<int>(i);
    if (values[i] == "-") {
      continue;
    }
    list.SetField(row, 0, "d" + std::to_string(row + 1));
    if (column != 0) {
      list.SetField(row, column, values[i]);
    }
  }
  return list;
}

std::string Order(const DocumentList& list, int column) {
  std::string order;
  for (int row = 0; row < list.RowCount(); ++row) {
    order += (list.HoldsDocument(row) ? list.Field(row, column) : "-") + "|";
  }
  return order;
}

TEST(SortDocumentRows, DatesSortAsDatesThenOtherTextThenEmptyCellsEitherWay) {
  DocumentList list = ListOf(2, {"2026/03/31 8:05:09", "", "2026/03/31", "-", "unknown",
                                 "2025/12/01 23:59:59", "2026/03/31 10:00:00", "none"});
  SortDocumentRows(list, 2, true);
  // As text "2026/03/31 10:00:00" would come before "2026/03/31 8:05:09".
  EXPECT_EQ(Order(list, 2),
            "2025/12/01 23:59:59|2026/03/31|2026/03/31 8:05:09|2026/03/31 10:00:00|none|unknown|"
            "|-|-|");
  // Descending reverses the dates and the other text, not where they stand.
  SortDocumentRows(list, 2, false);
  EXPECT_EQ(Order(list, 2),
            "2026/03/31 10:00:00|2026/03/31 8:05:09|2026/03/31|2025/12/01 23:59:59|unknown|none|"
            "|-|-|");
  for (int col : {2, 9, 10}) {
    EXPECT_EQ(SortKindOfColumn(col), SortKind::Date);
  }
}

TEST(SortDocumentRows, TheRevisionSortsAsANumberBeforeOtherTextEitherWay) {
  DocumentList revisions = ListOf(8, {"10", "9", "x", "", "100", "2", "B"});
  SortDocumentRows(revisions, 8, true);
  EXPECT_EQ(Order(revisions, 8), "2|9|10|100|B|x||-|");
  SortDocumentRows(revisions, 8, false);
  EXPECT_EQ(Order(revisions, 8), "100|10|9|2|x|B||-|");
  EXPECT_EQ(SortKindOfColumn(8), SortKind::Number);
}

// Text sorts in the order of its code page 932 bytes, as the list always
// sorted, ASCII letters case-blind; text equal there (characters code page
// 932 lacks are "?" in it) by its UTF-8.
TEST(SortDocumentRows, TextSortsByCodePage932CharactersAsciiLettersCaseBlind) {
  DocumentList names = ListOf(1, {"beta", "Alpha", "あ", "alpha", "Beta"});
  SortDocumentRows(names, 1, true);
  // Case-blind first, capitals first between names equal but for case.
  EXPECT_EQ(Order(names, 1), "Alpha|alpha|Beta|beta|あ|-|");
  EXPECT_EQ(SortKindOfColumn(1), SortKind::Text);

  // The second byte of a katakana is not a letter to fold: ア (83 41) folded
  // would sort as 83 61, after タ (83 5E).
  DocumentList kana = ListOf(4, {"ナカタ", "タナカ", "アオキ", "カトウ"});
  SortDocumentRows(kana, 4, true);
  EXPECT_EQ(Order(kana, 4), "アオキ|カトウ|タナカ|ナカタ|-|");

  // ASCII, hiragana, katakana and kanji (青木, 90 C2 96 D8) together: the
  // order of code page 932, not of Unicode (where 青 comes after ア).
  DocumentList mixed = ListOf(4, {"青木", "kato", "アオキ", "Abe", "あ", "Kato"});
  SortDocumentRows(mixed, 4, true);
  EXPECT_EQ(Order(mixed, 4), "Abe|Kato|kato|あ|アオキ|青木|-|");
  SortDocumentRows(mixed, 4, false);
  EXPECT_EQ(Order(mixed, 4), "青木|アオキ|あ|kato|Kato|Abe|-|");

  // Names code page 932 holds only in part: "José", "Jos?" and "Josà" are
  // alike there, and go by their UTF-8; 김 and 𠮷, both "?" there, come
  // before the letters.
  DocumentList foreign = ListOf(1, {"𠮷", "Josà", "Jos?", "José", "김", "Jose"});
  SortDocumentRows(foreign, 1, true);
  EXPECT_EQ(Order(foreign, 1), "김|𠮷|Jos?|Josà|José|Jose|-|");
}

TEST(SortDocumentRows, WholeRowsMoveAndRowsWithoutADocumentFollow) {
  DocumentList list = ListOf(4, {"Sato", "-", "Abe", "-", "Kato"});
  list.SetField(2, 7, "Abe's editor");
  SortDocumentRows(list, 4, true);
  EXPECT_EQ(Order(list, 4), "Abe|Kato|Sato|-|-|-|");
  EXPECT_EQ(list.Field(0, 0), "d3");
  EXPECT_EQ(list.Field(0, 7), "Abe's editor");
  EXPECT_EQ(list.DocumentRows(), (std::vector<int>{0, 1, 2}));
  // By file name, the first column.
  SortDocumentRows(list, 0, false);
  EXPECT_EQ(list.Field(0, 0), "d5");
}

}  // namespace
}  // namespace commands
