// Files too big to read in a blink and lines of megabytes, in the real program:
// the window shows the start at once and answers while the rest comes in, and
// a long line does not keep the processor busy.

#include "tests/e2e/support/Desktop.h"
#include "tests/e2e/support/E2E.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <chrono>
#include <string>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// About `size` bytes of Shift-JIS lines ending in CR LF, with what the codec
// keeps as escapes among them (NUL, 0x80, a NEC duplicate, a lone lead byte)
// and one line longer than any piece the view is given at once.
std::string BigText(std::size_t size) {
  const std::string prose = "\x93\xfa\x96\x7b\x8c\xea\x82\xcc\x95\xb6\x8f\xcd";  // 日本語の文章
  std::string text;
  text.reserve(size + 4096);
  for (int line = 0; text.size() < size; ++line) {
    text += std::to_string(line) + " ";
    for (int i = 0; i < 6; ++i) text += prose;
    if (line % 997 == 0) text += std::string("\0\x80\x87\x90\x81", 5);
    if (line == 20000) {
      for (int i = 0; i < 40000; ++i) text += prose;
    }
    text += "\r\n";
  }
  return text;
}

ino_t Inode(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 ? st.st_ino : 0;
}

// Whether the upper left of the window's text area holds dark pixels: text.
bool ShowsText(const std::string& window) {
  const QImage shot = Screenshot(window);
  int dark = 0;
  for (int y = 80; y < std::min(shot.height(), 140); ++y)
    for (int x = 0; x < std::min(shot.width(), 300); ++x)
      if (qGray(shot.pixel(x, y)) < 100) ++dark;
  return dark > 20;
}

}  // namespace

TEST(LargeFileE2E, TheStartShowsAtOnceAndTheWindowAnswersWhileTheRestLoads) {
  WexInstall install;
  const std::string bytes = BigText(120 << 20);
  const std::string path = install.AddFile("big.txt", bytes);
  const ino_t before = Inode(path);

  const Clock::time_point start = Clock::now();
  WexProcess wex(install, {path});
  ASSERT_FALSE(WaitForWindow("big.txt - Wex", 60).empty());
  // Reading the whole of it first takes several seconds.
  EXPECT_LT(SecondsSince(start), 4.0) << "the window waited for the whole file";
  const std::string window = WaitForMainWindow("big.txt - Wex");
  EXPECT_TRUE(ShowsText(window)) << "the start of the file is not shown";

  // While the rest comes in the text is read-only: the typed key is not taken.
  PressKeys(window, "x");
  // And the window answers: Ctrl+O opens the Open dialog.
  const std::string dialog = KeysUntilWindow(window, "ctrl+o", "開く");
  ASSERT_FALSE(dialog.empty()) << "the window did not answer Ctrl+O during the load";
  PressKeys(dialog, "Escape");

  // Save waits for the whole text, then writes back every byte.
  PressKeys(window, "ctrl+s");
  for (int i = 0; i < 1200 && Inode(path) == before; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  ASSERT_NE(Inode(path), before) << "not saved";
  const std::string saved = WaitForBytes(path, bytes, 10);
  EXPECT_EQ(saved.size(), bytes.size());
  EXPECT_TRUE(saved == bytes) << "the saved file differs from the file loaded";
  EXPECT_EQ(CloseWindow(window, wex), 0);
}

TEST(LargeFileE2E, ClosingDuringTheLoadEndsTheProgramAtOnce) {
  WexInstall install;
  const std::string path = install.AddFile("big.txt", BigText(200 << 20));
  const Clock::time_point start = Clock::now();
  WexProcess wex(install, {path});
  ASSERT_FALSE(WaitForWindow("big.txt - Wex", 60).empty());
  EXPECT_LT(SecondsSince(start), 4.0) << "the window waited for the whole file";
  const std::string window = WaitForMainWindow("big.txt - Wex");
  // Still loading, so still read-only: the key changes nothing, and closing
  // asks nothing about saving.
  PressKeys(window, "x");
  const Clock::time_point closing = Clock::now();
  EXPECT_EQ(CloseWindow(window, wex), 0);
  EXPECT_LT(SecondsSince(closing), 3.0) << "the program ended only after the whole load";
}

TEST(LargeFileE2E, ALineOfMegabytesLeavesTheProcessorIdle) {
  WexInstall install;
  // Eight megabytes of markup in one line, as minified pages are, with a run
  // of a megabyte where no line may break (data in base64).
  std::string line;
  const std::string piece = "<div class=\"a\">\x93\xfa\x96\x7b\x8c\xea</div>";
  while (line.size() < (7u << 20)) line += piece;
  line += "data:image/png;base64,";
  while (line.size() < (8u << 20)) line += "QUJDREVGR0hJSktMTU5PUFFSU1RVVldYWVo";
  const std::string path = install.AddFile("line.html", line);
  WexProcess wex(install, {path});
  ASSERT_FALSE(WaitForWindow("line.html - Wex", 60).empty());
  const std::string window = WaitForMainWindow("line.html - Wex");

  // Once the text is laid out, nothing happens: the process sleeps.
  const auto busyOver = [&wex](double seconds) {
    const double used = ProcessCpuSeconds(wex.pid());
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    return (ProcessCpuSeconds(wex.pid()) - used) / seconds;
  };
  bool settled = false;
  for (int i = 0; i < 30 && !settled; ++i) settled = busyOver(1) < 0.1;
  ASSERT_TRUE(settled) << "still busy after 30 s";
  const double busy = busyOver(5);
  EXPECT_LT(busy, 0.1) << "busy " << busy * 100 << "% of a core with nothing to do";

  // A key typed at the end of the line goes into it.
  PressKeys(window, "ctrl+End z ctrl+s");
  EXPECT_TRUE(WaitForBytes(path, line + "z", 30) == line + "z");
  EXPECT_EQ(CloseWindow(window, wex), 0);
}
