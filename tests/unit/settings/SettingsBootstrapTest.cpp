#include "settings/Settings.h"
#include "tests/support/Iconv.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

namespace {

std::string Cp932FromUtf8(const std::string& utf8) {
  const std::optional<std::string> cp932 = Convert(utf8, "CP932", "UTF-8");
  EXPECT_TRUE(cp932);
  return cp932.value_or(std::string());
}

TEST(Bootstrap, FilterIsTheShiftJisOfItsText) {
  EXPECT_EQ(DEFAULT_FILTER,
            Cp932FromUtf8("ﾃｷｽﾄ(*.txt)|*.txt|CGI(*.cgi)|*.cgi|HTML(*.html *.htm)|*.html;*.HTM|"
                          "すべてのﾌｧｲﾙ(*.*)|*.*||"));
}

TEST(Bootstrap, NewFileHoldsEveryDefaultInOrder) {
  TempDir dir;
  BootstrapSettings(dir.path());
  const std::string expected =
      "[setting]\r\n"
      "Size=1\r\n"
      "Sizex=640\r\n"
      "Sizey=480\r\n"
      "Posision=1\r\n"
      "Posx=0\r\n"
      "Posy=0\r\n"
      "Topmost=0\r\n"
      "Ime=0\r\n"
      "Kanji_auto=1\r\n"
      "DefaultExt=txt\r\n"
      "DefaultName=Memo\r\n"
      "Filter=" +
      std::string(DEFAULT_FILTER) +
      "\r\n"
      "LastDir=\r\n"
      "[font]\r\n"
      "Height=280\r\n"
      "CharSet=128\r\n"
      "FaceName=Terminal\r\n"
      "[tools]\r\n"
      "tool_1=\r\nfile_1=\r\nTopmost_1=\r\n"
      "tool_2=\r\nfile_2=\r\nTopmost_2=0\r\n"
      "tool_3=\r\nfile_3=\r\nTopmost_3=0\r\n"
      "tool_4=\r\nfile_4=\r\nTopmost_4=0\r\n"
      "tool_5=\r\nfile_5=\r\nTopmost_5=0\r\n"
      "tool_6=\r\nfile_6=\r\nTopmost_6=0\r\n";
  EXPECT_EQ(ReadBytes(dir.file("Wex.ini")), expected);  // spelled so when new

  std::string path = dir.path();
  ASSERT_TRUE(MakeSettingsPath(path, "Wex.ini"));
  EXPECT_EQ(ReadSettingInt(path, "tools", "Topmost_1"), 0);
  EXPECT_EQ(ReadSettingString(path, "setting", "Filter", 1024), DEFAULT_FILTER);

  // Runs once: a second start finds the file and leaves a changed value alone.
  WriteSettingInt(path, "setting", "Size", 3);
  BootstrapSettings(dir.path());
  EXPECT_EQ(ReadSettingInt(path, "setting", "Size"), 3);
}

TEST(Bootstrap, ExistingEmptyFileStaysEmpty) {
  TempDir dir;
  WriteBytes(dir.file("wex.ini"), "");
  BootstrapSettings(dir.path());
  EXPECT_EQ(ReadBytes(dir.file("wex.ini")), "");

  std::string path = dir.path();
  ASSERT_TRUE(MakeSettingsPath(path, "Wex.ini"));
  EXPECT_EQ(ReadSettingInt(path, "setting", "Size"), 0);
  EXPECT_EQ(ReadSettingInt(path, "setting", "Posision"), 0);
  EXPECT_EQ(ReadSettingInt(path, "setting", "Kanji_auto"), 0);
  EXPECT_EQ(ReadSettingString(path, "setting", "DefaultName", 260), "");
  EXPECT_EQ(ReadSettingString(path, "font", "FaceName", 32), "");
}

}  // namespace
