// The host side of the plug-in interface, against small plug-ins built for the test.

#include "plugin_host/PluginModule.h"
#include "plugin_host/PluginScan.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

const std::string kRoot = PLUGIN_ROOT;

const FoundPlugin* Find(const std::vector<FoundPlugin>& found, const std::string& file) {
  auto it = std::find_if(found.begin(), found.end(),
                         [&](const FoundPlugin& p) { return p.fileName == file; });
  return it == found.end() ? nullptr : &*it;
}

TEST(PluginScan, ListsAtMostTwentyFourInDirectoryOrder) {
  PluginModule holder;
  const std::vector<FoundPlugin> found = ScanPluginDirectory(kRoot + "/many", holder);
  ASSERT_EQ(found.size(), 24u);
  for (const FoundPlugin& p : found) EXPECT_EQ(p.name, p.fileName);
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
  ASSERT_NE(Find(found, "Long1100.wpi"), nullptr);
  EXPECT_EQ(Find(found, "Long1100.wpi")->name, std::string(1017, 'a'));
  EXPECT_TRUE(ScanPluginDirectory(kRoot + "/missing", holder).empty());
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

TEST(PluginTransform, RunsOrLeavesTheTextAlone) {
  PluginModule module;
  ASSERT_TRUE(module.Load(kRoot + "/odd/Upper.WPI"));
  EXPECT_EQ(RunPluginTransform(module, "abc\r\nx"), "ABC\r\nX");
  EXPECT_EQ(RunPluginTransform(module, ""), "");

  for (const char* file : {"NoSize.wpi", "Negative.wpi", "Refuses.wpi"}) {
    ASSERT_TRUE(module.Load(kRoot + "/odd/" + file));
    EXPECT_EQ(RunPluginTransform(module, "abc"), std::nullopt) << file;
  }
}

}  // namespace
