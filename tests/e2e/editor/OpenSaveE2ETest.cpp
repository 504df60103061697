// Opening, typing, saving and closing in the real program, through the real
// dialogs: what ends up on disk, and what the program asks on the way.

#include "tests/e2e/support/Desktop.h"
#include "tests/e2e/support/E2E.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

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
      const std::string path = install.AddFile("in.txt", file.bytes);
      WexProcess wex(install, {path});
      const std::optional<ShownDialog> prompt = wex.WaitForDialog("Wex");
      ASSERT_TRUE(prompt);
      EXPECT_EQ(prompt->text,
                std::string("このﾌｧｲﾙは") + file.code +
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

TEST(OpenSaveE2E, TypedJapaneseIsSavedAsShiftJisThroughTheFileDialog) {
  WexInstall install;
  WexProcess wex(install);
  const std::string window = WaitForMainWindow("memo - Wex");
  ASSERT_FALSE(window.empty());
  TypeText(window, "日本語");
  PressKeys(window, "Return");
  TypeText(window, "かな");
  PressKeys(window, "alt+f a");
  const std::optional<ShownDialog> dialog = wex.WaitForDialog("名前を付けて保存");
  ASSERT_TRUE(dialog);
  // The file name field has the focus, with the proposed name in it.
  const std::string path = install.dir() + "/typed.txt";
  PressKeys(dialog->window, "ctrl+a");
  TypeText(dialog->window, path);
  PressKeys(dialog->window, "Return");
  const std::string expected = "\x93\xfa\x96\x7b\x8c\xea\r\n\x82\xa9\x82\xc8";
  EXPECT_EQ(WaitForBytes(path, expected), expected);
  // Saved, so closing asks nothing.
  EXPECT_EQ(CloseWindow(window, wex), 0);
}

TEST(OpenSaveE2E, ClosingWithUnsavedChangesAsksFirst) {
  const struct {
    std::vector<std::string> answers;  // keys for each save question
    std::string saved;
  } cases[] = {
      {{"Escape", "alt+y"}, "new old"},  // Cancel keeps it running with the text
      {{"alt+n"}, "old"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.answers.front());
    WexInstall install;
    const std::string path = install.AddFile("a.txt", "old");
    WexProcess wex(install, {path});
    const std::string window = WaitForMainWindow("a.txt - Wex");
    ASSERT_FALSE(window.empty());
    TypeText(window, "new ");
    for (const std::string& answer : c.answers) {
      PressKeys(window, "alt+F4");
      const std::optional<ShownDialog> question = wex.WaitForDialog("WEX");
      ASSERT_TRUE(question);
      EXPECT_EQ(question->text, path + " への変更を保存しますか?");
      EXPECT_EQ(question->buttons, "キャンセル|はい(&Y)|いいえ(&N)");
      PressKeys(question->window, answer);
      if (answer == "Escape") {
        EXPECT_EQ(wex.Wait(1), -1) << "the program ended on Cancel";
        EXPECT_EQ(ReadBytes(path), "old");
      }
    }
    EXPECT_EQ(wex.Wait(10), 0);
    EXPECT_EQ(ReadBytes(path), c.saved);
  }
}

}  // namespace
