// Tools in the real program under a window manager: a tool whose slot asks for
// it ends up always on top.

#include "tests/e2e/support/E2E.h"

#include <chrono>
#include <fstream>
#include <gtest/gtest.h>
#include <thread>

TEST(ToolsE2E, TopmostToolWindowIsKeptAbove) {
  WexInstall install;
  std::ofstream(install.dir() + "/Wex.ini", std::ios::binary)
      << "[tools]\r\ntool_1=window\r\nfile_1=" TOOL_WINDOW "\r\nTopmost_1=1\r\n";
  WexProcess wex(install);
  const std::string window = WaitForWindow("memo - Wex");
  ASSERT_FALSE(window.empty());
  const std::string tool = KeysUntilWindow(window, "--delay 200 alt+t Return", "wex-tool-window");
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
