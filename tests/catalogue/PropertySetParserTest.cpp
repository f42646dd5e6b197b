#include "catalogue/core/PropertySetParser.h"

#include "catalogue/core/DocumentRecord.h"

#include <gtest/gtest.h>

#include "tests/support/PropertySetBuilder.h"

namespace catalogue {
namespace {

using testsupport::Le16;
using testsupport::Le32;
using testsupport::PropertySetBuilder;

const PropertyValue& Value(const PropertySetReadResult& r, std::uint32_t id) {
  return r.values[id - kFirstRequestedId];
}

std::string TitleUnder(std::int16_t codePage, const std::string& stored) {
  PropertySetReadResult r =
      ReadSummaryProperties(PropertySetBuilder().CodePage(codePage).Lpstr(2, stored).Build());
  EXPECT_EQ(r.code, kS_OK);
  EXPECT_EQ(Value(r, 2).type, kVT_LPSTR);
  return Value(r, 2).data;
}

TEST(PropertySetParser, ReadsEachValueTypeIntoItsSlot) {
  std::string stream = PropertySetBuilder()
                           .CodePage(932)
                           .Lpstr(2, "Title")
                           .Lpwstr(3, u"Wide")
                           .I4(14, 12)
                           .FileTime(13, 0x01C4335B12345678ULL)
                           .Raw(17, kVT_CF, Le32(4) + "\x01\x02\x03\x04")
                           .Build();
  PropertySetReadResult r = ReadSummaryProperties(stream);
  ASSERT_EQ(r.code, kS_OK);
  EXPECT_EQ(Value(r, 2), (PropertyValue{kVT_LPSTR, "Title"}));
  EXPECT_EQ(Value(r, 3).type, kVT_LPWSTR);
  EXPECT_EQ(Value(r, 3).data, std::string("W\0i\0d\0e\0\0\0", 10));
  EXPECT_EQ(Value(r, 14), (PropertyValue{kVT_I4, Le32(12)}));
  EXPECT_EQ(Value(r, 13), (PropertyValue{kVT_FILETIME, testsupport::Le64(0x01C4335B12345678ULL)}));
  EXPECT_EQ(Value(r, 17).type, kVT_CF);
  EXPECT_EQ(Value(r, 4).type, kVT_EMPTY);  // absent
}

// A title of 16 MB is converted only as far as a record can keep it (and
// a little more, so the cut is still seen): no 16 MB of conversions.
TEST(PropertySetParser, OfAHugeValueOnlyWhatARecordKeepsIsConverted) {
  std::string huge(16 << 20, 'a');
  PropertySetReadResult r =
      ReadSummaryProperties(PropertySetBuilder().CodePage(932).Lpstr(2, huge).Build());
  ASSERT_EQ(r.code, kS_OK);
  EXPECT_GT(Value(r, 2).data.size(), kRecordFieldLimit);
  EXPECT_LE(Value(r, 2).data.size(), (kRecordFieldLimit + 16) * 4);
  std::string line = Value(r, 2).data + ";";
  EXPECT_TRUE(CapRecordFields(line));  // still cut, and told
}

TEST(PropertySetParser, ConvertsStringsFromTheSetsCodePageIntoUtf8) {
  // 932: a byte that is not CP932 becomes "?".
  EXPECT_EQ(TitleUnder(932, "\x95\x5C\x8E\xA6\xFF"), "表示?");
  // 1252: every character is kept, those CP932 lacks too.
  EXPECT_EQ(TitleUnder(1252, "Caf\xE9!"), "Café!");
  // 65001 is stored as the signed value -535.
  EXPECT_EQ(TitleUnder(-535, "\xE6\x97\xA5\xE6\x9C\xAC"), "日本");
  // 1200: UTF-16LE under VT_LPSTR, ended by a two-byte NUL; a character
  // outside the BMP as its surrogate pair.
  EXPECT_EQ(TitleUnder(1200, std::string("\xE5\x65\x2C\x67\x42\xD8\xB7\xDF", 8) + '\0'), "日本𠮷");
  // 1255: every Hebrew letter, the last one too (the decoder holds it back
  // until flushed).
  EXPECT_EQ(TitleUnder(1255, "\xF9\xEC\xE5\xED"), "שלום");
  EXPECT_EQ(TitleUnder(949, "\xB1\xE8\xB9\xCE\xBC\xF6"), "김민수");
  // 0 and code pages this machine does not know are read as CP932.
  EXPECT_EQ(TitleUnder(0, "\x93\xFA\xFFt"), "日?t");
  EXPECT_EQ(TitleUnder(12345, "\x93\xFA\xFFt"), "日?t");
}

TEST(PropertySetParser, ReadsCp932WhenTheCodePageIsAbsentOrNotAnInteger) {
  PropertySetReadResult r =
      ReadSummaryProperties(PropertySetBuilder().Lpstr(2, "\x93\xFA\xE9").Build());
  EXPECT_EQ(Value(r, 2).data, "日?");
  r = ReadSummaryProperties(PropertySetBuilder().I4(1, 1252).Lpstr(2, "\xE9").Build());
  EXPECT_EQ(Value(r, 2).data, "?");
  // The first code-page entry counts even when it is not usable.
  r = ReadSummaryProperties(
      PropertySetBuilder().I4(1, 1252).CodePage(1252).Lpstr(2, "\xE9").Build());
  EXPECT_EQ(Value(r, 2).data, "?");
}

TEST(PropertySetParser, StringsEndAtTheirFirstNulAndNeverPassTheirCount) {
  PropertySetReadResult r = ReadSummaryProperties(PropertySetBuilder()
                                                      .LpstrNoNul(2, "no terminator")
                                                      .LpstrNoNul(3, std::string("ab\0cd", 5))
                                                      .LpstrNoNul(4, "")
                                                      .Build());
  ASSERT_EQ(r.code, kS_OK);
  EXPECT_EQ(Value(r, 2).data, "no terminator");
  EXPECT_EQ(Value(r, 3).data, "ab");
  EXPECT_EQ(Value(r, 4), (PropertyValue{kVT_LPSTR, ""}));
  // Under UTF-16 only a whole NUL unit ends the text; an odd last byte is dropped.
  r = ReadSummaryProperties(PropertySetBuilder()
                                .CodePage(1200)
                                .LpstrNoNul(2, std::string("A\0\0\x30"
                                                           "B",
                                                           5))
                                .Build());
  EXPECT_EQ(Value(r, 2).data, "A\xE3\x80\x80");  // U+3000, the ideographic space
  // Big-endian UTF-16 and UTF-32 end at a whole zero unit too.
  r = ReadSummaryProperties(
      PropertySetBuilder().CodePage(1201).LpstrNoNul(2, std::string("\0A\0B\0\0\0C", 8)).Build());
  EXPECT_EQ(Value(r, 2).data, "AB");
  r = ReadSummaryProperties(PropertySetBuilder()
                                .CodePage(12000)
                                .LpstrNoNul(2, std::string("A\0\0\0\0\0\0\0", 8))
                                .Build());
  EXPECT_EQ(Value(r, 2).data, "A");
}

TEST(PropertySetParser, FirstEntryOfAnIdWins) {
  PropertySetReadResult r =
      ReadSummaryProperties(PropertySetBuilder().Lpstr(2, "first").Lpstr(2, "second").Build());
  EXPECT_EQ(Value(r, 2).data, "first");
}

TEST(PropertySetParser, SetWithoutRequestedIdsGivesSFalse) {
  EXPECT_EQ(ReadSummaryProperties("").code, kS_FALSE);
  EXPECT_EQ(ReadSummaryProperties(PropertySetBuilder().Build()).code, kS_FALSE);
  EXPECT_EQ(
      ReadSummaryProperties(PropertySetBuilder().CodePage(932).Lpstr(20, "x").Lpstr(0, "d").Build())
          .code,
      kS_FALSE);
}

// What other writers store is read only when asked: Unicode strings as text
// (with the file name they give), a byte-swapped identifier as the summary's.
TEST(PropertySetParser, TheLenientReadingTakesUnicodeStringsAndASwappedIdentifier) {
  std::string unicode = PropertySetBuilder()
                            .Lpwstr(2, u"報告 𠮷")
                            .Lpwstr(4, std::u16string(u"Ann\0junk", 8))
                            .FileTime(12, 5)
                            .Build();
  PropertySetReadResult classic = ReadSummaryProperties(unicode);
  EXPECT_EQ(classic.values[0].type, kVT_LPWSTR);
  PropertySetReadResult r = ReadSummaryProperties(unicode, SummaryReading::Lenient);
  ASSERT_EQ(r.code, kS_OK);
  EXPECT_EQ(r.values[0], (PropertyValue{kVT_LPSTR, "報告 𠮷"}));
  EXPECT_EQ(r.values[2], (PropertyValue{kVT_LPSTR, "Ann"}));  // up to the NUL
  EXPECT_EQ(r.values[10].type, kVT_FILETIME);
  EXPECT_EQ(BuildDocumentRecord(r.values, "u.doc", RegionalFormats{}, 0),
            "u.doc;報告 𠮷;;;Ann;;;;;;1601/01/01;");
  EXPECT_EQ(BuildDocumentRecord(classic.values, "u.doc", RegionalFormats{}, 0),
            ";;;;;;;;;;1601/01/01;");

  std::string id = PropertySetBuilder::SummaryFmtid();
  std::string swapped = {id[3], id[2], id[1], id[0], id[5], id[4], id[7], id[6]};
  swapped += id.substr(8);
  std::string mac = PropertySetBuilder().Fmtid(swapped).Lpstr(2, "Mac").Build();
  EXPECT_EQ(ReadSummaryProperties(mac).code, kSTG_E_FILENOTFOUND);
  r = ReadSummaryProperties(mac, SummaryReading::Lenient);
  ASSERT_EQ(r.code, kS_OK);
  EXPECT_EQ(r.values[0].data, "Mac");
  // Any other identifier stays foreign.
  EXPECT_EQ(ReadSummaryProperties(PropertySetBuilder().Fmtid(std::string(16, '\x11')).Build(),
                                  SummaryReading::Lenient)
                .code,
            kSTG_E_FILENOTFOUND);
}

TEST(PropertySetParser, FindsTheSummarySectionAmongOthersAndRefusesAWrongFmtid) {
  std::string other = std::string(16, '\x11');
  EXPECT_EQ(ReadSummaryProperties(PropertySetBuilder().Fmtid(other).Lpstr(2, "x").Build()).code,
            kSTG_E_FILENOTFOUND);

  // Two sections: a foreign one first, the summary one at its stored offset.
  std::string summary = PropertySetBuilder().Lpstr(2, "found").Build().substr(48);
  std::string foreign = Le32(8) + Le32(0);
  std::string stream = Le16(0xFFFE) + Le16(0) + Le32(0) + std::string(16, '\0') + Le32(2) + other +
                       Le32(68) + PropertySetBuilder::SummaryFmtid() + Le32(76) + foreign + summary;
  PropertySetReadResult r = ReadSummaryProperties(stream);
  ASSERT_EQ(r.code, kS_OK);
  EXPECT_EQ(Value(r, 2).data, "found");
}

// Overwrites 4 bytes of a valid stream at `at`.
std::string Patched(std::string stream, std::size_t at, std::uint32_t value) {
  stream.replace(at, 4, Le32(value));
  return stream;
}

TEST(PropertySetParser, RefusesHeadersSectionsAndValuesOutsideTheStream) {
  std::string good = PropertySetBuilder().CodePage(932).Lpstr(2, "Title").Build();
  ASSERT_EQ(ReadSummaryProperties(good).code, kS_OK);
  // Section offset (at 44) past the end, section size (at 48) past the end
  // or under 8, property count (at 52) beyond the section.
  EXPECT_EQ(ReadSummaryProperties(Patched(good, 44, 0xFFFFFFF0)).code, kSTG_E_INVALIDHEADER);
  EXPECT_EQ(ReadSummaryProperties(Patched(good, 48, 0x7FFFFFFF)).code, kSTG_E_INVALIDHEADER);
  EXPECT_EQ(ReadSummaryProperties(Patched(good, 48, 4)).code, kSTG_E_INVALIDHEADER);
  EXPECT_EQ(ReadSummaryProperties(Patched(good, 52, 0xFFFFFFFF)).code, kSTG_E_INVALIDHEADER);
  // A value offset (second entry at 68) outside the section.
  EXPECT_EQ(ReadSummaryProperties(Patched(good, 68, 0xFFFFFFFC)).code, kSTG_E_INVALIDPOINTER);
  EXPECT_EQ(ReadSummaryProperties(Patched(good, 68, 4)).code, kSTG_E_INVALIDPOINTER);
  // A string count (value at 48 + 32: type, then count at +4) beyond the section.
  EXPECT_EQ(ReadSummaryProperties(Patched(good, 84, 0xFFFFFFFF)).code, kSTG_E_INVALIDPOINTER);
  // Byte order, version and section count.
  EXPECT_EQ(ReadSummaryProperties(Patched(good, 0, 0x0000FEFF)).code, kSTG_E_INVALIDHEADER);
  EXPECT_EQ(ReadSummaryProperties(Patched(good, 0, 0x0002FFFE)).code, kSTG_E_INVALIDHEADER);
  EXPECT_EQ(ReadSummaryProperties(Patched(good, 24, 0)).code, kSTG_E_INVALIDHEADER);
  // A huge section count ends at the stream's end instead of looping.
  EXPECT_EQ(ReadSummaryProperties(
                Patched(PropertySetBuilder().Fmtid(std::string(16, 'x')).Build(), 24, 0xFFFFFFFF))
                .code,
            kSTG_E_INVALIDHEADER);
}

TEST(PropertySetParser, EveryTruncationOfAValidSetGivesADefinedOutcome) {
  std::string good =
      PropertySetBuilder().CodePage(932).Lpstr(2, "Title").Lpwstr(3, u"W").FileTime(13, 42).Build();
  for (std::size_t n = 0; n < good.size(); ++n) {
    std::string cut = good.substr(0, n);  // its own buffer, so ASan sees any overread
    PropertySetReadResult r = ReadSummaryProperties(cut);
    if (n == 0) {
      EXPECT_EQ(r.code, kS_FALSE);
    } else {
      EXPECT_TRUE(Failed(r.code)) << "length " << n;
    }
  }
  // Section sizes are checked against the stream, so a set cut inside its
  // values fails too rather than reading what is missing.
  EXPECT_EQ(ReadSummaryProperties(good).code, kS_OK);
}

}  // namespace
}  // namespace catalogue
