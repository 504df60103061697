#include "settings/SettingsDirectory.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsKeys.h"
#include "tests/support/Files.h"

#include <gtest/gtest.h>

#include <strings.h>
#include <filesystem>
#include <set>

namespace {

namespace fs = std::filesystem;

// The names in the settings directory that are the settings file in some case.
std::set<std::string> SettingsFileSpellings() {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(GetSettingsDirectory())) {
    const std::string name = entry.path().filename().string();
    if (::strcasecmp(name.c_str(), kSettingsFileName) == 0) names.insert(name);
  }
  return names;
}

void RemoveSettingsFiles() {
  for (const std::string& name : SettingsFileSpellings())
    fs::remove(GetSettingsDirectory() + "/" + name);
}

class SettingsFileTest : public ::testing::Test {
 protected:
  void SetUp() override { RemoveSettingsFiles(); }
  void TearDown() override { RemoveSettingsFiles(); }
};

TEST_F(SettingsFileTest, AFileSpelledInAnotherCaseIsTheOneReadAndWritten) {
  const std::string upper = GetSettingsDirectory() + "/WEX.ini";
  WriteBytes(upper, "[setting]\r\nSize=2\r\n");
  SettingsFile settings = SettingsFile::InSettingsDirectory();
  EXPECT_EQ(settings.ReadInt(section::kSetting, key::kSize), 2);
  settings.WriteInt(section::kFont, key::kHeight, 300);
  EXPECT_EQ(SettingsFileSpellings(), std::set<std::string>{"WEX.ini"});
  EXPECT_EQ(ReadBytes(upper), "[setting]\r\nSize=2\r\n[font]\r\nHeight=300\r\n");
}

TEST_F(SettingsFileTest, EveryHolderSeesAnotherOnesWriteAtOnce) {
  SettingsFile frame = SettingsFile::InSettingsDirectory();
  SettingsFile plugin = SettingsFile::InSettingsDirectory();
  EXPECT_EQ(frame.ReadString(section::kSetting, key::kLastDir, 16), "");
  plugin.WriteString(section::kSetting, key::kLastDir, "/home");
  EXPECT_EQ(frame.ReadString(section::kSetting, key::kLastDir, 16), "/home");
  frame.WriteInt(section::kMarkwell, key::kTemplate, 4);
  EXPECT_EQ(plugin.ReadInt(section::kMarkwell, key::kTemplate), 4);
  // Made before the file existed, both now name the new file, spelled as new files are.
  EXPECT_EQ(SettingsFileSpellings(), std::set<std::string>{kSettingsFileName});
}

}  // namespace
