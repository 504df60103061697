// The host side of the plug-in interface, against small plug-ins built for the test.

#include "plugin_host/PluginModule.h"
#include "plugin_host/PluginScan.h"
#include "tests/support/TempDir.h"
#include "tests/unit/plugin_host/DirectoryOrder.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>

namespace {

const std::string kRoot = PLUGIN_ROOT;

const FoundPlugin* Find(const std::vector<FoundPlugin>& found, const std::string& file) {
  auto it = std::find_if(found.begin(), found.end(),
                         [&](const FoundPlugin& p) { return p.fileName == file; });
  return it == found.end() ? nullptr : &*it;
}

// The new text of a plug-in run, or none when the text is to stay.
std::optional<std::string> Transformed(PluginModule& module, const std::string& text) {
  std::string result;
  if (RunPluginTransform(module, text, result) != PluginRun::Transformed) return std::nullopt;
  return result;
}

TEST(PluginScan, ListsAtMostTwentyFourInDirectoryOrder) {
  PluginModule holder;
  const std::vector<FoundPlugin> found = ScanPluginDirectory(kRoot + "/many", holder);
  const std::vector<std::string> listed = WpiEntriesInDirectoryOrder(kRoot + "/many", 24);
  ASSERT_EQ(found.size(), 24u);
  ASSERT_EQ(listed.size(), 24u);
  for (std::size_t i = 0; i < found.size(); ++i) {
    EXPECT_EQ(found[i].fileName, listed[i]) << "entry " << i;
    EXPECT_EQ(found[i].name, found[i].fileName);
  }
  // The last one listed stays loaded in the holder.
  char name[WPI_NAME_BUFFER_SIZE] = {};
  ASSERT_TRUE(holder.CallGetPluginName(name));
  EXPECT_EQ(name, found.back().name);
}

TEST(PluginScan, SkipsWhatCannotServeAsAPlugin) {
  PluginModule holder;
  const std::vector<FoundPlugin> found = ScanPluginDirectory(kRoot + "/odd", holder);
  EXPECT_NE(Find(found, "Upper.WPI"), nullptr);  // the extension in any case
  EXPECT_NE(Find(found, "NoSize.wpi"), nullptr);
  EXPECT_NE(Find(found, "Negative.wpi"), nullptr);
  EXPECT_EQ(Find(found, "NoName.wpi"), nullptr);
  EXPECT_EQ(Find(found, "x.wpi"), nullptr);
  EXPECT_EQ(Find(found, "text.wpi"), nullptr);
  EXPECT_EQ(Find(found, "notaplugin.so"), nullptr);
  ASSERT_NE(Find(found, "Long1017.wpi"), nullptr);
  EXPECT_EQ(Find(found, "Long1017.wpi")->name, std::string(1017, 'a'));
  // A name that fills the whole buffer is cut so that the menu suffix fits.
  ASSERT_NE(Find(found, "FullNameBuffer.wpi"), nullptr);
  EXPECT_EQ(Find(found, "FullNameBuffer.wpi")->name, std::string(1017, 'a'));
  EXPECT_EQ(Find(found, "Throws.wpi"), nullptr);  // its GetPluginName throws
  EXPECT_NE(Find(found, "ThrowsLate.wpi"), nullptr);
  EXPECT_TRUE(ScanPluginDirectory(kRoot + "/missing", holder).empty());
}

TEST(PluginScan, LaterDirectoriesFillUpAndNeverShadowAnEarlierName) {
  TempDir dir;
  const std::string& first = dir.path();
  std::filesystem::copy_file(kRoot + "/many/P1.wpi", first + "/P1.wpi");
  // A name the first directory holds, even one that does not load, is its own.
  std::ofstream(first + "/P2.wpi") << "not a library\n";

  PluginModule holder;
  const std::vector<std::string> directories{first, kRoot + "/many"};
  const std::vector<FoundPlugin> found = ScanPluginDirectories(directories, holder);
  ASSERT_EQ(found.size(), 24u);
  EXPECT_EQ(found[0].fileName, "P1.wpi");
  const auto isP1 = [](const FoundPlugin& p) { return p.fileName == "P1.wpi"; };
  EXPECT_EQ(std::count_if(found.begin(), found.end(), isP1), 1);
  EXPECT_EQ(Find(found, "P2.wpi"), nullptr);
  // Every name leads back to the file that was listed.
  EXPECT_EQ(FindPluginFile(directories, "P1.wpi"), first + "/P1.wpi");
  EXPECT_EQ(FindPluginFile(directories, "P3.wpi"), kRoot + "/many/P3.wpi");
  EXPECT_EQ(FindPluginFile(directories, "P99.wpi"), std::nullopt);
  // A missing directory contributes nothing.
  EXPECT_EQ(ScanPluginDirectories({kRoot + "/missing", first}, holder).size(), 1u);
}

TEST(PluginModule, CallsReportMissingExports) {
  PluginModule module;
  EXPECT_FALSE(module.Load(kRoot + "/odd/text.wpi"));
  EXPECT_EQ(module.CallGetSize("x"), -1);
  EXPECT_EQ(module.CallTransport(nullptr), -1);
  EXPECT_EQ(module.CallOption(7), 0);
  EXPECT_FALSE(module.CallGetPluginName(nullptr));

  ASSERT_TRUE(module.Load(kRoot + "/odd/NoSize.wpi"));
  EXPECT_EQ(module.CallGetSize("x"), -1);
  EXPECT_EQ(module.CallOption(7), 7);
  module.Unload();
  EXPECT_FALSE(module.IsLoaded());
}

TEST(PluginModule, ExceptionsOutOfAPluginCountAsFailedCalls) {
  PluginModule module;
  ASSERT_TRUE(module.Load(kRoot + "/odd/Throws.wpi"));
  char name[WPI_NAME_BUFFER_SIZE] = {};
  EXPECT_FALSE(module.CallGetPluginName(name));
  EXPECT_EQ(module.CallGetSize("abc"), -1);
  EXPECT_EQ(module.CallOption(7), 0);
  EXPECT_EQ(Transformed(module, "abc"), std::nullopt);

  ASSERT_TRUE(module.Load(kRoot + "/odd/ThrowsLate.wpi"));
  EXPECT_EQ(module.CallGetSize("abc"), 3);
  EXPECT_EQ(module.CallTransport(name), 0);
  EXPECT_EQ(module.CallOption(7), 0);
  EXPECT_EQ(Transformed(module, "abc"), std::nullopt);
}

TEST(PluginTransform, RunsOrLeavesTheTextAlone) {
  PluginModule module;
  ASSERT_TRUE(module.Load(kRoot + "/odd/Upper.WPI"));
  EXPECT_EQ(Transformed(module, "abc\r\nx"), "ABC\r\nX");
  EXPECT_EQ(Transformed(module, ""), "");

  for (const char* file : {"NoSize.wpi", "Negative.wpi", "Refuses.wpi"}) {
    ASSERT_TRUE(module.Load(kRoot + "/odd/" + file));
    EXPECT_EQ(Transformed(module, "abc"), std::nullopt) << file;
  }
}

TEST(PluginTransform, TextAfterTheFirstNulFollowsTheResult) {
  PluginModule module;
  ASSERT_TRUE(module.Load(kRoot + "/odd/Upper.WPI"));
  EXPECT_EQ(Transformed(module, std::string("ab\0cd\0", 6)), std::string("AB\0cd\0", 6));
  EXPECT_EQ(Transformed(module, std::string("\0x", 2)), std::string("\0x", 2));
}

TEST(PluginTransform, ResultWithoutANulInItsBufferIsRejected) {
  PluginModule module;
  // A Transport that says 1 but writes nothing, and one that fills the buffer.
  for (const char* file : {"Silent.wpi", "Unterminated.wpi"}) {
    ASSERT_TRUE(module.Load(kRoot + "/odd/" + file));
    std::string result = "untouched";
    EXPECT_EQ(RunPluginTransform(module, "abc", result), PluginRun::InvalidResult) << file;
    EXPECT_EQ(result, "untouched") << file;
  }
}

}  // namespace
