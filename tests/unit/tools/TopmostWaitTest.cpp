#include "tools/TopmostWait.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

// A desktop on which the tool's window appears, and takes the focus, after a
// number of looks.
class FakeDesktop : public DesktopWindows {
 public:
  static constexpr Window kEditor = 10, kTool = 20;
  static constexpr pid_t kEditorPid = 1000, kToolPid = 2000;

  int looksUntilWindow = 3;
  int looksUntilFocus = 2;
  std::vector<Window> raised;

  bool HasWindowOf(pid_t pid) override { return pid == kToolPid && --looksUntilWindow <= 0; }
  Window ActiveWindow() override {
    return looksUntilWindow <= 0 && --looksUntilFocus <= 0 ? kTool : kEditor;
  }
  pid_t OwnerOf(Window window) override { return window == kTool ? kToolPid : kEditorPid; }
  void SetAlwaysOnTop(Window window) override { raised.push_back(window); }
};

constexpr TopmostTiming kQuick{std::chrono::milliseconds(300), std::chrono::milliseconds(100),
                               std::chrono::milliseconds(1)};

TEST(TopmostWait, RaisesTheToolsWindowOnceItHasTheFocus) {
  FakeDesktop desktop;
  MakeActiveWindowTopmostWhenReady(FakeDesktop::kToolPid, [] { return false; }, desktop, kQuick);
  EXPECT_EQ(desktop.raised, std::vector<DesktopWindows::Window>{FakeDesktop::kTool});
}

TEST(TopmostWait, WithoutAWindowTheActiveWindowIsRaisedWhoeverOwnsIt) {
  // A program that ends without a window (a console program): no waiting for it.
  FakeDesktop ended;
  ended.looksUntilWindow = 1000;
  MakeActiveWindowTopmostWhenReady(FakeDesktop::kToolPid, [] { return true; }, ended, kQuick);
  EXPECT_EQ(ended.raised, std::vector<DesktopWindows::Window>{FakeDesktop::kEditor});

  // A program that never shows one: the wait ends at its bound.
  FakeDesktop silent;
  silent.looksUntilWindow = 1 << 30;
  MakeActiveWindowTopmostWhenReady(FakeDesktop::kToolPid, [] { return false; }, silent, kQuick);
  EXPECT_EQ(silent.raised, std::vector<DesktopWindows::Window>{FakeDesktop::kEditor});

  // A window that never gets the focus: the settle time ends the wait.
  FakeDesktop unfocused;
  unfocused.looksUntilFocus = 1 << 30;
  MakeActiveWindowTopmostWhenReady(FakeDesktop::kToolPid, [] { return false; }, unfocused, kQuick);
  EXPECT_EQ(unfocused.raised, std::vector<DesktopWindows::Window>{FakeDesktop::kEditor});
}

}  // namespace
