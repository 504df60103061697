// The options dialog in the real program, used from the keyboard: a size chosen
// there is the window's size at the next start.

#include "tests/e2e/support/E2E.h"
#include "tests/support/Files.h"

#include <gtest/gtest.h>

namespace {

// Waits for the editor's window (into `window`) and opens the options dialog
// from its View menu; the dialog's id, or empty.
std::string OpenOptionsDialog(std::string& window) {
  window = WaitForWindow("memo - Wex");
  if (window.empty()) return {};
  return KeysUntilWindow(window, "--delay 100 alt+v o", "Wex-オプション");
}

}  // namespace

TEST(OptionsE2E, FixedSizeChosenInTheDialogIsUsedAtTheNextStart) {
  WexInstall install;
  {
    WexProcess wex(install);
    std::string window;
    const std::string dialog = OpenOptionsDialog(window);
    ASSERT_FALSE(dialog.empty()) << "the options dialog did not open";
    // OK has the focus; two tabs reach the checked size "てきとー", two downs
    // "指定", then the width and height fields; Return is OK.
    RunCommand("xdotool windowactivate --sync " + dialog +
               " key --delay 100 Tab Tab Down Down Tab type 800");
    RunCommand("xdotool key --delay 100 Tab type 600");
    RunCommand("xdotool key --delay 100 Return");
    std::string settings;
    for (int i = 0; i < 30 && settings.find("Sizey=600") == std::string::npos; ++i) {
      RunCommand("sleep 0.1");
      settings = ReadBytes(install.settingsPath());
    }
    EXPECT_NE(settings.find("\nSize=3\r\nSizex=800\r\nSizey=600\r\n"), std::string::npos)
        << settings;
    EXPECT_EQ(CloseWindow(window, wex), 0);
  }
  WexProcess again(install);
  const std::string window = WaitForWindow("memo - Wex");
  ASSERT_FALSE(window.empty());
  // The stored size is the outer size, frame included, as a close stores it.
  const QSize expected(800, 600);
  EXPECT_EQ(WaitForOuterRect(window, [&](const QRect& r) { return r.size() == expected; }).size(),
            expected);
  EXPECT_EQ(CloseWindow(window, again), 0);
}

TEST(OptionsE2E, EnterOnTheFocusedCancelWritesNothing) {
  WexInstall install;
  WexProcess wex(install);
  std::string window;
  const std::string dialog = OpenOptionsDialog(window);
  ASSERT_FALSE(dialog.empty()) << "the options dialog did not open";
  const std::string before = ReadBytes(install.settingsPath());
  // OK has the focus; a change in the size group, then back to Cancel and Enter.
  RunCommand("xdotool windowactivate --sync " + dialog + " key --delay 100 Tab Tab Down Tab");
  RunCommand("xdotool key --delay 100 shift+Tab shift+Tab Return");
  const std::string search = "xdotool search --onlyvisible --name '^Wex-オプション$'";
  for (int i = 0; i < 30 && !RunCommand(search).empty(); ++i) RunCommand("sleep 0.1");
  EXPECT_TRUE(RunCommand(search).empty()) << "the dialog is still open";
  EXPECT_EQ(ReadBytes(install.settingsPath()), before);
  EXPECT_EQ(CloseWindow(window, wex), 0);
}
