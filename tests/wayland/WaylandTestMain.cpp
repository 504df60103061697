// The Wayland tests' own start: the toolkit on the compositor that with-weston
// started, and an X display that nobody serves, so that any use of X11 shows.

#include "tests/wayland/WaylandTestMain.h"
#include "platform/LargeBlocks.h"
#include "tests/support/UnansweredDialogs.h"
#include "tests/wayland/UnservedXDisplay.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <cstdlib>

namespace {
UnservedXDisplay* g_xDisplay = nullptr;
}  // namespace

// For the sanitizer build: the toolkit's Wayland client keeps its protocol objects,
// and the graphics driver it sets up keeps some of its own, until the process ends.
// They are not the program's; its own leaks are checked by the offscreen GUI tests of
// the same code. The driver has no frame pointers: only a full unwind of each
// allocation reaches the toolkit's frames that the suppressions name.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libwayland-client.so\nleak:libQt6WaylandClient.so\n";
}
extern "C" const char* __asan_default_options() { return "fast_unwind_on_malloc=0"; }

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
