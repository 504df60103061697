// Files that are not ordinary text files and names at the file system's limits:
// each failure is told with its own cause, the text stays as it was, and the
// messages fit on the screen.

#include "editor/PointerInput.h"
#include "framework/FileErrorReport.h"
#include "platform/FileBytes.h"
#include "resources/CommandIds.h"
#include "tests/gui/editor/EditorTestSupport.h"
#include "tests/support/TempDir.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QApplication>
#include <QFontMetrics>
#include <QScreen>
#include <QTest>
#include <cerrno>
#include <filesystem>
#include <set>
#include <thread>

namespace {

using namespace cmd;

class OddFilesTest : public EditorTest {
 protected:
  void SetUp() override { EditorTest::SetUp(); }
  const TempDir temp_;
  const std::string& dir_ = temp_.path();
};

TEST_F(OddFilesTest, FifoDirectoryAndDeviceAreRefusedAndTheTextStays) {
  WriteBytes(dir_ + "/doc.txt", "kept");
  const std::string fifo = dir_ + "/fifo";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
  WexHarness wex({QString::fromStdString(dir_ + "/doc.txt")});
  ModalScript script;
  for (int box = 0; box < 3; ++box) script.QueueResult(QMessageBox::Ok);
  // Should the open wait for a writer, one comes after a while and writes nothing.
  std::thread writer([fifo] {
    ::sleep(3);
    const int fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
    if (fd >= 0) ::close(fd);
  });
  wex.view().Pointer().OpenDroppedFiles(
      {QString::fromStdString(fifo), QString::fromStdString(dir_), QStringLiteral("/dev/zero")});
  writer.join();
  ASSERT_EQ(script.messageBoxes().size(), 3u);
  EXPECT_EQ(script.messageBoxes()[0].text.toStdString(),
            fifo + " はﾃｷｽﾄ ﾌｧｲﾙではなく、ﾊﾟｲﾌﾟ、ﾃﾞﾊﾞｲｽまたはｿｹｯﾄです。");
  EXPECT_EQ(script.messageBoxes()[1].text.toStdString(), dir_ + " はﾌｧｲﾙではなくﾃﾞｨﾚｸﾄﾘです。");
  EXPECT_EQ(script.messageBoxes()[2].text.toStdString(),
            "/dev/zero はﾃｷｽﾄ ﾌｧｲﾙではなく、ﾊﾟｲﾌﾟ、ﾃﾞﾊﾞｲｽまたはｿｹｯﾄです。");
  EXPECT_EQ(wex.view().GetPlainText(), "kept");
  EXPECT_EQ(wex.doc().GetTitle(), "doc.txt");
}

TEST_F(OddFilesTest, NamesAsLongAsTheFileSystemTakesAreSaved) {
  std::string japanese;  // 85 three-byte characters, 255 bytes
  for (int i = 0; i < 85; ++i) japanese += "長";
  const std::string longest = dir_ + "/" + std::string(251, 'n') + ".txt";
  WriteBytes(dir_ + "/" + japanese, "old");
  WexHarness wex({QString::fromStdString(dir_ + "/" + japanese)});
  QTest::keyClicks(&wex.view(), "new ");
  ModalScript script;
  wex.frame().SendCommand(ID_FILE_SAVE);
  QueueFileChoice(script, longest);
  wex.frame().SendCommand(ID_FILE_SAVE_AS);
  EXPECT_EQ(script.messageBoxes().size(), 0u);
  EXPECT_EQ(ReadBytes(dir_ + "/" + japanese), "new old");
  EXPECT_EQ(ReadBytes(longest), "new old");
  EXPECT_FALSE(wex.doc().IsModified());
}

// A name one byte too long is told as such, in a box no wider than the screen:
// the path is cut in its middle and both of its ends stay.
TEST_F(OddFilesTest, TooLongNameIsToldInABoxThatFitsTheScreen) {
  const std::string name = "start" + std::string(246, 'n') + "end.txt";
  WexHarness wex;
  QTest::keyClicks(&wex.view(), "x");
  ModalScript script;
  QueueFileChoice(script, dir_ + "/" + name);
  script.QueueResult(QMessageBox::Ok);
  wex.frame().SendCommand(ID_FILE_SAVE_AS);
  ASSERT_EQ(script.messageBoxes().size(), 1u);
  const QString text = script.messageBoxes()[0].text;
  EXPECT_TRUE(text.startsWith(QString::fromStdString(dir_ + "/start"))) << text.toStdString();
  EXPECT_TRUE(text.endsWith(QString::fromUtf8("nend.txt のﾌｧｲﾙ名またはﾊﾟｽが長すぎます。")))
      << text.toStdString();
  const QString path = text.section(u' ', 0, 0);
  EXPECT_TRUE(path.contains(QChar(0x2026)));
  EXPECT_LE(QFontMetrics(QApplication::font()).horizontalAdvance(path),
            QApplication::primaryScreen()->availableGeometry().width() / 2);
  EXPECT_TRUE(wex.doc().IsModified());
}

// Every cause has its own text, and none says "not found" of a file that exists.
TEST_F(OddFilesTest, EachCauseOfAFailureHasItsOwnMessage) {
  ModalScript script;
  const int causes[] = {ENAMETOOLONG, EACCES, ENOSPC, EROFS, EISDIR, kNotRegularFile, ENOENT};
  for (std::size_t box = 0; box < std::size(causes) + 1; ++box) script.QueueResult(QMessageBox::Ok);
  for (const int cause : causes) ReportFileError(nullptr, FileErrorFromErrno(cause), "/d/f");
  ASSERT_EQ(script.messageBoxes().size(), std::size(causes));
  std::set<QString> texts;
  for (const ShownMessageBox& box : script.messageBoxes()) {
    EXPECT_TRUE(box.text.startsWith("/d/f ")) << box.text.toStdString();
    texts.insert(box.text);
  }
  EXPECT_EQ(texts.size(), std::size(causes));
  EXPECT_EQ(script.messageBoxes()[3].text,
            "/d/f は読み取り専用のﾃﾞｨｽｸにあるため、書き込めません。");

  // Saved onto a directory, the document says so and stays modified.
  ::mkdir((dir_ + "/folder").c_str(), 0755);
  WexHarness wex;
  QTest::keyClicks(&wex.view(), "x");
  wex.doc().SetPathName(QString::fromStdString(dir_ + "/folder"));
  wex.frame().SendCommand(ID_FILE_SAVE);
  ASSERT_EQ(script.messageBoxes().size(), std::size(causes) + 1);
  EXPECT_EQ(script.messageBoxes().back().text.toStdString(),
            dir_ + "/folder はﾌｧｲﾙではなくﾃﾞｨﾚｸﾄﾘです。");
  EXPECT_TRUE(wex.doc().IsModified());
}

}  // namespace
