// Files in and out of the editor: recognition and its prompts on load and on
// Open, rich text, Save, Save As and the folder kept in "LastDir", file errors.

#include "resources/CommandIds.h"
#include "settings/Settings.h"
#include "tests/gui/editor/EditorTestSupport.h"
#include "tests/support/MemoryHeadroom.h"
#include "tests/support/Sanitizers.h"
#include "tests/support/TempDir.h"

#include <sys/resource.h>
#include <unistd.h>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QTest>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <vector>

namespace {

using namespace cmd;

const std::string kJis = "\x1B$B0!\x1B(B abc\r\n";
const std::string kEuc = "\xA4\xB3\xA4\xF3\xA4\xCB\xA4\xC1\xA4\xCF\r\n";

// Takes what memory there is under a MemoryHeadroom limit and gives `spare`
// bytes of it back, so small allocations still succeed and a big one fails
// even where freed blocks in the heap would have held it, for as long as it lives.
class ScarceMemory {
 public:
  explicit ScarceMemory(std::size_t spare) : limit_(2 * spare) {
    blocks_.reserve(1 << 16);
    while (blocks_.size() < blocks_.capacity()) {
      void* block = std::malloc(kBlock);
      if (!block) break;
      blocks_.push_back(block);
    }
    for (std::size_t freed = 0; freed < spare && !blocks_.empty(); freed += kBlock) {
      std::free(blocks_.back());
      blocks_.pop_back();
    }
  }
  ScarceMemory(const ScarceMemory&) = delete;
  ScarceMemory& operator=(const ScarceMemory&) = delete;
  ~ScarceMemory() {
    for (void* block : blocks_) std::free(block);
  }

 private:
  static constexpr std::size_t kBlock = 64 << 10;  // from the heap, below the mmap threshold
  MemoryHeadroom limit_;
  std::vector<void*> blocks_;
};

TEST_F(EditorTest, JisFileOnLoadAsksAndConvertsOnYesOnly) {
  const TempDir temp;
  const std::string& dir = temp.path();
  WriteBytes(dir + "/jis.txt", kJis);
  {
    ModalScript script;
    script.QueueResult(QMessageBox::Yes);
    WexHarness wex({QString::fromStdString(dir + "/jis.txt")});
    ASSERT_TRUE(wex.started());
    EXPECT_EQ(wex.view().GetPlainText(), "\x88\x9F abc\r\n");
    ASSERT_EQ(script.messageBoxes().size(), 1u);
    const ShownMessageBox& box = script.messageBoxes()[0];
    EXPECT_EQ(box.caption, "Wex");
    EXPECT_EQ(
        box.text,
        "このﾌｧｲﾙはJISコードで記述されていると思われます。\nシフトJISに変換して読み込みますか？");
    EXPECT_EQ(box.buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(box.icon, QMessageBox::NoIcon);
    EXPECT_EQ(box.owner, &wex.frame());
    EXPECT_FALSE(wex.doc().IsModified());
    EXPECT_EQ(wex.doc().GetTitle(), "jis.txt");
  }
  ModalScript script;
  script.QueueResult(QMessageBox::No);
  WexHarness wex({QString::fromStdString(dir + "/jis.txt")});
  EXPECT_EQ(wex.view().GetPlainText(), kJis);
  EXPECT_FALSE(wex.doc().IsModified());
}

TEST_F(EditorTest, EucFileOpensRawUnlessKanjiAutoIsExactlyOne) {
  const TempDir temp;
  const std::string& dir = temp.path();
  WriteBytes(dir + "/euc.txt", kEuc + std::string("\0tail", 5));
  for (const char* value : {"0", "2"}) {
    SetSetting("setting", "Kanji_auto", value);
    ModalScript script;
    WexHarness wex({QString::fromStdString(dir + "/euc.txt")});
    EXPECT_EQ(script.shown(), 0) << value;
    EXPECT_EQ(wex.view().GetPlainText(), kEuc + std::string("\0tail", 5)) << value;
  }
  SetSetting("setting", "Kanji_auto", "1");
  ModalScript script;
  script.QueueResult(QMessageBox::Yes);
  WexHarness wex({QString::fromStdString(dir + "/euc.txt")});
  ASSERT_EQ(script.messageBoxes().size(), 1u);
  EXPECT_TRUE(script.messageBoxes()[0].text.startsWith("このﾌｧｲﾙはEUCコード"));
  // Recognition reads up to the first NUL; the conversion keeps the NUL and what follows.
  EXPECT_EQ(wex.view().GetPlainText(), Sjis("こんにちは") + "\r\n" + std::string("\0tail", 5));
}

TEST_F(EditorTest, OddBytesComeBackFromOpenAndSaveUnchanged) {
  // Invalid bytes, an NEC/IBM duplicate, NULs (before which the text reads as
  // Shift-JIS) and a lone lead byte at the end.
  using namespace std::string_literals;
  const std::string odd =
      "\x88\x9F\r\n\x80\xA0\xFD\x87\x90\0ab\0\0\r\n\xA4\xB3\x1B$B\x82\r\nend\x82"s;
  const TempDir temp;
  const std::string& dir = temp.path();
  WriteBytes(dir + "/odd.txt", odd);
  ModalScript script;
  WexHarness wex({QString::fromStdString(dir + "/odd.txt")});
  ASSERT_TRUE(wex.started());
  EXPECT_EQ(script.shown(), 0);
  std::remove((dir + "/odd.txt").c_str());
  wex.frame().SendCommand(ID_FILE_SAVE);
  EXPECT_EQ(ReadBytes(dir + "/odd.txt"), odd);
}

TEST_F(EditorTest, RichTextComesInAsTextAndIsSavedAsPlainText) {
  const TempDir temp;
  const std::string& dir = temp.path();
  WriteBytes(dir + "/doc.rtf",
             "{\\rtf1\\ansi\\ansicpg932{\\fonttbl{\\f0 MS Mincho;}}\\f0 \\'82\\'a0 one\\par two}");
  WriteBytes(dir + "/lower.txt", "{\\RTF1 not rich}");
  ModalScript script;
  WexHarness wex({QString::fromStdString(dir + "/doc.rtf")});
  EXPECT_EQ(script.shown(), 0);
  EXPECT_EQ(wex.view().GetPlainText(), "\x82\xA0 one\r\ntwo");
  QTest::keyClicks(&wex.view(), "!");
  wex.frame().SendCommand(ID_FILE_SAVE);
  EXPECT_EQ(ReadBytes(dir + "/doc.rtf"), "!\x82\xA0 one\r\ntwo");
  EXPECT_FALSE(wex.doc().IsModified());

  EXPECT_TRUE(wex.doc().OnOpenDocument(QString::fromStdString(dir + "/lower.txt")));
  EXPECT_EQ(wex.view().GetPlainText(), "{\\RTF1 not rich}");
}

TEST_F(EditorTest, OpenAsksToSaveThenMakesTheFileTheDocuments) {
  const TempDir temp;
  const std::string& dir = temp.path();
  WriteBytes(dir + "/jis.txt", kJis);
  WexHarness wex;
  QTest::keyClicks(&wex.view(), "typed");
  ModalScript script;
  QueueFileChoice(script, dir + "/jis.txt");
  script.QueueResult(QMessageBox::No);   // do not save "typed"
  script.QueueResult(QMessageBox::Yes);  // convert
  wex.frame().SendCommand(ID_FILE_OPEN);
  ASSERT_EQ(script.messageBoxes().size(), 2u);
  EXPECT_EQ(script.messageBoxes()[1].owner, &wex.view());
  EXPECT_EQ(wex.view().GetPlainText(), "\x88\x9F abc\r\n");
  EXPECT_EQ(wex.doc().GetPathName().toStdString(), dir + "/jis.txt");
  EXPECT_EQ(wex.frame().windowTitle(), "jis.txt - Wex");
  EXPECT_FALSE(wex.doc().IsModified());
  EXPECT_EQ(GetSetting("setting", "LastDir"), dir);

  // A file that does not exist: the folder is kept all the same, then the message.
  QueueFileChoice(script, "/wex-no-such-file");
  script.QueueResult(QMessageBox::Ok);
  wex.frame().SendCommand(ID_FILE_OPEN);
  EXPECT_EQ(GetSetting("setting", "LastDir"), "/");
  EXPECT_EQ(script.messageBoxes().back().text, "/wex-no-such-file が見つかりませんでした。");
  EXPECT_EQ(wex.view().GetPlainText(), "\x88\x9F abc\r\n");
}

TEST_F(EditorTest, OpeningTheDocumentsOwnFileShowsWhatWasJustSavedIntoIt) {
  const TempDir temp;
  const std::string& dir = temp.path();
  WriteBytes(dir + "/doc.txt", "old");
  WexHarness wex({QString::fromStdString(dir + "/doc.txt")});
  QTest::keyClicks(&wex.view(), "new ");
  ModalScript script;
  QueueFileChoice(script, dir + "/doc.txt");
  script.QueueResult(QMessageBox::Yes);  // save the edit first
  wex.frame().SendCommand(ID_FILE_OPEN);
  EXPECT_EQ(ReadBytes(dir + "/doc.txt"), "new old");
  EXPECT_EQ(wex.view().GetPlainText(), "new old");
  EXPECT_FALSE(wex.doc().IsModified());
}

TEST_F(EditorTest, DialogsRunWithoutTheWaitCursor) {
  const TempDir temp;
  const std::string& dir = temp.path();
  WriteBytes(dir + "/jis.txt", kJis);
  WexHarness wex;
  QTest::keyClicks(&wex.view(), "typed");
  ModalScript script;
  std::vector<bool> waitCursorShown;
  const auto answer = [&](int result) {
    script.Queue([&, result](QDialog&) {
      waitCursorShown.push_back(QApplication::overrideCursor() != nullptr);
      return result;
    });
  };
  // The first dialog starts in the current folder while "LastDir" is empty.
  script.Queue([&](QDialog& dialog) {
    EXPECT_EQ(static_cast<QFileDialog&>(dialog).directory().absolutePath(), QDir::currentPath());
    static_cast<QFileDialog&>(dialog).selectFile(QString::fromStdString(dir + "/jis.txt"));
    return static_cast<int>(QDialog::Accepted);
  });
  answer(QMessageBox::No);   // the save-changes question
  answer(QMessageBox::Yes);  // the JIS prompt
  wex.frame().SendCommand(ID_FILE_OPEN);
  EXPECT_EQ(waitCursorShown, std::vector<bool>({false, false}));
  EXPECT_EQ(wex.view().GetPlainText(), "\x88\x9F abc\r\n");

  // The cursors taken off for a dialog come back afterwards, in their order.
  QApplication::setOverrideCursor(Qt::WaitCursor);
  QApplication::setOverrideCursor(Qt::IBeamCursor);
  answer(QMessageBox::Ok);
  wex.frame().SendCommand(ID_EUC_SETTINGS);
  EXPECT_FALSE(waitCursorShown.back());
  ASSERT_NE(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::IBeamCursor);
  QApplication::restoreOverrideCursor();
  ASSERT_NE(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  QApplication::restoreOverrideCursor();
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(EditorTest, FileTooBigForMemorySaysSoAndKeepsTheDocument) {
  if (kOutOfMemoryCannotBeTested) GTEST_SKIP() << "out of memory ends a sanitizer build";
  const TempDir temp;
  const std::string& dir = temp.path();
  WriteBytes(dir + "/doc.txt", "kept");
  // Sparse files: they take no room on the disk.
  const std::string big = dir + "/big.txt";
  WriteBytes(big, "");
  ASSERT_EQ(::truncate(big.c_str(), 1 << 30), 0);
  const std::string huge = dir + "/huge.txt";  // bigger than all the machine's memory
  WriteBytes(huge, "");
  const off_t memory = static_cast<off_t>(::sysconf(_SC_PHYS_PAGES)) * ::sysconf(_SC_PAGESIZE);
  ASSERT_EQ(::truncate(huge.c_str(), memory + 1), 0);
  WexHarness wex({QString::fromStdString(dir + "/doc.txt")});
  ModalScript script;
  script.QueueResult(QMessageBox::Ok);
  script.QueueResult(QMessageBox::Ok);
  // Too little memory to hold the file's bytes.
  bool opened = true;
  {
    const MemoryHeadroom limit(256u << 20);
    opened = wex.doc().OnOpenDocument(QString::fromStdString(big));
  }
  EXPECT_FALSE(opened);
  EXPECT_FALSE(wex.doc().OnOpenDocument(QString::fromStdString(huge)));
  ASSERT_EQ(script.messageBoxes().size(), 2u);
  EXPECT_EQ(script.messageBoxes()[0].text, "ﾒﾓﾘが不足しています。");
  EXPECT_EQ(script.messageBoxes()[1].text, "ﾒﾓﾘが不足しています。");
  EXPECT_EQ(wex.doc().GetTitle(), "doc.txt");
  EXPECT_EQ(wex.view().GetPlainText(), "kept");
}

TEST_F(EditorTest, SaveAsWritesTheTextAndKeepsTheDocumentsFile) {
  const TempDir temp;
  const std::string& dir = temp.path();
  WriteBytes(dir + "/doc.txt", "old");
  SetSetting("setting", "Filter", "");
  SetSetting("setting", "DefaultExt", "txt");
  WexHarness wex({QString::fromStdString(dir + "/doc.txt")});
  QTest::keyClicks(&wex.view(), "new");
  QTest::keyClick(&wex.view(), Qt::Key_Return);
  ModalScript script;
  std::string filterWhenShown;
  script.Queue([&](QDialog&) {
    filterWhenShown = GetSetting("setting", "Filter");
    return static_cast<int>(QDialog::Rejected);
  });
  wex.frame().SendCommand(ID_FILE_SAVE_AS);
  EXPECT_EQ(filterWhenShown, std::string(DEFAULT_FILTER));
  EXPECT_TRUE(wex.doc().IsModified());
  EXPECT_EQ(GetSetting("setting", "LastDir"), "");

  ::mkdir((dir + "/sub").c_str(), 0755);
  QueueFileChoice(script, dir + "/sub/copy");
  wex.frame().SendCommand(ID_FILE_SAVE_AS);
  EXPECT_EQ(ReadBytes(dir + "/sub/copy.txt"), "new\r\nold");  // "DefaultExt" added
  EXPECT_EQ(GetSetting("setting", "LastDir"), dir + "/sub");
  EXPECT_FALSE(wex.doc().IsModified());
  EXPECT_EQ(wex.doc().GetPathName().toStdString(), dir + "/doc.txt");
  EXPECT_EQ(ReadBytes(dir + "/doc.txt"), "old");
}

TEST_F(EditorTest, SaveAsOutOfMemoryWritesNothingAndSaysSo) {
  if (kOutOfMemoryCannotBeTested) GTEST_SKIP() << "out of memory ends a sanitizer build";
  const TempDir temp;
  const std::string& dir = temp.path();
  WexHarness wex;
  std::string text;
  while (text.size() < (8u << 20)) text += std::string(62, 'a') + "\r\n";
  wex.view().SetWholeText(std::move(text));
  QTest::keyClicks(&wex.view(), "x");
  ModalScript script;
  // Once the file is chosen, too little memory to copy the text out of the control.
  std::optional<ScarceMemory> scarce;
  script.Queue([&](QDialog& dialog) {
    static_cast<QFileDialog&>(dialog).selectFile(QString::fromStdString(dir + "/copy.txt"));
    scarce.emplace(4u << 20);
    return static_cast<int>(QDialog::Accepted);
  });
  script.QueueResult(QMessageBox::Ok);
  wex.frame().SendCommand(ID_FILE_SAVE_AS);
  scarce.reset();
  ASSERT_EQ(script.messageBoxes().size(), 1u);
  EXPECT_EQ(script.messageBoxes()[0].text, "ﾒﾓﾘが不足しています。");
  EXPECT_TRUE(QDir(QString::fromStdString(dir)).isEmpty());
  EXPECT_TRUE(wex.doc().IsModified());
}

TEST_F(EditorTest, UntitledSaveNeverCreatesAWildcardName) {
  const TempDir temp;
  const std::string& dir = temp.path();
  WexHarness wex;
  QTest::keyClicks(&wex.view(), "x");
  ModalScript script;
  QueueFileChoice(script, dir + "/*.txt");
  QueueFileChoice(script, dir + "/real.txt");
  wex.frame().SendCommand(ID_FILE_SAVE);
  EXPECT_EQ(ReadBytes(dir + "/real.txt"), "x");
  EXPECT_FALSE(QFile::exists(QString::fromStdString(dir + "/*.txt")));
  EXPECT_EQ(wex.doc().GetTitle(), "real.txt");
}

TEST_F(EditorTest, SavedBytesAreTheTextWhereverItIsCutIntoPieces) {
  // The text is encoded a piece at a time (32,768 and 524,288 code units): a
  // character outside the BMP at each cut is still one "?", and the separator
  // and blank the control itself puts in are saved as its plain text has them.
  QString text;
  std::string expected;
  const auto fillUntil = [&](qsizetype size) {
    while (text.size() < size) {
      const bool lineEnd = text.size() % 64 == 63;
      text += lineEnd ? u'\n' : u'x';
      expected += lineEnd ? "\r\n" : "x";
    }
  };
  const QString outsideBmp = QString::fromUcs4(U"\U0001F600");
  fillUntil(32767);
  text += outsideBmp;
  fillUntil(524287);
  text += outsideBmp + QString::fromUtf16(u"b\u2028c\u00A0d");
  expected.insert(32767 + 32767 / 64, "?");
  expected += "?b\r\nc d";
  const TempDir temp;
  const std::string& dir = temp.path();
  WriteBytes(dir + "/out.txt", "old");
  WexHarness wex({QString::fromStdString(dir + "/out.txt")});
  wex.view().InsertText(text);
  EXPECT_EQ(wex.view().GetPlainText(), expected + "old");
  wex.frame().SendCommand(ID_FILE_SAVE);
  EXPECT_EQ(ReadBytes(dir + "/out.txt"), expected + "old");
  EXPECT_FALSE(wex.doc().IsModified());
}

TEST_F(EditorTest, FailedWriteKeepsTheOldFileAndReportsIt) {
  const TempDir temp;
  const std::string& dir = temp.path();
  WriteBytes(dir + "/big.txt", "old contents");
  WexHarness wex({QString::fromStdString(dir + "/big.txt")});
  std::string text;
  for (int i = 0; i < 100'000; ++i) text += "zzzzzzzzz\r\n";
  wex.view().SetWholeText(text);
  QTest::keyClicks(&wex.view(), "!");
  // A file-size limit makes the write fail as a full disk does.
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit old{};
  ::getrlimit(RLIMIT_FSIZE, &old);
  rlimit small = old;
  small.rlim_cur = 4096;
  ::setrlimit(RLIMIT_FSIZE, &small);
  ModalScript script;
  script.QueueResult(QMessageBox::Ok);
  wex.frame().SendCommand(ID_FILE_SAVE);
  QueueFileChoice(script, dir + "/other.txt");
  script.QueueResult(QMessageBox::Ok);
  wex.frame().SendCommand(ID_FILE_SAVE_AS);
  ::setrlimit(RLIMIT_FSIZE, &old);
  EXPECT_EQ(ReadBytes(dir + "/big.txt"), "old contents");
  EXPECT_FALSE(QFile::exists(QString::fromStdString(dir + "/other.txt")));
  ASSERT_EQ(script.messageBoxes().size(), 2u);
  EXPECT_EQ(script.messageBoxes()[0].text.toStdString(),
            dir + "/big.txt へのｱｸｾｽ中にﾃﾞｨｽｸがいっぱいになりました。");
  EXPECT_EQ(script.messageBoxes()[1].text.toStdString(),
            dir + "/other.txt へのｱｸｾｽ中にﾃﾞｨｽｸがいっぱいになりました。");
  EXPECT_TRUE(wex.doc().IsModified());
  EXPECT_EQ(GetSetting("setting", "LastDir"), "");
}

}  // namespace
