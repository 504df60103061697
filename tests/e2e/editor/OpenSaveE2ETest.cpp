// Opening, typing, saving and closing in the real program, through the real
// dialogs: what ends up on disk, and what the program asks on the way.

#include "tests/e2e/support/Desktop.h"
#include "tests/e2e/support/E2E.h"

#include <gtest/gtest.h>

namespace {

// "こんにちは" in JIS, EUC-JP and Shift-JIS, each followed by CR LF.
const std::string kJis = "\x1b$B$3$s$K$A$O\x1b(B\r\n";
const std::string kEuc = "\xa4\xb3\xa4\xf3\xa4\xcb\xa4\xc1\xa4\xcf\r\n";
const std::string kShiftJis = "\x82\xb1\x82\xf1\x82\xc9\x82\xbf\x82\xcd\r\n";

TEST(OpenSaveE2E, JisAndEucFilesAskBeforeConverting) {
  const struct {
    const char* code;
    std::string bytes;
  } files[] = {{"JIS", kJis}, {"EUC", kEuc}};
  for (const auto& file : files) {
    for (const bool yes : {true, false}) {
      SCOPED_TRACE(std::string(file.code) + (yes ? ", Yes" : ", No"));
      WexInstall install;
      const std::string path = install.dir() + "/in.txt";
      WriteBytes(path, file.bytes);
      WexProcess wex(install, {path});
      const std::optional<ShownDialog> prompt = wex.WaitForDialog("Wex");
      ASSERT_TRUE(prompt);
      EXPECT_EQ(prompt->text, std::string("このﾌｧｲﾙは") + file.code +
                                  "コードで記述されていると思われます。\nシフトJISに変換して読み込みますか？");
      EXPECT_EQ(prompt->buttons, "はい(&Y)|いいえ(&N)");
      PressKeys(prompt->window, yes ? "alt+y" : "alt+n");
      const std::string window = WaitForMainWindow("in.txt - Wex");
      ASSERT_FALSE(window.empty());
      // Saved as it stands: converted, or the bytes as they came.
      PressKeys(window, "ctrl+s");
      EXPECT_EQ(WaitForBytes(path, yes ? kShiftJis : file.bytes), yes ? kShiftJis : file.bytes);
      EXPECT_EQ(CloseWindow(window, wex), 0);
    }
  }
}

}  // namespace
