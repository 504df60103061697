// A Wayland session with an X server beside it (run under with-xserver and
// with-weston): the program goes to the X server unless the user chose Wayland.

#include "platform/X11Window.h"
#include "tests/e2e/support/E2E.h"

#include <gtest/gtest.h>
#include <cstdlib>

namespace {

TEST(BothDisplaysE2E, TheWindowAppearsOnTheXServer) {
  ASSERT_NE(std::getenv("WAYLAND_DISPLAY"), nullptr);
  ASSERT_NE(std::getenv("DISPLAY"), nullptr);
  ASSERT_EQ(std::getenv("QT_QPA_PLATFORM"), nullptr);
  WexInstall install;
  WexProcess wex(install);
  const std::string window = WaitForWindow("memo - Wex");
  ASSERT_FALSE(window.empty()) << "no window on the X server";
  EXPECT_EQ(x11::WindowsOfProcess(wex.pid()),
            std::vector<x11::WindowId>{x11::WindowId(std::stoul(window))});
  // Where always on top works: the window manager sees it taken into the band.
  RunCommand("xdotool windowactivate --sync " + window + " key --delay 100 alt+v a");
  bool above = false;
  for (int i = 0; i < 50 && !above; ++i) {
    above = x11::IsAbove(x11::WindowId(std::stoul(window))).value_or(false);
    if (!above) RunCommand("sleep 0.1");
  }
  EXPECT_TRUE(above) << "always on top did not reach the window manager";
  EXPECT_EQ(CloseWindow(window, wex), 0);
}

TEST(BothDisplaysE2E, TheUsersChoiceOfWaylandStands) {
  WexInstall install;
  WexProcess wex(install, {"-platform", "wayland"});
  // On the compositor, where this test cannot see it: it runs and puts nothing on X.
  RunCommand("sleep 3");
  EXPECT_EQ(wex.Wait(0), -1) << "the program ended";
  EXPECT_TRUE(x11::WindowsOfProcess(wex.pid()).empty());
  EXPECT_EQ(WaitForWindow("memo - Wex", 0.5), "");
}

}  // namespace
