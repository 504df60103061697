// The keyboard in the real program: accelerators that follow their commands'
// state at the moment of the key, and Enter on the focused dialog button.

#include "tests/e2e/support/Desktop.h"
#include "tests/e2e/support/E2E.h"

#include <gtest/gtest.h>
#include <fstream>

namespace {}  // namespace

TEST(KeyboardE2E, ShortcutsFollowTheCommandsStateAfterAMenuWasShown) {
  WexInstall install;
  const std::string file = install.dir() + "/fruit.txt";
  std::ofstream(file, std::ios::binary).flush();
  WexProcess wex(install, {file});
  const std::string window = WaitForWindow("fruit.txt - Wex");
  ASSERT_FALSE(window.empty());
  // The first keys may come before the window manager has taken the window in:
  // the Edit menu is opened until it shows.
  for (int attempt = 0; attempt < 3; ++attempt) {
    PressKeys(window, "alt+e", 150);
    if (!RunCommand("xdotool search --onlyvisible --class wex | grep -v " + window).empty()) break;
  }
  // An empty document: Find is disabled, in the menu and for the key.
  PressKeys(window, "Escape Escape ctrl+f", 150);
  EXPECT_TRUE(WaitForWindow("検索", 1.5).empty()) << "Find opened on an empty document";

  RunCommand("xdotool type --delay 50 'apple apple'");
  PressKeys(window, "ctrl+Home ctrl+f", 150);
  const std::string find = WaitForWindow("検索", 5);
  ASSERT_FALSE(find.empty()) << "Ctrl+F did not open the find dialog";
  RunCommand("xdotool type --delay 50 apple");
  PressKeys(find, "Return Escape", 150);
  PressKeys(window, "ctrl+h", 150);
  const std::string replace = WaitForWindow("置換", 5);
  ASSERT_FALSE(replace.empty()) << "Ctrl+H did not open the replace dialog";
  PressKeys(replace, "Escape", 150);
  // F3 goes on to the second "apple"; typing replaces it.
  PressKeys(window, "F3 X ctrl+s", 150);
  EXPECT_EQ(WaitForBytes(file, "apple X"), "apple X");
  EXPECT_EQ(CloseWindow(window, wex), 0);
}
