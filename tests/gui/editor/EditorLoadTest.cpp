// Loading a file in pieces: what the document and the view are while the rest
// comes in, the commands that wait for the whole text, and memory too short for
// the text of a file.

#include "framework/StatusBar.h"
#include "platform/FileBytes.h"
#include "resources/CommandIds.h"
#include "tests/gui/editor/EditorTestSupport.h"
#include "tests/support/Iconv.h"
#include "tests/support/MemoryHeadroom.h"
#include "tests/support/Sanitizers.h"
#include "tests/support/TempDir.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <memory>
#include <string>

namespace {

// Shift-JIS lines with CR LF and what the codec holds as escapes (NUL, 0x80, a
// NEC duplicate, a lone lead byte), and one line longer than a piece.
std::string PiecesText() {
  std::string text;
  for (int line = 0; text.size() < (3u << 20); ++line) {
    text += std::to_string(line) + " \x93\xfa\x96\x7b\x8c\xea";
    if (line % 101 == 0) text += std::string("\0\x80\x87\x90\x81", 5);
    if (line == 3000) text += std::string(700000, 'w') + "\x82\xa0";
    text += "\r\n";
  }
  return text;
}

void LetTheLoadRun(WexHarness& wex) {
  QElapsedTimer waited;
  waited.start();
  while (wex.doc().IsLoading() && waited.elapsed() < 60000)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
}

}  // namespace

TEST_F(EditorTest, ABigFileShowsItsStartAndBringsTheRestFromTheEventLoop) {
  const TempDir temp;
  const std::string bytes = PiecesText();
  WriteBytes(temp.path() + "/big.txt", bytes);
  WexHarness wex({QString::fromStdString(temp.path() + "/big.txt")});
  ASSERT_TRUE(wex.started());

  // Started: the start is shown, the view is read-only, the title is the file's.
  ASSERT_TRUE(wex.doc().IsLoading());
  EXPECT_TRUE(wex.view().IsReadOnly());
  EXPECT_TRUE(PlainText(wex.view()).startsWith(QStringLiteral("0 ")));
  EXPECT_LT(wex.view().Buffer().Size(), bytes.size());
  EXPECT_EQ(wex.doc().GetTitle(), "big.txt");
  EXPECT_EQ(wex.frame().StatusBar()->GetPaneText(0).toStdString().rfind("読み込み中", 0), 0u);

  LetTheLoadRun(wex);
  ASSERT_FALSE(wex.doc().IsLoading());
  EXPECT_FALSE(wex.view().IsReadOnly());
  EXPECT_FALSE(wex.doc().IsModified());
  EXPECT_FALSE(wex.view().Buffer().CanUndo());
  EXPECT_EQ(wex.frame().StatusBar()->GetPaneText(0), "ﾚﾃﾞｨ");
  EXPECT_TRUE(wex.view().GetPlainText() == bytes) << "pieces joined wrongly";
}

TEST_F(EditorTest, CommandsThatNeedTheWholeTextWaitForTheLoad) {
  const TempDir temp;
  const std::string bytes = PiecesText();
  WriteBytes(temp.path() + "/big.txt", bytes);
  WexHarness wex({QString::fromStdString(temp.path() + "/big.txt")});
  ASSERT_TRUE(wex.doc().IsLoading());
  // Save writes the whole text, not what has come in so far.
  wex.frame().SendCommand(cmd::ID_FILE_SAVE);
  EXPECT_FALSE(wex.doc().IsLoading());
  EXPECT_FALSE(wex.view().IsReadOnly());
  EXPECT_TRUE(ReadBytes(temp.path() + "/big.txt") == bytes) << "saved before the load ended";

  // Another file opened during a load replaces it; the first load ends there.
  WriteBytes(temp.path() + "/small.txt", "small");
  wex.doc().OnOpenDocument(QString::fromStdString(temp.path() + "/big.txt"));
  ASSERT_TRUE(wex.doc().IsLoading());
  ASSERT_TRUE(wex.doc().SaveModified());
  wex.doc().OnOpenDocument(QString::fromStdString(temp.path() + "/small.txt"));
  EXPECT_FALSE(wex.doc().IsLoading());
  LetTheLoadRun(wex);
  EXPECT_EQ(wex.view().GetPlainText(), "small");
  EXPECT_FALSE(wex.view().IsReadOnly());
}

TEST_F(EditorTest, TextTooBigForTheMemoryLeftSaysSoAndKeepsTheDocument) {
  if (kOutOfMemoryCannotBeTested) GTEST_SKIP() << "out of memory ends a sanitizer build";
  const TempDir temp;
  WriteBytes(temp.path() + "/doc.txt", "kept");
  WriteBytes(temp.path() + "/big.txt", std::string(24u << 20, 'a'));
  WexHarness wex({QString::fromStdString(temp.path() + "/doc.txt")});
  ModalScript script;
  script.QueueResult(QMessageBox::Ok);
  bool opened = true;
  {
    // Room for the file's bytes, not for its text in the view beside them.
    const MemoryHeadroom limit(64u << 20);
    opened = wex.doc().OnOpenDocument(QString::fromStdString(temp.path() + "/big.txt"));
  }
  EXPECT_FALSE(opened);
  ASSERT_EQ(script.messageBoxes().size(), 1u);
  EXPECT_EQ(script.messageBoxes()[0].text, "ﾒﾓﾘが不足しています。");
  EXPECT_EQ(wex.doc().GetTitle(), "doc.txt");
  EXPECT_EQ(wex.view().GetPlainText(), "kept");
}

TEST_F(EditorTest, AFileThatCannotBeReadToItsEndKeepsWhatCameInAsATextOfNoFile) {
  const TempDir temp;
  const QString path = QString::fromStdString(temp.path() + "/doc.txt");
  WriteBytes(temp.path() + "/doc.txt", "old");
  WexHarness wex({path});
  // A head that came in, and a rest whose reading fails (the reader was never opened).
  const auto showUnreadable = [&] {
    FileText text;
    text.sjis = "head\r\n";
    text.rest = std::make_shared<FileReader>();
    wex.doc().ShowFileText(std::move(text), &wex.frame());
    wex.doc().SetPathName(path);
  };
  const auto expectTextOfNoFile = [&](const ModalScript& script) {
    QCoreApplication::processEvents();
    ASSERT_EQ(script.messageBoxes().size(), 1u);
    EXPECT_TRUE(script.messageBoxes()[0].text.contains("doc.txt"));
    EXPECT_TRUE(wex.doc().GetPathName().isEmpty());
    EXPECT_TRUE(wex.doc().IsModified());
    EXPECT_FALSE(wex.view().IsReadOnly());
    EXPECT_EQ(wex.view().GetPlainText(), "head\r\n");
    EXPECT_EQ(ReadBytes(temp.path() + "/doc.txt"), "old");
  };

  {
    // Found while the load runs.
    ModalScript script;
    script.QueueResult(QMessageBox::Ok);
    showUnreadable();
    LetTheLoadRun(wex);
    expectTextOfNoFile(script);
  }
  {
    // Found by Save, which needs the whole text: the head is not written over the file.
    wex.doc().SetModifiedFlag(false);
    ModalScript script;
    script.QueueResult(QMessageBox::Ok);
    showUnreadable();
    ASSERT_TRUE(wex.doc().IsLoading());
    wex.frame().SendCommand(cmd::ID_FILE_SAVE);
    expectTextOfNoFile(script);
  }
}

TEST_F(EditorTest, ABigFileToConvertShowsItsConvertedStartWhileTheWholeIsConverted) {
  const TempDir temp;
  // Lines of kana over 4 MB, with a character Shift-JIS lacks only at the end.
  std::string utf8;
  std::string sjis;
  for (int line = 0; utf8.size() < (5u << 20); ++line) {
    utf8 += std::to_string(line) + " あいうえお漢字\n";
    sjis += std::to_string(line) + " " + Sjis("あいうえお漢字") + "\r\n";
  }
  utf8 += "caf\xC3\xA9\n";
  sjis += "caf" + Sjis("〓") + "\r\n";
  std::string utf16 = "\xFF\xFE" + *Convert(utf8, "UTF-16LE", "UTF-8");
  SetSetting("setting", "Kanji_auto", "1");
  for (const auto& [bytes, encoding] :
       {std::pair{&utf8, TextEncoding::Utf8}, std::pair{&utf16, TextEncoding::Utf16Le}}) {
    WriteBytes(temp.path() + "/big.txt", *bytes);
    ModalScript script;
    script.QueueResult(QMessageBox::Yes);
    script.QueueResult(QMessageBox::Ok);
    WexHarness wex({QString::fromStdString(temp.path() + "/big.txt")});

    ASSERT_TRUE(wex.doc().IsLoading());
    EXPECT_TRUE(wex.view().IsReadOnly());
    EXPECT_EQ(PlainText(wex.view()).section(u'\n', 0, 0), QString::fromUtf8("0 あいうえお漢字"));
    // Only the head is converted yet: how much of the whole is in is not known.
    EXPECT_EQ(wex.frame().StatusBar()->GetPaneText(0), "読み込み中... 0%");

    LetTheLoadRun(wex);
    QCoreApplication::processEvents();
    EXPECT_FALSE(wex.view().IsReadOnly());
    EXPECT_FALSE(wex.doc().IsModified());
    EXPECT_TRUE(wex.view().GetPlainText() == sjis)
        << "the converted head and the rest joined wrongly";
    EXPECT_EQ(wex.doc().Format().encoding, encoding);
    ASSERT_EQ(script.messageBoxes().size(), 2u);
    EXPECT_TRUE(script.messageBoxes()[1].text.startsWith(
        QString::fromUtf8("シフトJISにない文字が1文字あり")));
  }
}
