// Find, Find Next (F3) and Replace All in the real program, through its own
// find and replace dialogs; the saved file shows what was found and replaced.

#include "tests/e2e/support/Desktop.h"
#include "tests/e2e/support/E2E.h"

#include <gtest/gtest.h>

TEST(FindE2E, FindThenF3ThenReplaceAll) {
  WexInstall install;
  const std::string path = install.AddFile("a.txt", "abc abc abc");
  WexProcess wex(install, {path});
  const std::string window = WaitForMainWindow("a.txt - Wex");
  ASSERT_FALSE(window.empty());

  PressKeys(window, "ctrl+f");
  const std::string find = WaitForWindow("検索");
  ASSERT_FALSE(find.empty());
  TypeText(find, "abc");
  PressKeys(find, "Return Escape");  // finds the first, then closes the dialog
  PressKeys(window, "F3");           // the second
  TypeText(window, "X");             // typed over the found text
  PressKeys(window, "ctrl+s");
  EXPECT_EQ(WaitForBytes(path, "abc X abc"), "abc X abc");

  PressKeys(window, "ctrl+h");
  const std::string replace = WaitForWindow("置換");
  ASSERT_FALSE(replace.empty());
  PressKeys(replace, "alt+n ctrl+a");
  TypeText(replace, "abc");
  PressKeys(replace, "alt+p ctrl+a");
  TypeText(replace, "yz");
  PressKeys(replace, "alt+a Escape");
  PressKeys(window, "ctrl+s");
  EXPECT_EQ(WaitForBytes(path, "yz X yz"), "yz X yz");
  EXPECT_EQ(CloseWindow(window, wex), 0);
}
