// The real program in a real X server: it starts, creates its settings file
// before any window, shows "memo - Wex", and ends on a close.

#include "tests/e2e/support/E2E.h"

#include <gtest/gtest.h>

TEST(ShellE2E, StartsWithCaptionAndSettingsFile) {
  WexInstall install;
  ASSERT_TRUE(install.settingsPath().empty());
  WexProcess wex(install);
  const std::string window = WaitForWindow("memo - Wex");
  ASSERT_FALSE(window.empty()) << "no window titled \"memo - Wex\"";
  EXPECT_FALSE(install.settingsPath().empty());

  EXPECT_EQ(CloseWindow(window, wex), 0);
}
