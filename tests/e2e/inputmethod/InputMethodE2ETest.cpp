// The input method at start in a real session: with "Ime" 1 the editor's text
// control takes Japanese input from its first key; with "Ime" 0 the input method
// stays as the desktop had it.

#include "tests/e2e/inputmethod/Fcitx5Session.h"
#include "tests/e2e/inputmethod/IBusSession.h"
#include "tests/e2e/support/E2E.h"
#include "tests/support/Files.h"

#include <gtest/gtest.h>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <thread>

namespace {

const std::string kHiragana =
    "\x82\xa0\x82\xa2\x82\xa4\x82\xa6\x82\xa8";  // あいうえお in Shift-JIS

// Starts the editor with "Ime" set to `ime` on an empty file, types "aiueo" and
// Return, saves, and returns what was saved. The keys wait until `settled` says
// the framework is as `ime` wants it, for up to `seconds`: keys typed before the
// editor has switched input on would stay Latin whatever the editor does next.
std::string TypedWithIme(int ime, const std::function<bool(int ime)>& settled, double seconds) {
  WexInstall install;
  std::ofstream(install.dir() + "/Wex.ini", std::ios::binary)
      << "[setting]\r\nIme=" << ime << "\r\n";
  const std::string file = install.dir() + "/typed.txt";
  std::ofstream(file, std::ios::binary).flush();
  WexProcess wex(install, {file});
  const std::string window = WaitForWindow("typed.txt - Wex");
  if (window.empty()) return "no window";
  for (int i = 0; i < seconds * 10 && !settled(ime); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  RunCommand("xdotool windowactivate --sync " + window + " type --delay 100 aiueo");
  RunCommand("xdotool key --delay 100 Return ctrl+s");
  std::string saved;
  for (int i = 0; i < 30 && saved.empty(); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    saved = ReadBytes(file);
  }
  EXPECT_EQ(CloseWindow(window, wex), 0);
  return saved;
}

}  // namespace

TEST(InputMethodE2E, ImeSettingSwitchesFcitx5OnForTheEditorsView) {
  if (std::system("command -v fcitx5 >/dev/null && command -v dbus-launch >/dev/null") != 0)
    GTEST_SKIP() << "fcitx5 or dbus-launch missing";
  Fcitx5Session session;
  ASSERT_TRUE(session.running()) << "fcitx5 did not come up";
  const auto settled = [](int ime) { return Fcitx5Session::State() == (ime ? 2 : 1); };
  // anthy turns the keys into hiragana; Return commits them (and ends no line).
  // The wait is long: a loaded machine may be slow, and a test that typed too
  // early would fail for the wrong reason.
  EXPECT_EQ(TypedWithIme(1, settled, 10), kHiragana);
  EXPECT_EQ(TypedWithIme(0, settled, 10), "aiueo\r\n");
}

TEST(InputMethodE2E, ImeSettingPutsTheIBusEngineOfTheEditorsViewInHiragana) {
  if (std::system("command -v ibus-daemon >/dev/null") != 0) GTEST_SKIP() << "ibus-daemon missing";
  IBusSession session;
  ASSERT_TRUE(session.running()) << "ibus-daemon with anthy did not come up";
  // Only the program that owns an input context may ask IBus about it, so
  // nothing outside shows the engine's mode: the keys wait the three seconds the
  // editor asks for.
  const auto unseen = [](int) { return false; };
  // The session leaves anthy in Latin: the keys stay as typed unless the editor
  // switches its engine to hiragana. anthy keeps one mode for all its contexts,
  // so the run that must leave it alone comes first.
  EXPECT_EQ(TypedWithIme(0, unseen, 3), "aiueo\r\n");
  EXPECT_EQ(TypedWithIme(1, unseen, 3), kHiragana);
}
