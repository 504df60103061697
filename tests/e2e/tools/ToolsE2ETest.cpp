// Tools in the real program under a window manager: a tool whose slot asks for
// it ends up always on top, whether or not its windows say whose they are; a
// tool that never comes up pins nothing; the editor stays responsive meanwhile.

#include "tests/e2e/support/Desktop.h"
#include "tests/e2e/support/E2E.h"

#include <gtest/gtest.h>
#include <chrono>
#include <fstream>
#include <functional>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

// Waits up to `seconds` for `window` to be always on top.
bool WaitUntilAbove(const std::string& window, double seconds) {
  const auto end = Clock::now() + std::chrono::duration<double>(seconds);
  while (!IsAbove(window)) {
    if (Clock::now() >= end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return true;
}

// An install whose tool slot 1 runs `commandLine` with "Topmost_1=1", the program
// started on `file` (none when empty), and its main window.
struct ToolSetup {
  explicit ToolSetup(const std::string& commandLine, const std::string& fileText = {}) {
    std::ofstream(install.dir() + "/Wex.ini", std::ios::binary)
        << "[tools]\r\ntool_1=tool\r\nfile_1=" << commandLine << "\r\nTopmost_1=1\r\n";
    std::vector<std::string> args;
    if (!fileText.empty()) {
      args.push_back(install.dir() + "/text.txt");
      std::ofstream(args.back(), std::ios::binary) << fileText;
    }
    wex = std::make_unique<WexProcess>(install, args);
    window = WaitForWindow(fileText.empty() ? "memo - Wex" : "text.txt - Wex");
  }
  // Chooses the first tool on the Tools menu.
  void StartTool() {
    RunCommand("xdotool windowactivate --sync " + window + " key --delay 200 alt+t Return");
  }
  // Starts the tool until a window titled `title` shows (keys sent before the
  // window manager has taken the editor in are lost); its id, or empty. `chosen`
  // is when the menu command that worked was given.
  std::string StartToolWithWindow(const std::string& title, Clock::time_point& chosen) {
    std::string tool;
    for (int attempt = 0; attempt < 3 && tool.empty(); ++attempt) {
      chosen = Clock::now();
      StartTool();
      tool = WaitForWindow(title, 5);
    }
    return tool;
  }

  // Checks that the editor itself was not raised, then closes the tool's window
  // and the editor.
  void CloseBothLeavingTheEditorUnpinned(const std::string& tool) {
    EXPECT_FALSE(IsAbove(window));
    RunCommand("xdotool windowclose " + tool + " 2>/dev/null");
    EXPECT_EQ(CloseWindow(window, *wex), 0);
  }

  WexInstall install;
  std::unique_ptr<WexProcess> wex;
  std::string window;
};

}  // namespace

TEST(ToolsE2E, TopmostToolWindowIsKeptAbove) {
  ToolSetup setup(TOOL_WINDOW);
  ASSERT_FALSE(setup.window.empty());
  Clock::time_point chosen;
  const std::string tool = setup.StartToolWithWindow("wex-tool-window", chosen);
  ASSERT_FALSE(tool.empty()) << "the tool did not start";
  EXPECT_TRUE(WaitUntilAbove(tool, 5));
  setup.CloseBothLeavingTheEditorUnpinned(tool);
}

TEST(ToolsE2E, AWindowWithoutItsProcessIdIsAboveWithinTwoSeconds) {
  // xmessage's window carries no _NET_WM_PID: it counts once it has the focus.
  ToolSetup setup("/usr/bin/xmessage -title wex-xmessage hello");
  ASSERT_FALSE(setup.window.empty());
  Clock::time_point chosen;
  const std::string tool = setup.StartToolWithWindow("wex-xmessage", chosen);
  ASSERT_FALSE(tool.empty()) << "the tool did not start";
  const double left = 2 - std::chrono::duration<double>(Clock::now() - chosen).count();
  EXPECT_TRUE(WaitUntilAbove(tool, left > 0 ? left : 0));
  setup.CloseBothLeavingTheEditorUnpinned(tool);
}

TEST(ToolsE2E, AToolThatEndsAtOncePinsNothing) {
  ToolSetup setup("/bin/true");
  ASSERT_FALSE(setup.window.empty());
  setup.StartTool();
  std::this_thread::sleep_for(std::chrono::milliseconds(1500));
  EXPECT_FALSE(IsAbove(setup.window));
  EXPECT_EQ(CloseWindow(setup.window, *setup.wex), 0);
}

TEST(ToolsE2E, TheEditorAnswersKeysWhileItWaitsForTheTool) {
  // A tool without a window that outlives the bound of the wait.
  ToolSetup setup("/bin/sleep 7", "apple");
  ASSERT_FALSE(setup.window.empty());
  // Ctrl+F opens the find dialog at once when the editor is not blocked.
  for (int attempt = 0; attempt < 3; ++attempt) {
    RunCommand("xdotool windowactivate --sync " + setup.window + " key ctrl+f");
    if (!WaitForWindow("検索", 2).empty()) break;
  }
  const std::string find = WaitForWindow("検索", 1);
  ASSERT_FALSE(find.empty()) << "the find dialog did not open";
  RunCommand("xdotool windowactivate --sync " + find + " key Escape");
  ASSERT_TRUE(RunCommand("xdotool search --onlyvisible --name '^検索$'").empty());

  setup.StartTool();
  const Clock::time_point pressed = Clock::now();
  RunCommand("xdotool key ctrl+f");
  EXPECT_FALSE(WaitForWindow("検索", 0.5).empty())
      << "no answer to a key " << std::chrono::duration<double>(Clock::now() - pressed).count()
      << " s after the tool started";
  // When the bound passes with the editor still active, it is not pinned.
  std::this_thread::sleep_for(std::chrono::milliseconds(5500));
  EXPECT_FALSE(IsAbove(setup.window));
  EXPECT_EQ(CloseWindow(setup.window, *setup.wex), 0);
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
    for (int i = 0;
         i < 50 && !RunCommand("xdotool search --onlyvisible --name '^wex-tool-window$'").empty();
         ++i)
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
