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

TEST(SortDocumentRows, TextSortsByCodePage932CharactersAsciiLettersCaseBlind) {
  DocumentList names = ListOf(1, {"beta", "Alpha", "\x82\xa0", "alpha", "Beta"});  // あ
  SortDocumentRows(names, 1, true);
  // Case-blind first, capitals first between names equal but for case.
  EXPECT_EQ(Order(names, 1), "Alpha|alpha|Beta|beta|\x82\xa0|-|");
  EXPECT_EQ(SortKindOfColumn(1), SortKind::Text);

  // The second byte of a katakana is not a letter to fold: ア (83 41) folded
  // would sort as 83 61, after タ (83 5E).
  const std::string aoki = "\x83\x41\x83\x49\x83\x4c";    // アオキ
  const std::string kato = "\x83\x4a\x83\x67\x83\x45";    // カトウ
  const std::string tanaka = "\x83\x5e\x83\x69\x83\x4a";  // タナカ
  const std::string nakata = "\x83\x69\x83\x4a\x83\x5e";  // ナカタ
  DocumentList kana = ListOf(4, {nakata, tanaka, aoki, kato});
  SortDocumentRows(kana, 4, true);
  EXPECT_EQ(Order(kana, 4), aoki + "|" + kato + "|" + tanaka + "|" + nakata + "|-|");

  // ASCII, hiragana, katakana and kanji (青木, 90 C2 96 D8) together.
  const std::string aokiKanji = "\x90\xc2\x96\xd8";
  DocumentList mixed = ListOf(4, {aokiKanji, "kato", aoki, "Abe", "\x82\xa0", "Kato"});
  SortDocumentRows(mixed, 4, true);
  EXPECT_EQ(Order(mixed, 4), "Abe|Kato|kato|\x82\xa0|" + aoki + "|" + aokiKanji + "|-|");
  SortDocumentRows(mixed, 4, false);
  EXPECT_EQ(Order(mixed, 4), aokiKanji + "|" + aoki + "|\x82\xa0|kato|Kato|Abe|-|");
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
