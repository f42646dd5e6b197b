#include "platform/settings/IniFile.h"

#include <gtest/gtest.h>

#include "platform/settings/WindowGeometry.h"
#include "tests/support/TempDir.h"

namespace platform {
namespace {

TEST(SettingsInteger, ReadsDecimalAndBothHexadecimalForms) {
  EXPECT_EQ(ParseSettingsInteger("120"), 120);
  EXPECT_EQ(ParseSettingsInteger("-40"), -40);
  EXPECT_EQ(ParseSettingsInteger(" 7 "), 7);
  EXPECT_EQ(ParseSettingsInteger("0x1F"), 31);
  EXPECT_EQ(ParseSettingsInteger("$ff"), 255);
  EXPECT_EQ(ParseSettingsInteger("$FFFFFFFF"), -1);  // the 32-bit pattern
  for (const char* bad : {"", "abc", "12px", "0x", "$", "1.5", "99999999999", "-", "0xG"}) {
    EXPECT_EQ(ParseSettingsInteger(bad), std::nullopt) << bad;
  }
}

TEST(IniFile, ReadsKeysCaseBlindWithDefaultsForMissingOrBadValues) {
  IniFile ini = IniFile::Parse("[FQuillmark_wd]\r\nTop=12\r\nleft=abc\r\n[other]\r\ntop=99\r\n");
  EXPECT_EQ(ini.ReadInteger("fquillmark_wd", "top", -1), 12);
  EXPECT_EQ(ini.ReadInteger("fquillmark_wd", "left", 5), 5);
  EXPECT_EQ(ini.ReadInteger("fquillmark_wd", "width", 800), 800);
  EXPECT_EQ(ini.ReadInteger("missing", "top", 3), 3);
  EXPECT_EQ(ini.ReadInteger("other", "top", 0), 99);
}

TEST(IniFile, WritingOneSectionKeepsEverythingElse) {
  std::string text =
      "; kept comment\r\n[fdataprint]\r\ntop=1\r\nzoom=80\r\n\r\n[fquillmark_wd]\r\nTOP=5\r\n"
      "custom=x\r\n";
  IniFile ini = IniFile::Parse(text);
  ini.WriteInteger("fquillmark_wd", "top", 40);
  ini.WriteInteger("fquillmark_wd", "left", 50);
  ini.WriteInteger("folder_select", "width", 799);
  EXPECT_EQ(
      ini.Text(),
      "; kept comment\r\n[fdataprint]\r\ntop=1\r\nzoom=80\r\n\r\n[fquillmark_wd]\r\nTOP=40\r\n"
      "custom=x\r\nleft=50\r\n[folder_select]\r\nwidth=799\r\n");
}

TEST(IniFile, AWriteThatWouldBreakALineIsRefusedAndChangesNothing) {
  std::string text = "[folder_select]\r\nlast_folder=/home/u/old\r\n";
  IniFile ini = IniFile::Parse(text);
  // A folder named so would otherwise add a section and key of its own.
  for (const char* value : {"/tmp/a\r\n[fdataprint]\r\npdffolder=/x", "/tmp/a\nb", "/tmp/a\rb"}) {
    EXPECT_FALSE(ini.WriteString("folder_select", "last_folder", value)) << value;
    EXPECT_FALSE(ini.WriteString("other", "last_folder", value)) << value;
  }
  EXPECT_FALSE(ini.WriteString("folder_select", "key\n[x]", "v"));
  EXPECT_FALSE(ini.WriteString("sec]\r\n[x", "key", "v"));
  EXPECT_EQ(ini.Text(), text);
  EXPECT_EQ(IniFile::Parse(ini.Text()).ReadString("fdataprint", "pdffolder"), std::nullopt);

  // Other bytes are kept as they are, code page 932 included.
  EXPECT_TRUE(ini.WriteString("folder_select", "last_folder", "/tmp/\x95\x5C\tx"));
  EXPECT_EQ(ini.ReadString("folder_select", "last_folder"), "/tmp/\x95\x5C\tx");
}

TEST(IniFile, SavesAndLoadsThroughAFile) {
  testsupport::TempDir dir;
  std::string path = dir.File("quillmark_wd.ini");
  EXPECT_EQ(IniFile::Load(path).Text(), "");  // missing: empty, no error
  SaveWindowGeometry(path, "fquillmark_wd", {10, 20, 300, 400});
  SaveWindowGeometry(path, "folder_select", {1, 2, 3, 4});
  IniFile ini = IniFile::Load(path);
  EXPECT_EQ(ini.ReadInteger("fquillmark_wd", "height", 0), 400);
  EXPECT_EQ(ini.ReadInteger("folder_select", "left", 0), 1);
}

TEST(WindowGeometry, DefaultsAndKeepsTheWindowReachable) {
  Rect work{0, 30, 1920, 1050};  // a panel above the work area
  EXPECT_EQ(ReadWindowGeometry(IniFile(), "w", work, 1272, 942), (Rect{0, 30, 1272, 942}));

  auto read = [&](const std::string& text) {
    return ReadWindowGeometry(IniFile::Parse("[w]\n" + text), "w", work, 800, 600);
  };
  // A window left on a monitor that is gone comes back to the left edge.
  EXPECT_EQ(read("left=5000\ntop=100").left, 0);
  EXPECT_EQ(read("left=1820\ntop=100").left, 1820);  // exactly right edge - 100 stays
  EXPECT_EQ(read("left=1821").left, 0);
  EXPECT_EQ(read("left=-300").left, 0);
  EXPECT_EQ(read("top=0").top, 30);     // above the work area
  EXPECT_EQ(read("top=980").top, 980);  // bottom - 100 stays
  EXPECT_EQ(read("top=981").top, 30);
  // Sizes are held to what the work area shows; too small or negative ones
  // take the designed size.
  EXPECT_EQ(read("width=5000\nheight=4000"), (Rect{0, 30, 1920, 1050}));
  EXPECT_EQ(read("width=2147483647\nheight=0x7fffffff"), (Rect{0, 30, 1920, 1050}));
  EXPECT_EQ(read("width=-20\nheight=99"), (Rect{0, 30, 800, 600}));
  EXPECT_EQ(read("width=100\nheight=1050"), (Rect{0, 30, 100, 1050}));
  EXPECT_EQ(ReadWindowGeometry(IniFile(), "w", Rect{0, 0, 640, 480}, 1272, 942),
            (Rect{0, 0, 640, 480}));  // a small screen: the designed size held too
}

TEST(WindowGeometry, OnASmallScreenTheWindowFillsTheWorkArea) {
  // 1024x768 with a panel, and a 1920x1080 screen at twice the scale.
  for (Rect work : {Rect{0, 27, 1024, 741}, Rect{0, 0, 960, 513}}) {
    EXPECT_EQ(ReadWindowGeometry(IniFile(), "w", work, 1272, 942), work);
    // A saved place and size that do not fit: the whole work area.
    IniFile saved = IniFile::Parse("[w]\nleft=300\ntop=200\nwidth=1272\nheight=942\n");
    EXPECT_EQ(ReadWindowGeometry(saved, "w", work, 1272, 942), work);
    // Only the side that does not fit moves to the edge.
    IniFile narrow = IniFile::Parse("[w]\nleft=300\ntop=100\nwidth=600\nheight=2000\n");
    EXPECT_EQ(ReadWindowGeometry(narrow, "w", work, 1272, 942),
              (Rect{300, work.top, 600, work.height}));
  }
  // A saved size that fits stays where it was saved.
  IniFile fits = IniFile::Parse("[w]\nleft=100\ntop=80\nwidth=700\nheight=500\n");
  EXPECT_EQ(ReadWindowGeometry(fits, "w", Rect{0, 27, 1024, 741}, 1272, 942),
            (Rect{100, 80, 700, 500}));
}

TEST(WindowGeometry, AShownFrameIsMovedAndIfNeedBeShrunkOntoTheWorkArea) {
  Rect work{0, 27, 1024, 741};
  // A frame that fits stays where it is.
  EXPECT_EQ(FitFrame({100, 80, 700, 500}, work, 110, 130), (Rect{100, 80, 700, 500}));
  // One that fits in size but starts too low and too far right (a place
  // ReadWindowGeometry lets stand) moves just back onto the work area.
  EXPECT_EQ(FitFrame({600, 500, 700, 500}, work, 110, 130), (Rect{324, 268, 700, 500}));
  // Left of and above the work area (a panel on the left and at the top).
  EXPECT_EQ(FitFrame({-50, 0, 700, 500}, Rect{40, 27, 984, 741}, 110, 130),
            (Rect{40, 27, 700, 500}));
  // A side larger than the work area's is shrunk to it and starts at its edge;
  // the other side only moves.
  EXPECT_EQ(FitFrame({300, 600, 1290, 500}, work, 110, 130), (Rect{0, 268, 1024, 500}));
  EXPECT_EQ(FitFrame({0, 27, 1024, 772}, work, 110, 130), (Rect{0, 27, 1024, 741}));
  // Never below the window's smallest size: then the top-left edge shows.
  EXPECT_EQ(FitFrame({300, 300, 1290, 900}, Rect{0, 0, 640, 480}, 700, 500),
            (Rect{0, 0, 700, 500}));
}

}  // namespace
}  // namespace platform
