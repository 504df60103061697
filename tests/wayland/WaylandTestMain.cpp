// The Wayland tests' own start: the toolkit on the compositor that with-weston
// started, and an X display that nobody serves, so that any use of X11 shows.

#include "platform/LargeBlocks.h"
#include "tests/support/UnansweredDialogs.h"
#include "tests/wayland/UnservedXDisplay.h"
#include "tests/wayland/WaylandTestMain.h"

#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {
UnservedXDisplay* g_xDisplay = nullptr;
}

const UnservedXDisplay& TheUnservedXDisplay() { return *g_xDisplay; }

int main(int argc, char** argv) {
  ReturnLargeBlocksToTheSystem();  // as the program does
  ::testing::InitGoogleTest(&argc, argv);
  UnservedXDisplay xDisplay;
  g_xDisplay = &xDisplay;
  ::setenv("DISPLAY", xDisplay.display().c_str(), 1);
  ::setenv("QT_QPA_PLATFORM", "wayland", 1);
  QApplication app(argc, argv);
  FailTestsOnUnansweredDialogs();
  return RUN_ALL_TESTS();
}
