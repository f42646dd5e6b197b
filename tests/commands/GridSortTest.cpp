#include "commands/core/GridSort.h"

#include <gtest/gtest.h>

#include "commands/core/GridRows.h"

namespace commands {
namespace {

using widgets::StringGridData;

// A list grid whose data rows hold the given values in `column`, each row
// named "dN" (N its first row) unless the value list says "-" (no document).
StringGridData GridOf(int column, const std::vector<std::string>& values) {
  StringGridData grid(11, static_cast<int>(values.size()) + 2, 2, 1);
  for (std::size_t i = 0; i < values.size(); ++i) {
    int row = static_cast<int>(i) + 1;
    if (values[i] == "-") {
      continue;
    }
    grid.SetCell(0, row, "d" + std::to_string(row));
    if (column != 0) {
      grid.SetCell(column, row, values[i]);
    }
  }
  return grid;
}

std::string Order(const StringGridData& grid, int column) {
  std::string order;
  for (int row = 1; row < grid.RowCount(); ++row) {
    order += (grid.Cell(0, row).empty() ? "-" : grid.Cell(column, row)) + "|";
  }
  return order;
}

TEST(SortDocumentRows, DatesSortAsDatesThenOtherTextThenEmptyCellsEitherWay) {
  StringGridData grid = GridOf(2, {"2026/03/31 8:05:09", "", "2026/03/31", "-", "unknown",
                                   "2025/12/01 23:59:59", "2026/03/31 10:00:00", "none"});
  SortDocumentRows(grid, 2, true);
  // As text "2026/03/31 10:00:00" would come before "2026/03/31 8:05:09".
  EXPECT_EQ(Order(grid, 2),
            "2025/12/01 23:59:59|2026/03/31|2026/03/31 8:05:09|2026/03/31 10:00:00|none|unknown|"
            "|-|-|");
  // Descending reverses the dates and the other text, not where they stand.
  SortDocumentRows(grid, 2, false);
  EXPECT_EQ(Order(grid, 2),
            "2026/03/31 10:00:00|2026/03/31 8:05:09|2026/03/31|2025/12/01 23:59:59|unknown|none|"
            "|-|-|");
  EXPECT_EQ(grid.SelectionTop(), 1);
  for (int col : {2, 9, 10}) {
    EXPECT_EQ(SortKindOfColumn(col), SortKind::Date);
  }
}

TEST(SortDocumentRows, TheRevisionSortsAsANumberBeforeOtherTextEitherWay) {
  StringGridData revisions = GridOf(8, {"10", "9", "x", "", "100", "2", "B"});
  SortDocumentRows(revisions, 8, true);
  EXPECT_EQ(Order(revisions, 8), "2|9|10|100|B|x||-|");
  SortDocumentRows(revisions, 8, false);
  EXPECT_EQ(Order(revisions, 8), "100|10|9|2|x|B||-|");
  EXPECT_EQ(SortKindOfColumn(8), SortKind::Number);
}

TEST(SortDocumentRows, TextSortsByCodePage932CharactersAsciiLettersCaseBlind) {
  StringGridData names = GridOf(1, {"beta", "Alpha", "\x82\xa0", "alpha", "Beta"});  // あ
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
  StringGridData kana = GridOf(4, {nakata, tanaka, aoki, kato});
  SortDocumentRows(kana, 4, true);
  EXPECT_EQ(Order(kana, 4), aoki + "|" + kato + "|" + tanaka + "|" + nakata + "|-|");

  // ASCII, hiragana, katakana and kanji (青木, 90 C2 96 D8) together.
  const std::string aokiKanji = "\x90\xc2\x96\xd8";
  StringGridData mixed = GridOf(4, {aokiKanji, "kato", aoki, "Abe", "\x82\xa0", "Kato"});
  SortDocumentRows(mixed, 4, true);
  EXPECT_EQ(Order(mixed, 4), "Abe|Kato|kato|\x82\xa0|" + aoki + "|" + aokiKanji + "|-|");
  SortDocumentRows(mixed, 4, false);
  EXPECT_EQ(Order(mixed, 4), aokiKanji + "|" + aoki + "|\x82\xa0|kato|Kato|Abe|-|");
}

TEST(SortDocumentRows, WholeRowsMoveAndRowsWithoutADocumentFollow) {
  StringGridData grid = GridOf(4, {"Sato", "-", "Abe", "-", "Kato"});
  widgets::CellStyle marked;
  marked.background = widgets::ColorRef{0xFF};
  grid.SetStyle(4, 3, marked);
  grid.SetCell(7, 3, "Abe's editor");
  SortDocumentRows(grid, 4, true);
  EXPECT_EQ(Order(grid, 4), "Abe|Kato|Sato|-|-|-|");
  EXPECT_EQ(grid.Cell(0, 1), "d3");
  EXPECT_EQ(grid.Cell(7, 1), "Abe's editor");
  EXPECT_EQ(grid.Style(4, 1), marked);
  EXPECT_EQ(DocumentRows(grid), (std::vector<int>{1, 2, 3}));
  // By file name, the grid's first column.
  SortDocumentRows(grid, 0, false);
  EXPECT_EQ(grid.Cell(0, 1), "d5");
}

}  // namespace
}  // namespace commands
