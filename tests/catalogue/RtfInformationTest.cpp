#include "catalogue/core/RtfInformation.h"

#include <gtest/gtest.h>
#include <chrono>
#include <filesystem>

#include "tests/support/InputFiles.h"
#include "tests/support/TempDir.h"

namespace catalogue {
namespace {

using Outcome = RtfInformationResult::Outcome;

// The information of a document whose header is `header` and whose \info
// group holds `fields`.
RtfInformation InfoOf(const std::string& fields, const std::string& header = "\\ansicpg932") {
  std::string rtf = "{\\rtf1\\ansi" + header + "\\deff0{\\fonttbl{\\f0 Century;}}\r\n{\\info" +
                    fields + "}\r\n\\pard body text\\par}";
  RtfInformationResult r = ReadRtfInformation(rtf, true);
  EXPECT_EQ(r.outcome, Outcome::Read) << rtf;
  EXPECT_EQ(r.damage, "");
  return r.information;
}

std::string TitleOf(const std::string& titleGroup, const std::string& header = "\\ansicpg932") {
  return InfoOf(titleGroup, header).title;
}

std::optional<CalendarTime> CreatedOf(const std::string& words) {
  return InfoOf("{\\creatim" + words + "}").created;
}

bool SameTime(const std::optional<CalendarTime>& t, std::int64_t year, int month, int day, int hour,
              int minute, int second) {
  return t && t->year == year && t->month == month && t->day == day && t->hour == hour &&
         t->minute == minute && t->second == second;
}

TEST(RtfInformation, ReadsEachFieldOnceFromItsFirstGroup) {
  RtfInformation info = InfoOf(
      "{\\title Annual\r\n report}{\\subject Sales}{\\author Hanako}{\\keywords a, b}"
      "{\\doccomm First draft}{\\operator Taro}{\\version12}{\\vern8249}{\\edmins5}\\nofpages3 "
      "{\\creatim\\yr2001\\mo2\\dy3\\hr4\\min5\\sec6}{\\revtim\\yr2002\\mo12\\dy31\\hr23\\min59}"
      "{\\printim\\yr2003\\mo7\\dy1}{\\*\\company Ignored Inc}{\\title Second title}"
      "{\\author Second author}{\\creatim\\yr1999}");
  EXPECT_EQ(info.title, "Annual report");  // the line break is no character
  EXPECT_EQ(info.subject, "Sales");
  EXPECT_EQ(info.author, "Hanako");
  EXPECT_EQ(info.keywords, "a, b");
  EXPECT_EQ(info.comments, "First draft");
  EXPECT_EQ(info.lastAuthor, "Taro");
  EXPECT_EQ(info.revision, "12");
  EXPECT_TRUE(SameTime(info.created, 2001, 2, 3, 4, 5, 6));
  EXPECT_TRUE(SameTime(info.lastSaved, 2002, 12, 31, 23, 59, 0));
  EXPECT_TRUE(SameTime(info.lastPrinted, 2003, 7, 1, 0, 0, 0));

  // Absent fields stay empty; \version may also stand bare in the group, and
  // its first occurrence counts like any field's.
  info = InfoOf("\\version7 {\\version8}{\\title}");
  EXPECT_EQ(info.revision, "7");
  EXPECT_EQ(info.title, "");
  EXPECT_EQ(info.author, "");
  EXPECT_FALSE(info.created);
  EXPECT_EQ(InfoOf("{\\version0}").revision, "0");
  EXPECT_EQ(InfoOf("{\\version}\\version3").revision, "3");  // no number, no occurrence

  // Nested groups add their text; formatting words add none, and the
  // blank after a word is its delimiter, not text.
  EXPECT_EQ(TitleOf("{\\title A{\\b bold}B}"), "AboldB");
  EXPECT_EQ(TitleOf("{\\title \\b  two}"), " two");
  EXPECT_EQ(TitleOf("{\\title x\\fs-24 y}"), "xy");
}

TEST(RtfInformation, BreaksKeepWordsApartAndTypographicWordsAreTheirCharacters) {
  // As a word processor writes a title typed with a tab or a line break:
  // the words must not run together.
  EXPECT_EQ(TitleOf("{\\title Annual\\tab report}"), "Annual report");
  EXPECT_EQ(TitleOf("{\\title one\\line two\\par three}"), "one two three");
  EXPECT_EQ(TitleOf("{\\title one\\\r\ntwo\\\ntwo}"), "one two two");  // "\\" before a break
  EXPECT_EQ(TitleOf("{\\title no\\~break\\_hyphen\\-optional}"), "no break-hyphenoptional");
  EXPECT_EQ(TitleOf("{\\title \\ldblquote A\\rdblquote  \\lquote b\\rquote  1\\endash 2\\emdash x "
                    "\\bullet}"),
            "“A” ‘b’ 1–2—x •");
  // Beside the code page's characters, each stays one character.
  EXPECT_EQ(TitleOf("{\\title \\'82\\'a0\\emdash\\'82\\'a2}"), "あ—い");
  // In the Unicode form of a field too; a parameter makes no other word.
  EXPECT_EQ(TitleOf("{\\upr{\\title A}{\\*\\ud{\\title \\u12354?\\tab B}}}"), "あ B");
  EXPECT_EQ(TitleOf("{\\title a\\tabx b}"), "ab");
  // A value ending in a paragraph or line break keeps no trailing blank;
  // breaks between words stay blanks.
  EXPECT_EQ(InfoOf("{\\doccomm \\'88\\'ea\\'8d\\'73\\'96\\'da\\par \\'93\\'f1\\par}").comments,
            "一行目 二");  // 一行目\par 二\par
  EXPECT_EQ(TitleOf("{\\title a\\par\\par b\\line\\line}"), "a  b");
  EXPECT_EQ(TitleOf("{\\title end\\\r\n}"), "end");
  EXPECT_EQ(TitleOf("{\\title tab\\tab}"), "tab ");  // a tab is text, not a break
}

TEST(RtfInformation, ConvertsTextFromTheDocumentCodePageToUtf8) {
  // 932: \'hh bytes pair up into characters.
  EXPECT_EQ(TitleOf("{\\title \\'82\\'a0\\'83\\'5e}"), "あタ");
  // A lead byte escaped, its trail byte written as a letter.
  EXPECT_EQ(TitleOf("{\\title \\'81f}"), "’");
  // Unescaped Shift_JIS, whose trail byte may look like a backslash or a brace.
  EXPECT_EQ(TitleOf("{\\title \x83\x5C\x83\x74\x83\x67 \x95\x5C}"), "ソフト 表");
  EXPECT_EQ(TitleOf("{\\title \x83\x7B}"), "ボ");
  // 1252: every character, e-acute and the curly quotes alike.
  EXPECT_EQ(TitleOf("{\\title Caf\\'e9 \\'93q\\'94}", "\\ansicpg1252"), "Café “q”");
  EXPECT_EQ(TitleOf("{\\title \xE9}", "\\ansicpg1252"), "é");
  // No \ansicpg, or one that cannot be converted or is no byte code page:
  // 1252.
  EXPECT_EQ(TitleOf("{\\title \\'93}", ""), "“");
  EXPECT_EQ(TitleOf("{\\title \\'93}", "\\ansicpg99999"), "“");
  EXPECT_EQ(TitleOf("{\\title \\'93}", "\\ansicpg-932"), "“");
  EXPECT_EQ(TitleOf("{\\title \\'93}", "\\ansicpg1200"), "“");
  // The last \ansicpg before the \info group counts; one inside it does not.
  EXPECT_EQ(TitleOf("{\\title \\'82\\'a0}", "\\ansicpg1252{\\*\\x\\ansicpg932}"), "あ");
  EXPECT_EQ(TitleOf("{\\title \\ansicpg1252\\'82\\'a0}"), "あ");
  EXPECT_EQ(TitleOf("{\\title \\'c0}", "\\ansicpg1251"), "А");  // Cyrillic A
  EXPECT_EQ(TitleOf("{\\title \\'b1\\'e8}", "\\ansicpg949"), "김");
}

TEST(RtfInformation, ReadsUnicodeCharactersAndPassesOverTheirStandIns) {
  // U+3042, with the default of one stand-in character.
  EXPECT_EQ(TitleOf("{\\title a\\u12354?b}"), "aあb");
  // \uc2: two stand-ins, here one \'hh pair; a plain byte counts as one.
  EXPECT_EQ(TitleOf("{\\title \\uc2\\u12354\\'82\\'a0x\\u12356 ??y}"), "あxいy");
  // \uc0: none, so the next \u follows at once.
  EXPECT_EQ(TitleOf("{\\title \\uc0\\u12354\\u12356 z}"), "あいz");
  // Any control word counts as one stand-in; a brace ends the stand-ins.
  EXPECT_EQ(TitleOf("{\\title \\uc3\\u12354\\par\\'82 x}"), "あx");
  EXPECT_EQ(TitleOf("{\\title \\uc5\\u12354 ab{c}d}"), "あcd");
  // \uc is scoped to its group and inherited by nested ones.
  EXPECT_EQ(TitleOf("{\\title {\\uc0\\u12354}\\u12356?{\\u12358 ?}}"), "あいう");
  EXPECT_EQ(TitleOf("{\\title \\uc2{\\u12354 ??}\\u12356 ??}"), "あい");
  EXPECT_EQ(InfoOf("\\uc0{\\title \\u12354 x}").title, "あx");
  EXPECT_EQ(TitleOf("{\\title \\u12354 x}", "\\ansicpg932\\uc0"), "あx");
  // Negative values are the units from 32768 up: U+FF01 is a full-width "!".
  EXPECT_EQ(TitleOf("{\\title \\u-255?}"), "！");
  // A surrogate pair stays one character: U+1F600, and 𠮷 (U+20BB7).
  EXPECT_EQ(TitleOf("{\\title \\u-10179?\\u-8704?!}"), "😀!");
  EXPECT_EQ(TitleOf("{\\title \\u-10174?\\u-8265?}"), "𠮷");
  // Units of \u and bytes mix.
  EXPECT_EQ(TitleOf("{\\title \\u233?\\'82\\'a0\\u8220?}"), "éあ“");
  // A lone surrogate is no character.
  EXPECT_EQ(TitleOf("{\\title \\u-10179?x}"), "?x");
  // \u without a number is just a word.
  EXPECT_EQ(TitleOf("{\\title \\u a}"), "a");
}

TEST(RtfInformation, TakesTheUnicodeFormOfAUprPair) {
  const std::string ansi = "{\\title \\'82\\'a0?}";
  const std::string unicode = "{\\*\\ud{\\title \\uc2\\u12354\\'82\\'a0\\u-255\\'81\\'49}}";
  EXPECT_EQ(TitleOf("{\\upr" + ansi + unicode + "}"), "あ！");
  EXPECT_EQ(TitleOf("{\\upr" + unicode + ansi + "}"), "あ！");
  // Word writes \uc0 at the head of the Unicode form.
  EXPECT_EQ(TitleOf("{\\upr{\\title A}{\\*\\ud\\uc0{\\title \\u12354 B}}}"), "あB");
  // Either form alone is enough.
  EXPECT_EQ(TitleOf("{\\upr{\\title A}}"), "A");
  EXPECT_EQ(TitleOf("{\\upr{\\*\\ud{\\title U}}}"), "U");
  EXPECT_EQ(TitleOf("{\\upr{\\*\\ud{\\title U}{\\title V}}{\\title A}}"), "U");
  // A pair is one occurrence: what comes first wins, pair or plain group.
  EXPECT_EQ(TitleOf("{\\title P}{\\upr{\\title A}{\\*\\ud{\\title U}}}"), "P");
  EXPECT_EQ(TitleOf("{\\upr{\\title A}{\\*\\ud{\\title U}}}{\\title P}"), "U");
  EXPECT_EQ(TitleOf("{\\upr{\\title A}}{\\upr{\\*\\ud{\\title U}}}"), "A");
  // Several fields in one pair.
  RtfInformation info =
      InfoOf("{\\upr{\\author a}{\\operator o}{\\*\\ud{\\author \\u12354}}}{\\operator x}");
  EXPECT_EQ(info.author, "あ");
  EXPECT_EQ(info.lastAuthor, "o");
  // Outside \upr a Unicode form is an ignorable group like any other.
  EXPECT_EQ(TitleOf("{\\*\\ud{\\title U}}{\\title P}"), "P");
  EXPECT_EQ(TitleOf("{\\title P{\\*\\ud{\\title U}}}"), "P");
}

TEST(RtfInformation, KeepsEscapedCharactersAndSkipsIgnorableGroupsInAField) {
  EXPECT_EQ(TitleOf("{\\title a\\\\b\\{c\\}d}"), "a\\b{c}d");
  EXPECT_EQ(TitleOf("{\\title a{\\*\\bkmkstart x}b{\\*\\unknown {nested} text}c}"), "abc");
  // Only a group that starts with \* is ignorable.
  EXPECT_EQ(TitleOf("{\\title a{\\i \\*b}c}"), "abc");
  // \bin data is passed over whatever it holds.
  EXPECT_EQ(TitleOf("{\\title a\\bin3 }{\\b}"), "ab");
  // Other fields of the \info group that this reader does not keep.
  InfoOf("{\\manager m}{\\company c}{\\category k}{\\hlinkbase h}{\\*\\password 1234}");
}

TEST(RtfInformation, ReadsTimesAndRejectsOnesThatCannotBe) {
  EXPECT_TRUE(SameTime(CreatedOf("\\yr2010\\mo10\\dy8\\hr14\\min18"), 2010, 10, 8, 14, 18, 0));
  EXPECT_TRUE(SameTime(CreatedOf("\\yr2010"), 2010, 1, 1, 0, 0, 0));
  EXPECT_TRUE(SameTime(CreatedOf("\\sec9 \\min8 \\yr1 "), 1, 1, 1, 0, 8, 9));
  EXPECT_TRUE(SameTime(CreatedOf("\\yr2000\\mo2\\dy29"), 2000, 2, 29, 0, 0, 0));
  EXPECT_TRUE(
      SameTime(CreatedOf("\\yr2024\\mo2\\dy29\\hr23\\min59\\sec59"), 2024, 2, 29, 23, 59, 59));
  EXPECT_TRUE(SameTime(CreatedOf("\\yr9999\\mo12\\dy31"), 9999, 12, 31, 0, 0, 0));
  // Text and nested groups in a time group mean nothing.
  EXPECT_TRUE(SameTime(CreatedOf("\\yr2001 text{\\mo5}\\dy2"), 2001, 1, 2, 0, 0, 0));
  for (const char* words :
       {"", "\\mo1\\dy1", "\\yr0\\mo1", "\\yr-5", "\\yr10000", "\\yr2001\\mo0", "\\yr2001\\mo13",
        "\\yr2001\\dy0", "\\yr2001\\mo4\\dy31", "\\yr1900\\mo2\\dy29", "\\yr2001\\mo2\\dy29",
        "\\yr2001\\hr24", "\\yr2001\\min60", "\\yr2001\\sec60", "\\yr2001\\hr-1", "\\yr2001\\mo-1",
        "\\yr2001\\dy4294967297", "\\yr9999999999"}) {
    EXPECT_FALSE(CreatedOf(words)) << words;
  }
  // The first time group counts even when it holds no time.
  EXPECT_FALSE(InfoOf("{\\revtim\\yr0}{\\revtim\\yr2001}").lastSaved);
}

TEST(RtfInformation, TellsAFileWithoutInformationFromADamagedOne) {
  auto read = [](std::string_view rtf, bool whole = true) {
    return ReadRtfInformation(rtf, whole);
  };
  EXPECT_EQ(read("{\\rtf1\\ansi{\\fonttbl{\\f0 A;}}\\pard text\\par}").outcome,
            Outcome::NoInformation);
  EXPECT_EQ(read("{\\rtf1").outcome, Outcome::NoInformation);
  EXPECT_EQ(read("{\\rtf1 text", false).outcome, Outcome::NoInformation);
  // An \info group after the document group, or inside an \info word that is
  // no group's first, is none.
  EXPECT_EQ(read("{\\rtf1 text}{\\info{\\title x}}").outcome, Outcome::NoInformation);
  EXPECT_EQ(read("{\\rtf1 {\\b\\info{\\title x}}}").outcome, Outcome::NoInformation);
  EXPECT_EQ(read("{\\rtf1 \\info{\\title x}}").outcome, Outcome::NoInformation);

  RtfInformationResult r = read("{\\rtf1{\\info}}");
  EXPECT_EQ(r.outcome, Outcome::Read);
  EXPECT_EQ(r.information.title, "");
  // What follows the closed \info group is never read.
  r = read("{\\rtf1{\\info{\\title T}}{");
  EXPECT_EQ(r.outcome, Outcome::Read);
  EXPECT_EQ(r.information.title, "T");
  // An \info group inside another group is found too.
  EXPECT_EQ(read("{\\rtf1{\\*\\generator x{\\info{\\title T}}}").information.title, "T");

  r = read("{\\rtf1{\\info{\\title T}{\\author ");
  EXPECT_EQ(r.outcome, Outcome::Damaged);
  EXPECT_EQ(r.damage, "\\info グループが閉じていません");
  EXPECT_EQ(r.information.title, "");
  r = read("{\\rtf1{\\info{\\title T}}", false);
  EXPECT_EQ(r.outcome, Outcome::Read);
  r = read("{\\rtf1{\\info{\\title T}", false);
  EXPECT_EQ(r.outcome, Outcome::Damaged);
  EXPECT_EQ(r.damage, "\\info グループが読み取り上限 (1 MiB) を超えています");
  // A backslash at the very end.
  EXPECT_EQ(read("{\\rtf1{\\info{\\title T\\").outcome, Outcome::Damaged);

  // Groups nest 256 deep at most, before the \info group as inside it.
  std::string deep = "{\\rtf1" + std::string(253, '{') + "{\\info{\\title T}}";
  EXPECT_EQ(read(deep).outcome, Outcome::Read);
  deep = "{\\rtf1{\\info{\\title " + std::string(253, '{') + "T";
  EXPECT_EQ(read(deep).outcome, Outcome::Damaged);
  EXPECT_EQ(read(deep).damage, "\\info グループが閉じていません");
  deep = "{\\rtf1{\\info{\\title " + std::string(254, '{') + "T";
  r = read(deep);
  EXPECT_EQ(r.outcome, Outcome::Damaged);
  EXPECT_EQ(r.damage, "グループの入れ子が 256 段を超えています");
  EXPECT_EQ(read("{\\rtf1" + std::string(1000000, '{')).outcome, Outcome::Damaged);
}

TEST(RtfInformation, StaysBoundedOnHostileInput) {
  // Parameters of more than ten digits: the rest are text.
  EXPECT_EQ(InfoOf("{\\version99999999999}").revision, "9999999999");
  EXPECT_EQ(InfoOf("{\\version-9999999999}").revision, "-9999999999");
  EXPECT_EQ(TitleOf("{\\title \\u0000000065123 x}"), "A23 x");
  EXPECT_EQ(TitleOf("{\\title \\fs12345678901234 x}"), "1234 x");
  // A huge \uc passes over everything up to the next brace.
  EXPECT_EQ(TitleOf("{\\title \\uc9999999999\\u65 abc\\'82\\'a0}"), "A");
  // \bin longer than the bytes, a hex escape cut short.
  EXPECT_EQ(ReadRtfInformation("{\\rtf1{\\info{\\title a\\bin99999999999 }}}", true).outcome,
            Outcome::Damaged);
  EXPECT_EQ(ReadRtfInformation("{\\rtf1{\\info{\\title a\\bin-5 }}}", true).information.title, "a");
  EXPECT_EQ(TitleOf("{\\title a\\'8}"), "a8");
  EXPECT_EQ(TitleOf("{\\title a\\'zz}"), "azz");
  EXPECT_EQ(ReadRtfInformation("{\\rtf1{\\info{\\title a\\'8", true).outcome, Outcome::Damaged);
  // A control word as long as the read limit.
  std::string rtf = "{\\rtf1{\\info{\\title \\" + std::string(kRtfInformationReadLimit - 40, 'x');
  EXPECT_EQ(ReadRtfInformation(rtf + " T}}}", true).information.title, "T");

  // A field of a megabyte of characters that switch code page every time
  // reads in linear time.
  std::string mixed;
  while (mixed.size() < kRtfInformationReadLimit - 100) {
    mixed += "\\u12354?\\'82\\'a0";
  }
  auto start = std::chrono::steady_clock::now();
  RtfInformationResult r = ReadRtfInformation("{\\rtf1{\\info{\\title " + mixed + "}}}", true);
  auto elapsed = std::chrono::steady_clock::now() - start;
  EXPECT_EQ(r.outcome, Outcome::Read);
  // あ (3 bytes), then under the default code page 1252 "‚" and a no-break
  // space (3 and 2).
  EXPECT_EQ(r.information.title.size(), mixed.size() / 16 * 8);
  EXPECT_LT(elapsed, std::chrono::seconds(20));
}

TEST(RtfInformationFuzzInputs, EveryKeptInputGivesADefinedOutcome) {
  std::filesystem::path folder = std::filesystem::path(QUILL_SOURCE_DIR) / "fuzz" / "rtf";
  int replayed = 0;
  for (const std::filesystem::path& input : testsupport::InputFiles(folder)) {
    SCOPED_TRACE(input.filename().string());
    std::string bytes = testsupport::ReadAll(input.string());
    std::string_view limited = std::string_view(bytes).substr(0, kRtfInformationReadLimit);
    bool whole = limited.size() == bytes.size();
    RtfInformationResult r = ReadRtfInformation(limited, whole);
    switch (r.outcome) {
      case Outcome::Read:
      case Outcome::NoInformation: EXPECT_EQ(r.damage, ""); break;
      case Outcome::Damaged: EXPECT_NE(r.damage, ""); break;
      default: ADD_FAILURE() << "outcome " << static_cast<int>(r.outcome);
    }
    // Whether the file goes on changes nothing but the words of the damage.
    RtfInformationResult cut = ReadRtfInformation(limited, !whole);
    EXPECT_EQ(cut.outcome, r.outcome);
    EXPECT_EQ(cut.information.title, r.information.title);
    ++replayed;
  }
  EXPECT_GT(replayed, 0);
}

// The RTF files of the shared document corpus, when it is there.
TEST(RtfInformationCorpus, ReadsTheSharedDocuments) {
  std::filesystem::path corpus = std::filesystem::path(QUILL_SHARED_DIR) / "corpus";
  if (!std::filesystem::exists(corpus / "tika-testRTF.rtf")) {
    GTEST_SKIP() << "no corpus at " << corpus;
  }
  auto read = [&](const char* name) {
    return ReadRtfInformation(testsupport::ReadAll((corpus / name).string()), true);
  };
  RtfInformationResult r = read("tika-testRTF.rtf");
  ASSERT_EQ(r.outcome, Outcome::Read);
  EXPECT_EQ(r.information.title, "Test d’indexation Word");
  EXPECT_EQ(r.information.author, "Bibliotheque");
  EXPECT_EQ(r.information.lastAuthor, "Bibliotheque");
  EXPECT_EQ(r.information.revision, "2");
  EXPECT_TRUE(SameTime(r.information.created, 2006, 5, 18, 12, 19, 0));
  EXPECT_FALSE(r.information.lastPrinted);

  r = read("tika-testRTF-ms932.rtf");
  ASSERT_EQ(r.outcome, Outcome::Read);
  EXPECT_EQ(r.information.title, "タイトル");
  EXPECT_EQ(r.information.author, "shinsuke");
  EXPECT_EQ(r.information.revision, "4");
  EXPECT_TRUE(SameTime(r.information.lastSaved, 2010, 10, 10, 6, 59, 0));

  EXPECT_EQ(read("poi-message.rtf").outcome, Outcome::NoInformation);
}

}  // namespace
}  // namespace catalogue
