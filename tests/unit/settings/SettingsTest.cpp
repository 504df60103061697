#include "settings/Settings.h"
#include "settings/SettingsFiles.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <set>

using namespace std::string_literals;

namespace {

std::set<std::string> Entries(const std::string& dir) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir))
    names.insert(entry.path().filename().string());
  return names;
}

TEST(Settings, ProgramDirectory) {
  const std::string dir = GetProgramDirectory();
  ASSERT_FALSE(dir.empty());
  EXPECT_NE(dir.back(), '/');
  struct stat self {
  }, found{};
  ASSERT_EQ(stat("/proc/self/exe", &self), 0);
  ASSERT_EQ(stat((dir + "/settings_test").c_str(), &found), 0);
  EXPECT_EQ(self.st_ino, found.st_ino);

  EXPECT_EQ(DirectoryPart("/wex"), "/");
  EXPECT_EQ(DirectoryPart("/usr/bin/wex"), "/usr/bin");
  EXPECT_EQ(DirectoryPart("//Wex.ini"), "/");
  std::string root = DirectoryPart("/wex");
  MakeSettingsPath(root, "Wex.ini");
  EXPECT_EQ(root.substr(0, 2), "//");
}

TEST(Settings, MissingFileReadsAsZeroAndEmpty) {
  TempDir dir;
  std::string path = dir.path();
  EXPECT_FALSE(MakeSettingsPath(path, "Wex.ini"));
  EXPECT_EQ(path, dir.file("Wex.ini"));
  EXPECT_EQ(ReadSettingInt(path, "setting", "Size"), 0);
  EXPECT_EQ(ReadSettingString(path, "setting", "DefaultExt", 64), "");
  EXPECT_EQ(ReadSettingInt(dir.file("nowhere/Wex.ini"), "setting", "Size"), 0);
}

TEST(Settings, FileNameWithoutCase) {
  TempDir dir;
  // Built before the file exists, by a component that spells it otherwise.
  std::string upper = dir.path();
  EXPECT_FALSE(MakeSettingsPath(upper, "WEX.ini"));

  WriteSettingInt(dir.file("Wex.ini"), "setting", "Sizex", 1024);
  EXPECT_EQ(ReadSettingInt(upper, "setting", "Sizex"), 1024);
  WriteSettingInt(upper, "setting", "Posx", -35);
  EXPECT_EQ(Entries(dir.path()), std::set<std::string>{"Wex.ini"});
  EXPECT_EQ(ReadSettingInt(dir.file("wex.INI"), "setting", "Posx"), -35);

  std::string again = dir.path();
  EXPECT_TRUE(MakeSettingsPath(again, "WEX.ini"));
  EXPECT_EQ(again, dir.file("Wex.ini"));
  EXPECT_EQ(ReadSettingString(again, "setting", "Sizex", 260), "1024");

  // A second spelling put there by hand: every component still meets one file.
  std::ofstream(dir.file("WEX.ini")) << "[setting]\nSizex=7\n";
  EXPECT_EQ(ReadSettingInt(dir.file("Wex.ini"), "setting", "Sizex"),
            ReadSettingInt(dir.file("WEX.ini"), "setting", "Sizex"));
  WriteSettingInt(dir.file("Wex.ini"), "setting", "Posy", 9);
  EXPECT_EQ(ReadSettingInt(dir.file("WEX.ini"), "setting", "Posy"), 9);
}

TEST(Settings, StringsCutAtSizeLessOne) {
  TempDir dir;
  const std::string path = dir.file("Wex.ini");
  WriteSettingString(path, "font", "FaceName", "\x82\x6C\x82\x72 Gothic");
  EXPECT_EQ(ReadSettingString(path, "font", "FaceName", 32), "\x82\x6C\x82\x72 Gothic");
  EXPECT_EQ(ReadSettingString(path, "font", "FaceName", 4), "\x82\x6C\x82");
  EXPECT_EQ(ReadSettingString(path, "font", "FaceName", 12), "\x82\x6C\x82\x72 Gothic");
  EXPECT_EQ(ReadSettingString(path, "font", "FaceName", 11), "\x82\x6C\x82\x72 Gothi");
  EXPECT_EQ(ReadSettingString(path, "font", "FaceName", 1), "");
  EXPECT_EQ(ReadSettingString(path, "font", "FaceName", 0), "");
  // The cut is the reader's: the stored value stays whole.
  EXPECT_EQ(ReadSettingString(path, "FONT", "facename", 260), "\x82\x6C\x82\x72 Gothic");
}

TEST(Settings, WriteOnDiskKeepsGarbageModeAndLeavesNoTemporaryFile) {
  TempDir dir;
  const std::string path = dir.file("WEX.ini");
  const std::string garbage = "\x00\x01garbage\n[setting]\nSize=1\nno equals\n\xFF\xFE\r\n"s;
  WriteBytes(path, garbage);
  ASSERT_EQ(chmod(path.c_str(), 0640), 0);

  WriteSettingInt(dir.file("Wex.ini"), "SETTING", "size", 3);
  std::string expected = garbage;
  expected.replace(expected.find("Size=1") + 5, 1, "3");
  EXPECT_EQ(ReadBytes(path), expected);
  EXPECT_EQ(ReadSettingInt(path, "setting", "Size"), 3);

  struct stat st {};
  ASSERT_EQ(stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  EXPECT_EQ(Entries(dir.path()), std::set<std::string>{"WEX.ini"});
}

TEST(Settings, UnwritableDirectoryIsIgnoredSilently) {
  TempDir temp;
  // Root writes through permissions; nothing can create a file in /proc/self.
  const bool root = geteuid() == 0;
  const std::string dir = root ? "/proc/self" : temp.path();
  if (!root) {
    ASSERT_EQ(chmod(dir.c_str(), 0555), 0);
  }

  testing::internal::CaptureStdout();
  testing::internal::CaptureStderr();
  BootstrapSettings(dir);
  WriteSettingInt(dir + "/Wex.ini", "setting", "Size", 2);
  const std::string out = testing::internal::GetCapturedStdout();
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(out, "");
  EXPECT_EQ(err, "");

  std::string path = dir;
  EXPECT_FALSE(MakeSettingsPath(path, "Wex.ini"));
  EXPECT_EQ(ReadSettingInt(path, "setting", "Size"), 0);
  EXPECT_EQ(ReadSettingInt(path, "setting", "Kanji_auto"), 0);
  EXPECT_EQ(ReadSettingString(path, "setting", "DefaultExt", 64), "");
  if (!root) {
    EXPECT_TRUE(Entries(dir).empty());
  }
}

TEST(Settings, UnreadableFileIsNeverReplaced) {
  TempDir dir;
  // A directory where the file should be: it cannot be read, so it is not rewritten.
  ASSERT_TRUE(std::filesystem::create_directory(dir.file("wex.ini")));
  WriteSettingInt(dir.file("Wex.ini"), "setting", "Size", 2);
  EXPECT_TRUE(std::filesystem::is_directory(dir.file("wex.ini")));
  EXPECT_EQ(Entries(dir.path()), std::set<std::string>{"wex.ini"});
}

TEST(Settings, TwoProcessesWritingAtOnceLoseNoKey) {
  TempDir dir;
  const std::string path = dir.file("Wex.ini");
  constexpr int kKeys = 500;
  pid_t children[2];
  for (int p = 0; p < 2; ++p) {
    children[p] = fork();
    ASSERT_GE(children[p], 0);
    if (children[p] == 0) {
      // One with each spelling: both must land in the same file.
      const std::string mine = dir.file(p == 0 ? "Wex.ini" : "WEX.ini");
      for (int k = 0; k < kKeys; ++k)
        WriteSettingInt(mine, "race", "p" + std::to_string(p) + "_" + std::to_string(k), k);
      _exit(0);
    }
  }
  for (pid_t child : children) {
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  EXPECT_EQ(Entries(dir.path()).size(), 1u);
  int lost = 0;
  for (int p = 0; p < 2; ++p)
    for (int k = 0; k < kKeys; ++k)
      lost += ReadSettingString(path, "race", "p" + std::to_string(p) + "_" + std::to_string(k),
                                16) != std::to_string(k);
  EXPECT_EQ(lost, 0);
}

}  // namespace
