// Unsaved work in the real program when it ends without saving: killed, taken
// down by a plug-in, or frozen by one; and the file changed by another program
// while it is open.

#include "recovery/RecoveryStore.h"
#include "tests/e2e/support/Desktop.h"
#include "tests/e2e/support/E2E.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;

// The recovery records of a copy that keeps its settings beside the program.
std::vector<std::string> Records(const WexInstall& install) {
  std::vector<std::string> records;
  std::error_code none;
  for (const auto& entry : fs::directory_iterator(install.dir() + "/recovery", none))
    if (entry.path().extension() == ".rec") records.push_back(entry.path());
  return records;
}

// How a record holds ASCII text: UTF-16 code units, low byte first.
std::string AsRecorded(const std::string& ascii) {
  std::string units;
  for (char c : ascii) units += {c, '\0'};
  return units;
}

// Waits up to `seconds` for a record of `text`.
bool WaitForRecordOf(const WexInstall& install, const std::string& text, double seconds) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  do {
    for (const std::string& record : Records(install))
      if (const auto read = ReadRecord(record); read && read->text == AsRecorded(text)) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  } while (std::chrono::steady_clock::now() < end);
  return false;
}

bool WaitForNoRecord(const WexInstall& install) {
  for (int i = 0; i < 50 && !Records(install).empty(); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  return Records(install).empty();
}

void Kill(WexProcess& wex) {
  ::kill(wex.pid(), SIGKILL);
  EXPECT_NE(wex.Wait(5), 0);
}

// A new start offers the record of "a.txt" back; Yes restores it, Save writes it.
void RestoreAndSave(const WexInstall& install, const std::string& path,
                    const std::string& expected) {
  WexProcess wex(install);
  const std::optional<ShownDialog> question = wex.WaitForDialog("Wex");
  ASSERT_TRUE(question);
  EXPECT_NE(question->text.find("保存されていない変更が残っています。\n" + path + "\n最後の変更: "),
            std::string::npos)
      << question->text;
  EXPECT_EQ(question->text.find("他のﾌﾟﾛｸﾞﾗﾑ"), std::string::npos) << "the file did not change";
  PressKeys(question->window, "alt+y");
  const std::string window = WaitForMainWindow("a.txt - Wex");
  ASSERT_FALSE(window.empty());
  PressKeys(window, "ctrl+s");
  EXPECT_EQ(WaitForBytes(path, expected), expected);
  EXPECT_TRUE(WaitForNoRecord(install)) << "saved, the record goes";
  EXPECT_EQ(CloseWindow(window, wex), 0) << "saved: closing asks nothing";
}

TEST(RecoveryE2E, TypingSurvivesAKillAndEachAnswerAtTheNextStartDoesWhatItSays) {
  WexInstall install;
  const std::string path = install.AddFile("a.txt", "old");
  {
    WexProcess wex(install, {path});
    const std::string window = WaitForMainWindow("a.txt - Wex");
    ASSERT_FALSE(window.empty());
    TypeText(window, "new ");
    EXPECT_TRUE(WaitForRecordOf(install, "new old", 2.5)) << "no record within 2 s of typing";
    Kill(wex);
  }
  ASSERT_EQ(Records(install).size(), 1u);

  // Cancel leaves the record for the next start, which No then deletes.
  for (const char* answer : {"Escape", "alt+n"}) {
    SCOPED_TRACE(answer);
    WexProcess wex(install);
    const std::optional<ShownDialog> question = wex.WaitForDialog("Wex");
    ASSERT_TRUE(question);
    EXPECT_EQ(question->buttons.find("キャンセル") != std::string::npos, true) << question->buttons;
    PressKeys(question->window, answer);
    const std::string window = WaitForMainWindow("memo - Wex");
    ASSERT_FALSE(window.empty());
    EXPECT_EQ(Records(install).size(), std::string(answer) == "Escape" ? 1u : 0u);
    EXPECT_EQ(CloseWindow(window, wex), 0) << "nothing was restored, nothing to save";
  }
  EXPECT_EQ(ReadBytes(path), "old");

  // Killed again; this time the next start restores and saves.
  {
    WexProcess wex(install, {path});
    const std::string window = WaitForMainWindow("a.txt - Wex");
    ASSERT_FALSE(window.empty());
    TypeText(window, "new ");
    ASSERT_TRUE(WaitForRecordOf(install, "new old", 2.5));
    Kill(wex);
  }
  RestoreAndSave(install, path, "new old");
}

// The plug-in is the only one installed: the third item of 変換(&C).
void RunThePlugin(const std::string& window) { PressKeys(window, "alt+c Down Down Return"); }

TEST(RecoveryE2E, APlugInThatCrashesOrNeverReturnsCostsNothingTyped) {
  for (const char* plugin : {CRASH_PLUGIN, HANG_PLUGIN}) {
    SCOPED_TRACE(plugin);
    WexInstall install("none");
    fs::copy_file(plugin, install.dir() + "/" + fs::path(plugin).filename().string());
    const std::string path = install.AddFile("a.txt", "old");
    {
      WexProcess wex(install, {path});
      const std::string window = WaitForMainWindow("a.txt - Wex");
      ASSERT_FALSE(window.empty());
      TypeText(window, "new ");
      RunThePlugin(window);  // at once: no time for the record written in the background
      if (std::string(plugin) == CRASH_PLUGIN) {
        EXPECT_NE(wex.Wait(10), 0) << "the plug-in took the program down";
      } else {
        EXPECT_EQ(wex.Wait(2), -1) << "the plug-in returned";
        Kill(wex);
      }
    }
    RestoreAndSave(install, path, "new old");
  }
}

// Another program rewrites the file in place (as many editors and tools do).
void RewriteElsewhere(const std::string& path, const std::string& bytes) {
  std::this_thread::sleep_for(std::chrono::milliseconds(20));  // a later time stamp
  WriteBytes(path, bytes);
}

// The main window loses the keyboard to another program's window and gets it back.
void SwitchAwayAndBack(const std::string& window) {
  WexProcess other({"xmessage", "-name", "other", "other"});
  const std::string otherWindow = WaitForWindow("other");
  ASSERT_FALSE(otherWindow.empty());
  RunCommand("xdotool windowactivate --sync " + otherWindow + " 2>/dev/null");
  RunCommand("xdotool windowactivate --sync " + window + " 2>/dev/null");
}

TEST(RecoveryE2E, AnotherProgramsChangeIsNeverSilentlyOverwritten) {
  WexInstall install;
  const std::string path = install.AddFile("a.txt", "old");
  WexProcess wex(install, {path});
  const std::string window = WaitForMainWindow("a.txt - Wex");
  ASSERT_FALSE(window.empty());

  // Unmodified: Yes loads the file again, as one step that Ctrl+Z takes back.
  RewriteElsewhere(path, "other");
  SwitchAwayAndBack(window);
  std::optional<ShownDialog> question = wex.WaitForDialog("Wex");
  ASSERT_TRUE(question);
  EXPECT_EQ(question->text, path + " は他のﾌﾟﾛｸﾞﾗﾑで変更されました。\nもう一度読み込みますか？");
  PressKeys(question->window, "alt+y");
  TypeText(window, "X");
  PressKeys(window, "ctrl+s");
  EXPECT_EQ(WaitForBytes(path, "Xother"), "Xother");
  PressKeys(window, "ctrl+z ctrl+s");
  EXPECT_EQ(WaitForBytes(path, "other"), "other");
  PressKeys(window, "ctrl+z ctrl+s");
  EXPECT_EQ(WaitForBytes(path, "old"), "old") << "the reload is one step of its own";

  // Modified: No keeps the editor's text; Save then asks before overwriting, and
  // No writes nothing.
  PressKeys(window, "ctrl+Home");
  TypeText(window, "new ");
  RewriteElsewhere(path, "theirs");
  SwitchAwayAndBack(window);
  question = wex.WaitForDialog("Wex");
  ASSERT_TRUE(question);
  EXPECT_EQ(question->text, path +
                                " は他のﾌﾟﾛｸﾞﾗﾑで変更されました。\nもう一度読み込みますか？\n"
                                "読み込むと、このｳｨﾝﾄﾞｳでの変更は失われます。");
  PressKeys(question->window, "alt+n");
  for (const char* answer : {"alt+n", "alt+y"}) {
    PressKeys(window, "ctrl+s");
    question = wex.WaitForDialog("Wex");
    ASSERT_TRUE(question);
    EXPECT_EQ(question->text,
              path + " は読み込んだ後に他のﾌﾟﾛｸﾞﾗﾑで変更されています。\n上書きしますか？");
    PressKeys(question->window, answer);
    if (std::string(answer) == "alt+n") {
      std::this_thread::sleep_for(std::chrono::milliseconds(500));
      EXPECT_EQ(ReadBytes(path), "theirs") << "No wrote the file";
    }
  }
  EXPECT_EQ(WaitForBytes(path, "new old"), "new old");

  // Saved by the program itself: no question at the next activation or Save.
  SwitchAwayAndBack(window);
  PressKeys(window, "ctrl+Home");
  TypeText(window, "!");
  PressKeys(window, "ctrl+s");
  EXPECT_EQ(WaitForBytes(path, "!new old"), "!new old");

  // Deleted: said once; the text counts as modified and Save writes the file again.
  fs::remove(path);
  SwitchAwayAndBack(window);
  question = wex.WaitForDialog("Wex");
  ASSERT_TRUE(question);
  EXPECT_EQ(question->text, path +
                                " は削除されたか、名前が変更されました。\n"
                                "上書き保存すると、ﾌｧｲﾙをもう一度作成します。");
  PressKeys(question->window, "Return");
  SwitchAwayAndBack(window);  // not said again
  PressKeys(window, "alt+F4");
  question = wex.WaitForDialog("WEX");
  ASSERT_TRUE(question) << "closing did not offer to save";
  PressKeys(question->window, "alt+y");
  EXPECT_EQ(wex.Wait(10), 0);
  EXPECT_EQ(ReadBytes(path), "!new old");
}

}  // namespace
