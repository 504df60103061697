// The main window under a real window manager (openbox, 1024 x 768): where it
// appears, the rectangle it leaves at close, always on top as the window manager
// sees it, and the X11 calls the program relies on.

#include "platform/X11Window.h"
#include "settings/Settings.h"
#include "tests/e2e/support/Desktop.h"
#include "tests/e2e/support/E2E.h"

#include <gtest/gtest.h>
#include <QRect>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <chrono>
#include <functional>
#include <thread>

namespace {

struct Placement {
  int size, position, width, height, x, y;
};

void WriteSettings(const WexInstall& install, const Placement& p) {
  const std::string path = install.dir() + "/Wex.ini";
  WriteSettingInt(path, "setting", "Size", p.size);
  WriteSettingInt(path, "setting", "Posision", p.position);
  WriteSettingInt(path, "setting", "Sizex", p.width);
  WriteSettingInt(path, "setting", "Sizey", p.height);
  WriteSettingInt(path, "setting", "Posx", p.x);
  WriteSettingInt(path, "setting", "Posy", p.y);
}

int Setting(const WexInstall& install, const char* key) {
  return ReadSettingInt(install.settingsPath(), "setting", key);
}

bool WaitForAbove(const std::string& window, bool above) {
  for (int i = 0; i < 50 && IsAbove(window) != above; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  return IsAbove(window) == above;
}

int VisibleWindowsOf(const WexProcess& process) {
  const std::string ids = RunCommand("xdotool search --onlyvisible --pid " +
                                     std::to_string(process.pid()) + " 2>/dev/null");
  return ids.empty() ? 0 : static_cast<int>(std::count(ids.begin(), ids.end(), '\n')) + 1;
}

bool WaitForVisibleWindows(const WexProcess& process, int count) {
  for (int i = 0; i < 50 && VisibleWindowsOf(process) != count; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  return VisibleWindowsOf(process) == count;
}

// Chooses "常に手前に表示(&A)" on the View menu with the keyboard. The menu is a
// window of its own: the item is chosen once it shows, so no key lands in the text.
void ChooseAlwaysOnTop(const std::string& window, const WexProcess& process) {
  RunCommand("xdotool windowactivate --sync " + window + " 2>/dev/null");
  RunCommand("xdotool key alt+v");
  ASSERT_TRUE(WaitForVisibleWindows(process, 2)) << "the View menu did not open";
  RunCommand("xdotool key a");
  ASSERT_TRUE(WaitForVisibleWindows(process, 1)) << "the View menu did not close";
}

TEST(FrameE2E, AppearsWhereThePlacementSays) {
  const struct {
    Placement stored;
    QRect expected;
  } cases[] = {
      {{0, 0, 0, 0, 0, 0}, QRect(192, 144, 640, 480)},
      {{2, 2, 500, 300, 100, 50}, QRect(100, 50, 500, 300)},
      {{2, 0, 1200, 600, 0, 0}, QRect(-88, 84, 1200, 600)},
  };
  for (const auto& c : cases) {
    WexInstall install;
    WriteSettings(install, c.stored);
    WexProcess wex(install);
    const std::string window = WaitForWindow("memo - Wex");
    ASSERT_FALSE(window.empty());
    EXPECT_EQ(WaitForOuterRect(window, c.expected), c.expected)
        << c.stored.size << "/" << c.stored.position;
    EXPECT_EQ(CloseWindow(window, wex), 0);
  }
}

TEST(FrameE2E, PositionOffTheScreenIsLeftToTheWindowManager) {
  WexInstall install;
  WriteSettings(install, {2, 3, 400, 300, 5000, 100});
  WexProcess wex(install);
  const std::string window = WaitForWindow("memo - Wex");
  ASSERT_FALSE(window.empty());
  const QRect rect =
      WaitForOuterRect(window, [](const QRect& r) { return r.size() == QSize(400, 300); });
  EXPECT_EQ(rect.size(), QSize(400, 300));
  EXPECT_TRUE(QRect(0, 0, 1024, 768).contains(rect.topLeft())) << rect.x() << "," << rect.y();
  EXPECT_EQ(CloseWindow(window, wex), 0);
}

TEST(FrameE2E, CloseInModeTwoWritesTheOuterRectangle) {
  WexInstall install;
  WriteSettings(install, {2, 2, 520, 340, 60, 70});
  WexProcess wex(install);
  const std::string window = WaitForWindow("memo - Wex");
  ASSERT_FALSE(window.empty());
  ASSERT_EQ(WaitForOuterRect(window, QRect(60, 70, 520, 340)), QRect(60, 70, 520, 340));
  RunCommand("xdotool windowsize " + window + " 450 260");
  RunCommand("xdotool windowmove " + window + " 230 180");
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  const QRect moved = OuterRect(window);
  ASSERT_NE(moved, QRect(60, 70, 520, 340));
  EXPECT_EQ(CloseWindow(window, wex), 0);
  EXPECT_EQ(QRect(Setting(install, "Posx"), Setting(install, "Posy"), Setting(install, "Sizex"),
                  Setting(install, "Sizey")),
            moved);

  // Started again, it comes back exactly there.
  WexProcess again(install);
  const std::string second = WaitForWindow("memo - Wex");
  ASSERT_FALSE(second.empty());
  EXPECT_EQ(WaitForOuterRect(second, moved), moved);
  EXPECT_EQ(CloseWindow(second, again), 0);
}

TEST(FrameE2E, AlwaysOnTopIsTheWindowManagersStateBothWays) {
  WexInstall install;
  WriteSettings(install, {0, 0, 0, 0, 0, 0});
  WexProcess wex(install);
  const std::string window = WaitForWindow("memo - Wex");
  ASSERT_FALSE(window.empty());
  const QRect where = WaitForOuterRect(window, QRect(192, 144, 640, 480));
  EXPECT_FALSE(IsAbove(window));

  ChooseAlwaysOnTop(window, wex);
  EXPECT_TRUE(WaitForAbove(window, true));
  EXPECT_EQ(OuterRect(window), where);
  ChooseAlwaysOnTop(window, wex);
  EXPECT_TRUE(WaitForAbove(window, false));

  // Another program puts it on top: the menu shows it, so the command takes it off.
  const x11::WindowId id = static_cast<x11::WindowId>(std::stoul(window));
  ASSERT_TRUE(x11::SetAbove(id, true));
  ASSERT_TRUE(WaitForAbove(window, true));
  ChooseAlwaysOnTop(window, wex);
  EXPECT_TRUE(WaitForAbove(window, false));
  EXPECT_EQ(OuterRect(window), where);
  EXPECT_EQ(CloseWindow(window, wex), 0);
}

TEST(FrameE2E, X11CallsSeeTheProgramsWindowAndTheLockKeys) {
  ASSERT_TRUE(x11::Available());
  WexInstall install;
  WexProcess wex(install);
  const std::string window = WaitForWindow("memo - Wex");
  ASSERT_FALSE(window.empty());
  const x11::WindowId id = static_cast<x11::WindowId>(std::stoul(window));
  EXPECT_EQ(x11::WindowsOfProcess(wex.pid()), std::vector<x11::WindowId>{id});
  EXPECT_TRUE(x11::WindowsOfProcess(wex.pid() + 100000).empty());
  RunCommand("xdotool windowactivate --sync " + window);
  EXPECT_EQ(x11::ActiveWindow(), id);
  EXPECT_EQ(x11::IsAbove(id), false);

  const std::optional<x11::LockIndicators> before = x11::ReadLockIndicators();
  ASSERT_TRUE(before);
  RunCommand("xdotool key Caps_Lock");
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  const std::optional<x11::LockIndicators> after = x11::ReadLockIndicators();
  ASSERT_TRUE(after);
  EXPECT_NE(after->caps, before->caps);
  EXPECT_EQ(after->num, before->num);
  RunCommand("xdotool key Caps_Lock");
  EXPECT_EQ(CloseWindow(window, wex), 0);
}

}  // namespace
