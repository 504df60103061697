// More plug-ins than the menus take: the first 24 the directory lists, on both
// conversion menus, with the ids the view dispatches on.

#include "settings/Settings.h"
#include "tests/support/FreshSettings.h"
#include "tests/support/PlacedPlugins.h"
#include "tests/support/WexHarness.h"
#include "tests/unit/plugin_host/DirectoryOrder.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QMenu>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

constexpr int kPlugins = 25;

class PluginListTest : public FreshSettingsTest {
 protected:
  void SetUp() override {
    FreshSettingsTest::SetUp();
    for (int i = 1; i <= kPlugins; ++i)
      plugins_.Place((fs::path(TEST_PLUGIN_ROOT) / "many" / FileName(i)).string(), FileName(i));
  }

  PlacedPlugins plugins_;

  static std::string FileName(int i) { return "P" + std::to_string(i) + ".wpi"; }

  // The items appended to a pop-up: those after its last separator.
  static QList<QAction*> PluginItems(QMenu* popup) {
    QList<QAction*> items = popup->actions();
    for (qsizetype i = items.size(); i-- > 0;)
      if (items[i]->isSeparator()) return items.mid(i + 1);
    return items;
  }
};

TEST_F(PluginListTest, TwentyFiveGiveTheFirstTwentyFourListedWithTheirIds) {
  const std::vector<std::string> listed = WpiEntriesInDirectoryOrder(GetProgramDirectory(), 24);
  ASSERT_EQ(listed.size(), 24u) << "the test's directory holds other plug-ins";

  WexHarness wex;
  const QList<QAction*> runs = PluginItems(wex.frame().Popup(4));
  const QList<QAction*> options = PluginItems(wex.frame().Popup(5));
  ASSERT_EQ(runs.size(), 24);
  ASSERT_EQ(options.size(), 24);
  for (int i = 0; i < 24; ++i) {
    const std::string& file = listed[static_cast<std::size_t>(i)];
    EXPECT_EQ(std::string(wex.app().m_pluginFiles[i]), file) << "item " << i;
    // The test plug-ins call themselves by their file names.
    EXPECT_EQ(runs[i]->text().toStdString(), file);
    EXPECT_EQ(runs[i]->data().toInt(), i);
    EXPECT_EQ(options[i]->text().toStdString(), file + "の設定");
    EXPECT_EQ(options[i]->data().toInt(), 50 + i);
  }
}

}  // namespace
