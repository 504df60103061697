// Editing in the real program, driven with the keyboard: what the user typed
// or opened is what Save writes, and Undo and Redo walk the whole history.

#include "settings/Settings.h"
#include "tests/e2e/support/Desktop.h"
#include "tests/e2e/support/E2E.h"

#include <gtest/gtest.h>
#include <cstdio>
#include <string>

namespace {

using namespace std::string_literals;

// The program's settings with code recognition `kanjiAuto` (1: on, as by default).
void WriteSettings(const WexInstall& install, int kanjiAuto) {
  WriteSettingInt(install.dir() + "/Wex.ini", "setting", "Kanji_auto", kanjiAuto);
}

TEST(EditingE2E, UndoAndRedoWalkTypingAndConversionInOrder) {
  WexInstall install;
  WriteSettings(install, 0);  // the EUC-JP bytes are opened as they are
  const std::string path = install.dir() + "/euc.txt";
  const std::string euc = "\xB0\xA1\xA4\xA2";   // 亜あ in EUC-JP
  const std::string sjis = "\x88\x9F\x82\xA0";  // and in Shift-JIS
  WriteBytes(path, euc);
  WexProcess wex(install, {path});
  const std::string window = WaitForWindow("euc.txt - Wex");
  ASSERT_FALSE(window.empty());

  // 変換(&C), its first item "EUC→ｼﾌﾄJIS"; then type right behind the converted
  // text, which the control would take for more of the conversion's insertion.
  PressKeys(window, "alt+c Return ctrl+End", 150);
  RunCommand("xdotool type --delay 100 xy");
  // Each step saved, so that every state on the way is seen: undo twice, then redo
  // with each of the control's keys.
  const struct {
    const char* keys;
    std::string saved;
  } steps[] = {
      {"ctrl+s", sjis + "xy"},
      {"ctrl+z ctrl+s", sjis},
      {"ctrl+z ctrl+s", euc},
      {"ctrl+y ctrl+s", sjis},
      {"ctrl+shift+z ctrl+s", sjis + "xy"},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.keys);
    PressKeys(window, step.keys, 150);
    EXPECT_EQ(WaitForBytes(path, step.saved), step.saved);
  }
  EXPECT_EQ(CloseWindow(window, wex), 0) << "saved: closing asks nothing";
}

TEST(EditingE2E, TypedCharactersAreSavedAsShownInTheView) {
  WexInstall install;
  const std::string path = install.dir() + "/typed.txt";
  WriteBytes(path, "");
  WexProcess wex(install, {path});
  const std::string window = WaitForWindow("typed.txt - Wex");
  ASSERT_FALSE(window.empty());

  // WAVE DASH, MINUS SIGN, EM DASH as input methods and web pages give them, and
  // an emoji, which Shift-JIS cannot hold.
  TypeText(window, "\u301C\u2212\u2014\U0001F600");
  PressKeys(window, "ctrl+s", 150);
  EXPECT_EQ(WaitForBytes(path, "\x81\x60\x81\x7C\x81\x5C\x81\xAC"),
            "\x81\x60\x81\x7C\x81\x5C\x81\xAC");
  EXPECT_EQ(CloseWindow(window, wex), 0);
}

TEST(EditingE2E, OddBytesAreSavedAsTheyWereOpened) {
  WexInstall install;
  const std::string path = install.dir() + "/odd.txt";
  // Invalid bytes, an NEC/IBM duplicate, NULs with text after them, and a lone
  // lead byte at the end, with CR LF line ends; recognition is on.
  const std::string odd =
      "\x88\x9F\r\n\x80\xA0\xFD\x87\x90\0after\0\0\r\n\xA4\xB3\x1B$B\x82\r\nend\x82"s;
  WriteBytes(path, odd);
  WexProcess wex(install, {path});
  const std::string window = WaitForWindow("odd.txt - Wex");
  ASSERT_FALSE(window.empty());
  std::remove(path.c_str());  // so that only the program's Save can bring it back
  PressKeys(window, "ctrl+s", 150);
  EXPECT_EQ(WaitForBytes(path, odd), odd);
  EXPECT_EQ(CloseWindow(window, wex), 0) << "the saved text counts as unmodified";
}

}  // namespace
