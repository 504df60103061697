#include "platform/LargeBlocks.h"
#include "tests/support/UnansweredDialogs.h"

#include <gtest/gtest.h>
#include <QApplication>

int main(int argc, char** argv) {
  ReturnLargeBlocksToTheSystem();  // as the program does, so memory limits act alike
  ::testing::InitGoogleTest(&argc, argv);
  // Listing the tests (CTest's discovery) happens without a display.
  if (qEnvironmentVariableIsEmpty("DISPLAY")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  FailTestsOnUnansweredDialogs();
  return RUN_ALL_TESTS();
}
