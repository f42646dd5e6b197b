#include "catalogue/core/DocumentRecord.h"

#include <gtest/gtest.h>

#include "catalogue/core/DocumentReader.h"
#include "catalogue/core/ListFile.h"
#include "tests/support/PropertySetBuilder.h"

namespace catalogue {
namespace {

using testsupport::FileTimeOfUtc;
using testsupport::Le64;

PropertyValue Str(const std::string& text) {
  return {kVT_LPSTR, text};
}
PropertyValue Date(std::uint64_t fileTime) {
  return {kVT_FILETIME, Le64(fileTime)};
}

std::string Build(const RequestedValues& values, const std::string& name = "a.doc") {
  return BuildDocumentRecord(values, name, RegionalFormats{}, 0);
}

RequestedValues With(std::initializer_list<std::pair<std::uint32_t, PropertyValue>> items) {
  RequestedValues values;
  for (const auto& [id, value] : items) {
    values[id - kFirstRequestedId] = value;
  }
  return values;
}

TEST(DocumentRecord, PlacesEachPropertyInItsField) {
  RequestedValues values = With({{kPidTitle, Str("T")},
                                 {kPidSubject, Str("S")},
                                 {kPidAuthor, Str("A")},
                                 {kPidKeywords, Str("K")},
                                 {kPidComments, Str("C")},
                                 {kPidTemplate, Str("Normal.dot")},
                                 {kPidLastAuthor, Str("L")},
                                 {kPidRevNumber, Str("9")},
                                 {kPidLastPrinted, Date(FileTimeOfUtc(2004, 5, 6, 9, 7, 3))},
                                 {kPidCreated, Date(FileTimeOfUtc(2003, 1, 2, 0, 0, 0))},
                                 {kPidLastSaved, Date(FileTimeOfUtc(2004, 5, 7, 23, 59, 59))},
                                 {kPidAppName, Str("Word")}});
  EXPECT_EQ(Build(values),
            "a.doc;T;2004/05/07 23:59:59;S;A;K;C;L;9;2004/05/06 9:07:03;2003/01/02;");
}

TEST(DocumentRecord, NoValueCanSplitItsLineOrShiftTheFieldsAfterIt) {
  // Several authors written "A;B", a multi-line comment, an end-of-file byte
  // in the title and a tab: each record stays one line of eleven fields.
  std::string line = Build(With({{kPidTitle, Str("first\x1A"
                                                 "end")},
                                 {kPidAuthor, Str("A;B;C")},
                                 {kPidComments, Str("line 1\r\nline 2\ttab\x7F")},
                                 {kPidRevNumber, Str("1")}}),
                           "a;b\r.doc");
  EXPECT_EQ(line, "a；b .doc;first end;;;A；B；C;;line 1  line 2 tab ;;1;;;");
  std::string rest = line;
  std::vector<std::string> fields;
  for (int i = 0; i < 11; ++i) {
    fields.push_back(NextField(rest));
  }
  EXPECT_EQ(fields[8], "1");
  EXPECT_EQ(rest, "");
  // Characters of several bytes stay whole; C1 controls are blanks too.
  EXPECT_EQ(RecordFieldText("表ソ;＠𠮷"), "表ソ；＠𠮷");
  EXPECT_EQ(RecordFieldText(std::string("a\0b\xC2\x85"
                                        "c\xC2\xA0",
                                        8)),
            "a b c\xC2\xA0");
}

TEST(DocumentRecord, FieldsLongerThanTheLimitAreCutAtACharacterBoundary) {
  const std::string kanji = "表";  // three bytes of UTF-8
  std::string exact(kRecordFieldLimit, 'a');
  std::string line = "f.doc;" + exact + ";x;";
  EXPECT_FALSE(CapRecordFields(line));  // at the limit: kept whole
  EXPECT_EQ(line, "f.doc;" + exact + ";x;");

  std::string longKanji;
  for (std::size_t i = 0; i < kRecordFieldLimit + 10; ++i) {
    longKanji += kanji;
  }
  std::string oddStart = "a" + longKanji;  // the cut must not fall inside 表
  line = "f.doc;" + longKanji + ";" + std::string(100000, 'b') + ";" + oddStart + ";short;";
  EXPECT_TRUE(CapRecordFields(line));
  std::string expectedKanji;
  for (std::size_t i = 0; i < kRecordFieldLimit; ++i) {
    expectedKanji += kanji;
  }
  EXPECT_EQ(line, "f.doc;" + expectedKanji + ";" + std::string(kRecordFieldLimit, 'b') + ";a" +
                      expectedKanji.substr(0, expectedKanji.size() - kanji.size()) + ";short;");
  // A text after the last ";" counts as a field too.
  line = "f.doc;" + std::string(kRecordFieldLimit + 1, 'c');
  EXPECT_TRUE(CapRecordFields(line));
  EXPECT_EQ(line, "f.doc;" + std::string(kRecordFieldLimit, 'c'));
}

TEST(DocumentRecord, DatesAreEmptyWhenZeroAndDateOnlyAtMidnight) {
  std::string line = Build(With({{kPidTitle, Str("T")},
                                 {kPidLastPrinted, Date(0)},
                                 {kPidCreated, Date(FileTimeOfUtc(2004, 5, 6, 0, 0, 0))}}));
  EXPECT_EQ(line, "a.doc;T;;;;;;;;;2004/05/06;");
}

TEST(DocumentRecord, OnlyStringsNameTheFile) {
  // Wide strings give empty fields and no file name; dates still show.
  std::string line = Build(With({{kPidTitle, {kVT_LPWSTR, std::string("T\0\0\0", 4)}},
                                 {kPidAuthor, {kVT_LPWSTR, std::string("A\0\0\0", 4)}},
                                 {kPidCreated, Date(FileTimeOfUtc(2010, 1, 1, 12, 0, 0))}}));
  EXPECT_EQ(line, ";;;;;;;;;;2010/01/01 12:00:00;");
  // A template name alone, or an application name alone, names the file.
  EXPECT_EQ(Build(With({{kPidTemplate, Str("Normal.dot")}})), "a.doc;;;;;;;;;;;");
  EXPECT_EQ(Build(With({{kPidAppName, Str("Word")}})), "a.doc;;;;;;;;;;;");
  // An empty string does not, a blank does.
  EXPECT_EQ(Build(With({{kPidTitle, Str("")}})), ";;;;;;;;;;;");
  EXPECT_EQ(Build(With({{kPidTitle, Str(" ")}})), "a.doc; ;;;;;;;;;;");
}

TEST(DocumentRecord, DateFieldsTakeTheValueBytesWhateverTheType) {
  std::uint64_t when = FileTimeOfUtc(2001, 2, 3, 4, 5, 6);
  EXPECT_EQ(FileTimeOf({kVT_FILETIME, Le64(when)}), when);
  EXPECT_EQ(FileTimeOf({kVT_I4, std::string("\x01\x00\x00\x00", 4)}), 1u);
  EXPECT_EQ(FileTimeOf({kVT_LPSTR, "12345678"}), 0u);  // a pointer, not a date
  EXPECT_EQ(FileTimeOf({}), 0u);
  // A string at a date id names the file but fills no text field.
  EXPECT_EQ(Build(With({{kPidLastSaved, Str("x")}})), "a.doc;;;;;;;;;;;");
}

TEST(DocumentRecord, FileNameIsTheLastPathComponentInUtf8) {
  EXPECT_EQ(FileNameFieldOf("/home/u/docs/表a.doc"), "表a.doc");
  // A Linux name may hold "\" and ":"; they are part of the name.
  EXPECT_EQ(FileNameFieldOf("/d/a\\b:c.doc"), "a\\b:c.doc");
  EXPECT_EQ(FileNameFieldOf("plain.doc"), "plain.doc");
  // Every character is kept; a byte that is not UTF-8 becomes "?".
  EXPECT_EQ(FileNameFieldOf("/d/été 김.doc"), "été 김.doc");
  EXPECT_EQ(FileNameFieldOf("/d/\x95\x5C.doc"), "?\\.doc");
}

}  // namespace
}  // namespace catalogue
