// The real program in a real X server meets a FIFO: the Open command says what
// it is at once, and the editor goes on answering keys.

#include "tests/e2e/support/E2E.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <chrono>
#include <cstdlib>
#include <filesystem>

TEST(FilesE2E, OpeningAFifoSaysSoAndTheEditorStillAnswers) {
  TempDir dir;
  const std::string fifo = dir.file("pipe");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
  WexInstall install;
  WexProcess wex(install);
  const std::string window = WaitForWindow("memo - Wex");
  ASSERT_FALSE(window.empty());

  std::string dialog = KeysUntilWindow(window, "ctrl+o", "開く");
  ASSERT_FALSE(dialog.empty()) << "the Open dialog did not open";
  RunCommand("xdotool windowactivate --sync " + dialog + " type --delay 20 '" + fifo + "'");
  RunCommand("xdotool key Return");
  const std::string message = WaitForWindow("WEX", 5);
  ASSERT_FALSE(message.empty()) << "no message about the FIFO: the editor waits for a writer";
  RunCommand("xdotool windowactivate --sync " + message + " key Return");

  // The window answers a key within a second: Ctrl+O opens the dialog again.
  const auto asked = std::chrono::steady_clock::now();
  RunCommand("xdotool windowactivate --sync " + window + " key ctrl+o");
  dialog = WaitForWindow("開く", 1);
  EXPECT_FALSE(dialog.empty()) << "the editor did not answer Ctrl+O within a second";
  EXPECT_LT(std::chrono::steady_clock::now() - asked, std::chrono::seconds(2));
  if (!dialog.empty()) RunCommand("xdotool windowactivate --sync " + dialog + " key Escape");

  EXPECT_EQ(CloseWindow(window, wex), 0);
}
