#include "tools/TopmostWait.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

using Window = DesktopWindows::Window;
using Clock = TopmostWait::Clock;

// A desktop on which, after a number of looks, the tool maps a window that may
// or may not say whose it is, and the window manager may give it the focus.
class FakeDesktop : public DesktopWindows {
 public:
  static constexpr Window kEditor = 10, kEditorDialog = 11, kTool = 20;
  static constexpr pid_t kEditorPid = 1000, kToolPid = 2000;

  int looksUntilMapped = 3;
  bool toolSaysItsPid = true;
  bool toolTakesFocus = false;
  Window activeAfterMap = 0;  // what becomes active when the tool maps (0: nothing changes)
  std::vector<Window> raised;

  Window WindowOf(pid_t pid) override {
    --looksUntilMapped;
    return pid == kToolPid && mapped() && toolSaysItsPid ? kTool : 0;
  }
  Window ActiveWindow() override {
    if (mapped() && toolTakesFocus) return kTool;
    return mapped() && activeAfterMap ? activeAfterMap : kEditor;
  }
  pid_t OwnerOf(Window window) override {
    if (window == kTool) return toolSaysItsPid ? kToolPid : -1;
    return kEditorPid;
  }
  void SetAlwaysOnTop(Window window) override { raised.push_back(window); }

 private:
  bool mapped() const { return looksUntilMapped <= 0; }
};

constexpr std::chrono::milliseconds kBound(5000);

// Looks every 50 ms of a simulated clock until the wait ends; how long it took.
std::chrono::milliseconds RunWait(FakeDesktop& desktop, const std::function<bool()>& hasExited) {
  const Clock::time_point start{};
  TopmostWait wait(FakeDesktop::kToolPid, FakeDesktop::kEditorPid, hasExited, desktop, start,
                   kBound);
  Clock::time_point now = start;
  while (!wait.Look(now) && now < start + 2 * kBound) now += std::chrono::milliseconds(50);
  return std::chrono::duration_cast<std::chrono::milliseconds>(now - start);
}

const auto kRunning = [] { return false; };

TEST(TopmostWait, TheToolsOwnWindowIsRaisedAsSoonAsItIsMapped) {
  FakeDesktop desktop;  // mapped, but the focus stays with the editor
  EXPECT_EQ(RunWait(desktop, kRunning), std::chrono::milliseconds(100));
  EXPECT_EQ(desktop.raised, std::vector<Window>{FakeDesktop::kTool});
}

TEST(TopmostWait, AWindowThatDoesNotSayWhoseItIsCountsOnceItIsActive) {
  FakeDesktop desktop;
  desktop.toolSaysItsPid = false;
  desktop.toolTakesFocus = true;
  EXPECT_LT(RunWait(desktop, kRunning), std::chrono::milliseconds(500));
  EXPECT_EQ(desktop.raised, std::vector<Window>{FakeDesktop::kTool});

  // One of the editor's own windows becoming active is not the tool.
  FakeDesktop dialog;
  dialog.toolSaysItsPid = false;
  dialog.activeAfterMap = FakeDesktop::kEditorDialog;
  EXPECT_EQ(RunWait(dialog, kRunning), kBound);
  EXPECT_TRUE(dialog.raised.empty());
}

TEST(TopmostWait, NothingIsPinnedWhenTheToolNeverShowsOrEndsFirst) {
  // The bound passes with the editor still active: the editor stays as it was.
  FakeDesktop silent;
  silent.looksUntilMapped = 1 << 30;
  EXPECT_EQ(RunWait(silent, kRunning), kBound);
  EXPECT_TRUE(silent.raised.empty());

  // A tool that ends before it is ready (a console program) is no reason to wait.
  FakeDesktop ended;
  EXPECT_EQ(RunWait(ended, [] { return true; }), std::chrono::milliseconds(0));
  EXPECT_TRUE(ended.raised.empty());
}

}  // namespace
