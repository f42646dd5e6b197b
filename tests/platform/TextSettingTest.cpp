#include "platform/settings/TextSetting.h"

#include <gtest/gtest.h>

#include "platform/settings/IniFile.h"

namespace platform {
namespace {

constexpr const char* kSection = "fquillmark_wd";

std::string Stored(std::string_view text) {
  IniFile ini;
  WriteTextSetting(ini, kSection, "list_title", text);
  return ini.Text();
}

std::string RoundTrip(std::string_view text) {
  return ReadTextSetting(IniFile::Parse(Stored(text)), kSection, "list_title");
}

TEST(TextSetting, ATextCodePage932HoldsIsWrittenAsItAlwaysWas) {
  // 目録 in code page 932; the file is what a plain write gives, byte for byte.
  EXPECT_EQ(Stored("\xE7\x9B\xAE\xE9\x8C\xB2 2026"),
            "[fquillmark_wd]\r\nlist_title=\x96\xDA\x98\x5E 2026\r\n");
  EXPECT_EQ(Stored(""), "[fquillmark_wd]\r\nlist_title=\r\n");
  EXPECT_EQ(RoundTrip("\xE7\x9B\xAE\xE9\x8C\xB2 2026"), "\xE7\x9B\xAE\xE9\x8C\xB2 2026");
}

TEST(TextSetting, EveryOtherTextComesBackWholeBesideAStandInOlderReadersRead) {
  const std::string texts[] = {
      "Rapport \xC3\xA9 2026 \xE7\x9B\xAE\xE9\x8C\xB2",  // Rapport é 2026 目録
      "/home/u/\xE5\xA0\xB1\xE5\x91\x8A_\xEA\xB9\x80\xEB\xAF\xBC\xEC\x88\x98",  // 報告_김민수
      "\xF0\xA0\xAE\xB7",  // 𠮷, outside the BMP
      " blank at the start",
      "blank at the end ",
      "two\r\nlines",
      "100% \xC2\xA5",  // ¥
      "tab\there",
      "/tmp/a\r\n[fdataprint]\r\npdffolder=/x",  // must not add lines to the file
      "/tmp/\xE3\x80\x9C",                       // 〜 U+301C: code page 932 gives back ～
  };
  for (const std::string& text : texts) {
    EXPECT_EQ(RoundTrip(text), text) << text;
    IniFile ini = IniFile::Parse(Stored(text));
    // An older reader finds the key, with "?" for what code page 932 lacks.
    EXPECT_EQ(ini.ReadString(kSection, "list_title"), Cp932StandIn(text)) << text;
    EXPECT_EQ(ini.ReadString("fdataprint", "pdffolder"), std::nullopt);
  }
  EXPECT_EQ(Cp932StandIn("Rapport \xC3\xA9 2026 \xE7\x9B\xAE\xE9\x8C\xB2"),
            "Rapport ? 2026 \x96\xDA\x98\x5E");
  EXPECT_EQ(Cp932StandIn(" a\nb "), "a?b");
  // The whole form is printable ASCII, so the file stays code page 932.
  std::string whole = *IniFile::Parse(Stored(texts[1])).ReadString(kSection, "list_title.utf8");
  EXPECT_EQ(whole, "/home/u/%E5%A0%B1%E5%91%8A_%EA%B9%80%EB%AF%BC%EC%88%98");
}

TEST(TextSetting, AValueWrittenSinceByAProgramThatKnowsOnlyTheKeyWins) {
  IniFile ini;
  WriteTextSetting(ini, kSection, "list_folder", "/u/\xEA\xB9\x80");  // 김
  ini.WriteString(kSection, "list_folder", "/other");                 // the companion stays behind
  EXPECT_EQ(ReadTextSetting(ini, kSection, "list_folder"), "/other");
  // A text that fits again takes the companion away.
  WriteTextSetting(ini, kSection, "list_folder", "/u/\xEA\xB9\x80");
  WriteTextSetting(ini, kSection, "list_folder", "/plain");
  EXPECT_EQ(ini.ReadString(kSection, WholeTextKey("list_folder")), std::nullopt);
  EXPECT_EQ(ReadTextSetting(ini, kSection, "list_folder"), "/plain");
  // A companion that is not a whole text is passed over.
  for (const char* bad : {"%E", "%ZZx", "%FF%FE"}) {
    IniFile broken = IniFile::Parse(std::string("[fquillmark_wd]\r\nlist_folder=?\r\n") +
                                    "list_folder.utf8=" + bad + "\r\n");
    EXPECT_EQ(ReadTextSetting(broken, kSection, "list_folder"), "?") << bad;
  }
  EXPECT_EQ(ReadTextSetting(IniFile(), kSection, "missing"), "");
}

}  // namespace
}  // namespace platform
