// The keyboard in the real program: accelerators that follow their commands'
// state at the moment of the key, and Enter on the focused dialog button.

#include "tests/e2e/support/E2E.h"

#include <chrono>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <thread>

namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string WaitForFile(const std::string& path, const std::string& expected) {
  std::string bytes;
  for (int i = 0; i < 50 && bytes != expected; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    bytes = ReadFile(path);
  }
  return bytes;
}

void Keys(const std::string& window, const std::string& keys) {
  RunCommand("xdotool windowactivate --sync " + window + " key --delay 150 " + keys);
}

}  // namespace

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
    Keys(window, "alt+e");
    if (!RunCommand("xdotool search --onlyvisible --class wex | grep -v " + window).empty()) break;
  }
  // An empty document: Find is disabled, in the menu and for the key.
  Keys(window, "Escape Escape ctrl+f");
  EXPECT_TRUE(WaitForWindow("検索", 1.5).empty()) << "Find opened on an empty document";

  RunCommand("xdotool type --delay 50 'apple apple'");
  Keys(window, "ctrl+Home ctrl+f");
  const std::string find = WaitForWindow("検索", 5);
  ASSERT_FALSE(find.empty()) << "Ctrl+F did not open the find dialog";
  RunCommand("xdotool type --delay 50 apple");
  Keys(find, "Return Escape");
  Keys(window, "ctrl+h");
  const std::string replace = WaitForWindow("置換", 5);
  ASSERT_FALSE(replace.empty()) << "Ctrl+H did not open the replace dialog";
  Keys(replace, "Escape");
  // F3 goes on to the second "apple"; typing replaces it.
  Keys(window, "F3 X ctrl+s");
  EXPECT_EQ(WaitForFile(file, "apple X"), "apple X");
  EXPECT_EQ(CloseWindow(window, wex), 0);
}
