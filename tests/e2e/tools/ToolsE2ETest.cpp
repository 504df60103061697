// Tools in the real program under a window manager: started from the menu and
// from the toolbar, kept on top only when the slot asks for it; an empty slot's
// button opens the tools dialog.

#include "tests/e2e/support/Desktop.h"
#include "tests/e2e/support/E2E.h"

#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <thread>

TEST(ToolsE2E, TopmostToolWindowIsKeptAbove) {
  WexInstall install;
  install.WriteSettings("[tools]\r\ntool_1=window\r\nfile_1=" TOOL_WINDOW "\r\nTopmost_1=1\r\n");
  WexProcess wex(install);
  const std::string window = WaitForWindow("memo - Wex");
  ASSERT_FALSE(window.empty());
  // Keys sent before the window manager has taken the window in are lost, so the
  // menu is tried again while no tool window shows.
  std::string tool;
  for (int attempt = 0; attempt < 3 && tool.empty(); ++attempt) {
    RunCommand("xdotool windowactivate --sync " + window + " key --delay 200 alt+t Return");
    tool = WaitForWindow("wex-tool-window", 5);
  }
  ASSERT_FALSE(tool.empty()) << "the tool did not start";
  std::string state;
  for (int i = 0; i < 50 && state.find("_NET_WM_STATE_ABOVE") == std::string::npos; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    state = RunCommand("xprop -id " + tool + " _NET_WM_STATE");
  }
  EXPECT_NE(state.find("_NET_WM_STATE_ABOVE"), std::string::npos) << state;
  // The editor itself was not raised.
  EXPECT_EQ(RunCommand("xprop -id " + window + " _NET_WM_STATE").find("ABOVE"), std::string::npos);
  RunCommand("xdotool windowclose " + tool + " 2>/dev/null");
  EXPECT_EQ(CloseWindow(window, wex), 0);
}

// Where tool button `slot` (1 to 6) sits in the main window's client area: after
// the standard buttons of the toolbar, 23 to 24 pixels apart.
int ToolButtonX(int slot) { return 229 + (slot - 1) * 47 / 2; }
constexpr int kToolButtonY = 37;

TEST(ToolsE2E, ToolStartsFromTheMenuAndFromItsButtonWithoutTopmost) {
  WexInstall install;
  install.WriteSettings("[tools]\r\ntool_1=window\r\nfile_1=" TOOL_WINDOW "\r\nTopmost_1=0\r\n");
  WexProcess wex(install);
  const std::string window = WaitForMainWindow("memo - Wex");
  ASSERT_FALSE(window.empty());
  const std::function<void()> starts[] = {
      [&] { PressKeys(window, "alt+t Return"); },
      [&] { ClickAt(window, ToolButtonX(1), kToolButtonY); },
  };
  for (const auto& start : starts) {
    start();
    const std::string tool = WaitForWindow("wex-tool-window");
    ASSERT_FALSE(tool.empty()) << "the tool did not start";
    std::this_thread::sleep_for(std::chrono::seconds(1));  // time to be put on top, were it wrongly
    EXPECT_FALSE(IsAbove(tool));
    PressKeys(tool, "alt+F4");
    for (int i = 0; i < 50 && !RunCommand("xdotool search --onlyvisible --name '^wex-tool-window$'").empty(); ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  // Slot 2 has no program: its button opens the tools dialog.
  ClickAt(window, ToolButtonX(2), kToolButtonY);
  const std::optional<ShownDialog> dialog = wex.WaitForDialog("ツールの設定");
  ASSERT_TRUE(dialog);
  EXPECT_EQ(TransientFor(dialog->window), window);
  PressKeys(dialog->window, "Escape");
  EXPECT_EQ(CloseWindow(window, wex), 0);
}
