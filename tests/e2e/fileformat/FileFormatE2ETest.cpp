// A Linux file in the real program: UTF-8 with LF line ends is converted on Yes,
// a plug-in runs on it from the menu, and Save writes UTF-8 with LF again.

#include "tests/e2e/support/E2E.h"
#include "tests/support/Files.h"

#include <gtest/gtest.h>
#include <filesystem>
#include <fstream>

namespace {}  // namespace

TEST(FileFormatE2E, Utf8WithLfStaysUtf8WithLfThroughAPlugin) {
  WexInstall install;
  // The katakana plug-in alone, so that it is the last item of the menu.
  for (const auto& entry : std::filesystem::directory_iterator(install.dir()))
    if (entry.path().extension() == ".wpi" && entry.path().filename() != "Bricks.wpi")
      std::filesystem::remove(entry.path());
  const std::string file = install.dir() + "/memo.txt";
  std::ofstream(file, std::ios::binary) << "#!/bin/sh\necho ひらがなとカタカナ\n# おわり\n";
  WexProcess wex(install, {file});

  const std::string prompt = WaitForWindow("Wex");
  ASSERT_FALSE(prompt.empty()) << "no prompt for the UTF-8 file";
  RunCommand("xdotool windowactivate --sync " + prompt + " key --delay 100 Return");
  const std::string window = WaitForWindow("memo.txt - Wex");
  ASSERT_FALSE(window.empty());

  const std::string expected = "#!/bin/sh\necho ヒラガナトカタカナ\n# オワリ\n";
  std::string saved;
  // Keys sent before the window manager has taken the window in are lost: the
  // plug-in and the save are tried again while the file is not as expected.
  for (int attempt = 0; attempt < 3 && saved != expected; ++attempt) {
    RunCommand("xdotool windowactivate --sync " + window + " key --delay 200 alt+c Up Return");
    RunCommand("xdotool windowactivate --sync " + window + " key --delay 200 ctrl+s");
    saved = WaitForBytes(file, expected, 5);
  }
  EXPECT_EQ(saved, expected);
  EXPECT_EQ(CloseWindow(window, wex), 0);
}
