// Files in UTF-8 and UTF-16 and with LF or CR line ends: recognised, converted,
// written back in their own form; the format pane; Save As in every encoding.

#include "framework/StatusBar.h"
#include "resources/CommandIds.h"
#include "tests/gui/editor/EditorTestSupport.h"
#include "tests/support/Iconv.h"
#include "tests/support/TempDir.h"

#include <QComboBox>
#include <QFileDialog>
#include <QTest>
#include <cstdio>

namespace {

using namespace cmd;

// `in` converted by the reference converter; a failure is the test's.
std::string Converted(const std::string& in, const char* to, const char* from) {
  const std::optional<std::string> out = Convert(in, to, from);
  EXPECT_TRUE(out) << to;
  return out.value_or(std::string());
}

QString FormatPane(WexHarness& wex) {
  CStatusBar* bar = wex.frame().StatusBar();
  return bar->GetPaneText(bar->CommandToIndex(ID_INDICATOR_FORMAT));
}

// Answers Save As: the file, and the encoding and line end by their place in the lists.
void QueueSaveAs(ModalScript& script, const std::string& path, int encoding, int lineEnd) {
  script.Queue([=](QDialog& dialog) {
    dialog.findChild<QComboBox*>("encoding")->setCurrentIndex(encoding);
    dialog.findChild<QComboBox*>("lineEnd")->setCurrentIndex(lineEnd);
    static_cast<QFileDialog&>(dialog).selectFile(QString::fromStdString(path));
    return static_cast<int>(QDialog::Accepted);
  });
}

const char kPerl[] = "#!/usr/bin/perl\nprint \"日本語のテキスト〜\";\n";

TEST_F(EditorTest, Utf8FileWithLfIsConvertedOnYesAndWrittenBackByteForByte) {
  const TempDir temp;
  const std::string& dir = temp.path();
  WriteBytes(dir + "/a.cgi", kPerl);
  ModalScript script;
  script.QueueResult(QMessageBox::Yes);
  WexHarness wex({QString::fromStdString(dir + "/a.cgi")});
  ASSERT_EQ(script.messageBoxes().size(), 1u);
  EXPECT_EQ(script.messageBoxes()[0].text,
            "このﾌｧｲﾙはUTF-8で記述されていると思われます。\nシフトJISに変換して読み込みますか？");
  EXPECT_EQ(script.messageBoxes()[0].caption, "Wex");
  EXPECT_EQ(script.messageBoxes()[0].buttons, QMessageBox::Yes | QMessageBox::No);
  EXPECT_EQ(script.messageBoxes()[0].owner, &wex.frame());
  EXPECT_EQ(wex.view().GetPlainText(),
            Sjis("#!/usr/bin/perl\r\nprint \"日本語のテキスト～\";\r\n"));
  EXPECT_EQ(FormatPane(wex), "UTF-8 LF");
  EXPECT_FALSE(wex.doc().IsModified());
  wex.frame().SendCommand(ID_FILE_SAVE);
  // The wave dash comes back under the code point the file had it under (U+301C).
  EXPECT_EQ(ReadBytes(dir + "/a.cgi"), kPerl);
  QTest::keyClicks(&wex.view(), "#");
  wex.frame().SendCommand(ID_FILE_SAVE);
  EXPECT_EQ(ReadBytes(dir + "/a.cgi"), std::string("#") + kPerl);
  EXPECT_EQ(script.shown(), 1);
}

TEST_F(EditorTest, AnsweringNoKeepsEveryByteAndTheLineEnds) {
  const TempDir temp;
  const std::string& dir = temp.path();
  const std::string cr = "UTF-8 \xE3\x81\x82\r\xE3\x81\x84\r";
  WriteBytes(dir + "/cr.txt", cr);
  ModalScript script;
  script.QueueResult(QMessageBox::No);
  WexHarness wex({QString::fromStdString(dir + "/cr.txt")});
  EXPECT_EQ(script.shown(), 1);
  EXPECT_EQ(FormatPane(wex), "Shift-JIS CR");
  wex.frame().SendCommand(ID_FILE_SAVE);
  EXPECT_EQ(ReadBytes(dir + "/cr.txt"), cr);

  // The Open command converts on Yes too; its prompt is the view's.
  QueueFileChoice(script, dir + "/cr.txt");
  script.QueueResult(QMessageBox::Yes);
  wex.frame().SendCommand(ID_FILE_OPEN);
  EXPECT_EQ(script.messageBoxes().back().owner, &wex.view());
  EXPECT_EQ(wex.view().GetPlainText(), Sjis("UTF-8 あ\r\nい\r\n"));
  EXPECT_EQ(FormatPane(wex), "UTF-8 CR");
  QTest::keyClicks(&wex.view(), "!");
  wex.frame().SendCommand(ID_FILE_SAVE);
  EXPECT_EQ(ReadBytes(dir + "/cr.txt"), "!" + cr);
}

TEST_F(EditorTest, Utf16FilesWithAndWithoutMarkComeBackInTheirOwnForm) {
  const TempDir temp;
  const std::string& dir = temp.path();
  const std::string text = "名前,値\r\nkey,かな\r\n";
  const std::string le = "\xFF\xFE" + Converted(text, "UTF-16LE", "UTF-8");
  const std::string be = Converted(text, "UTF-16BE", "UTF-8");  // no mark: its NULs tell
  WriteBytes(dir + "/le.txt", le);
  WriteBytes(dir + "/be.txt", be);
  ModalScript script;
  script.QueueResult(QMessageBox::Yes);
  WexHarness wex({QString::fromStdString(dir + "/le.txt")});
  EXPECT_EQ(script.messageBoxes().back().text,
            "このﾌｧｲﾙはUTF-16で記述されていると思われます。\nシフトJISに変換して読み込みますか？");
  EXPECT_EQ(wex.view().GetPlainText(), Sjis(text.c_str()));
  EXPECT_EQ(FormatPane(wex), "UTF-16LE CRLF");
  wex.frame().SendCommand(ID_FILE_SAVE);
  EXPECT_EQ(ReadBytes(dir + "/le.txt"), le);

  script.QueueResult(QMessageBox::Yes);
  ASSERT_TRUE(wex.doc().OnOpenDocument(QString::fromStdString(dir + "/be.txt")));
  EXPECT_EQ(wex.view().GetPlainText(), Sjis(text.c_str()));
  EXPECT_EQ(FormatPane(wex), "UTF-16BE CRLF");
  QTest::keyClicks(&wex.view(), "x");
  wex.frame().SendCommand(ID_FILE_SAVE);
  EXPECT_EQ(ReadBytes(dir + "/be.txt"), Converted("x" + text, "UTF-16BE", "UTF-8"));

  // New: Shift-JIS with CR LF.
  wex.frame().SendCommand(ID_FILE_NEW);
  EXPECT_EQ(FormatPane(wex), "Shift-JIS CRLF");
}

TEST_F(EditorTest, Utf16AnsweredNoIsWrittenBackByteForByte) {
  // UTF-16 is full of CR and LF bytes that are halves of characters: 上 is U+4E0A,
  // 」 U+300D; the first of them makes the document's line end CR or LF.
  const std::string japanese = "」で始まる上の行\r\n「上り」と「下り」\r\n\r\n最後の行」";
  const std::string ascii = "id=1, name=\"上り」\"\r\nid=2, name=\"下り」\"\n";
  const std::string files[] = {
      "\xFF\xFE" + Converted(japanese, "UTF-16LE", "UTF-8"),
      "\xFE\xFF" + Converted(japanese, "UTF-16BE", "UTF-8"),
      Converted(ascii, "UTF-16LE", "UTF-8"),
      Converted(ascii, "UTF-16BE", "UTF-8"),
      Converted(japanese, "UTF-16BE", "UTF-8"),
  };
  const TempDir temp;
  const std::string path = temp.path() + "/utf16.txt";
  ModalScript script;
  WexHarness wex;
  for (const std::string& bytes : files) {
    WriteBytes(path, bytes);
    script.QueueResult(QMessageBox::No);
    ASSERT_TRUE(wex.doc().OnOpenDocument(QString::fromStdString(path)));
    EXPECT_EQ(
        script.messageBoxes().back().text,
        "このﾌｧｲﾙはUTF-16で記述されていると思われます。\nシフトJISに変換して読み込みますか？");
    ASSERT_EQ(std::remove(path.c_str()), 0);  // so that the bytes compared are Save's
    wex.frame().SendCommand(ID_FILE_SAVE);
    EXPECT_EQ(ReadBytes(path), bytes);
    // A line typed at the start ends in the document's own line end; the rest stays.
    QTest::keyClicks(&wex.view(), "a");
    QTest::keyClick(&wex.view(), Qt::Key_Return);
    wex.frame().SendCommand(ID_FILE_SAVE);
    const std::string lineEnd = FormatPane(wex).endsWith("CRLF") ? "\r\n"
                                : FormatPane(wex).endsWith("LF") ? "\n"
                                                                 : "\r";
    EXPECT_EQ(ReadBytes(path), "a" + lineEnd + bytes);
  }
  EXPECT_EQ(script.shown(), 5);
}

TEST_F(EditorTest, ReplacedCharactersAreReportedOnceTheTextIsShown) {
  const TempDir temp;
  const std::string& dir = temp.path();
  // Twelve different characters Shift-JIS cannot hold, one of them twice.
  WriteBytes(dir + "/emoji.txt", "a😀😁😂🤣😃😄😅😆😉😊😋😎😀b\n");
  ModalScript script;
  script.QueueResult(QMessageBox::Yes);
  script.QueueResult(QMessageBox::Ok);  // the message of what was replaced
  WexHarness wex({QString::fromStdString(dir + "/emoji.txt")});
  std::string geta;
  for (int i = 0; i < 13; ++i) geta += "\x81\xAC";
  EXPECT_EQ(wex.view().GetPlainText(), "a" + geta + "b\r\n");
  EXPECT_EQ(script.messageBoxes().size(), 1u);  // the message waits for the text to show
  DeliverPostedEvents();
  ASSERT_EQ(script.messageBoxes().size(), 2u);
  const ShownMessageBox& box = script.messageBoxes()[1];
  EXPECT_EQ(box.text,
            "シフトJISにない文字が13文字あり、〓に置き換えました。\n"
            "😀😁😂🤣😃😄😅😆😉😊");
  EXPECT_EQ(box.caption, "Wex");
  EXPECT_EQ(box.owner, &wex.frame());
  // Written back as UTF-8, "〓" is U+3013.
  wex.frame().SendCommand(ID_FILE_SAVE);
  std::string expected = "a";
  for (int i = 0; i < 13; ++i) expected += "〓";
  EXPECT_EQ(ReadBytes(dir + "/emoji.txt"), expected + "b\n");
}

TEST_F(EditorTest, SaveAsWritesEveryEncodingAsIconvDoes) {
  const TempDir temp;
  const std::string& dir = temp.path();
  const std::string utf8 = "吾輩は猫である。ｶﾀｶﾅ and ASCII\n二行目\n";
  WriteBytes(dir + "/doc.txt", Converted(utf8, "CP932", "UTF-8"));
  WexHarness wex({QString::fromStdString(dir + "/doc.txt")});
  ModalScript script;
  // The choices start at the document's format.
  script.Queue([](QDialog& dialog) {
    EXPECT_EQ(dialog.findChild<QComboBox*>("encoding")->currentText(), "Shift-JIS");
    EXPECT_EQ(dialog.findChild<QComboBox*>("lineEnd")->currentText(), "LF");
    QStringList encodings;
    for (int i = 0; i < dialog.findChild<QComboBox*>("encoding")->count(); ++i)
      encodings << dialog.findChild<QComboBox*>("encoding")->itemText(i);
    EXPECT_EQ(encodings.join(u','), "Shift-JIS,UTF-8,UTF-8 BOM,UTF-16LE,UTF-16BE,EUC-JP,JIS");
    return static_cast<int>(QDialog::Rejected);
  });
  wex.frame().SendCommand(ID_FILE_SAVE_AS);
  const std::string crlf = "吾輩は猫である。ｶﾀｶﾅ and ASCII\r\n二行目\r\n";
  const std::string jisText =
      "吾輩は猫である。 and ASCII\r\n二行目\r\n";  // JIS has no half-width kana
  const struct {
    int encoding;
    std::string expected;
  } cases[] = {
      {0, Converted(crlf, "CP932", "UTF-8")},
      {1, crlf},
      {2, "\xEF\xBB\xBF" + crlf},
      {3, "\xFF\xFE" + Converted(crlf, "UTF-16LE", "UTF-8")},
      {4, "\xFE\xFF" + Converted(crlf, "UTF-16BE", "UTF-8")},
      {5, Converted(crlf, "EUC-JP", "UTF-8")},
  };
  for (const auto& [encoding, expected] : cases) {
    const std::string path = dir + "/out" + std::to_string(encoding) + ".txt";
    QueueSaveAs(script, path, encoding, 0);
    wex.frame().SendCommand(ID_FILE_SAVE_AS);
    EXPECT_EQ(ReadBytes(path), expected) << encoding;
  }
  // Four half-width katakana JIS cannot hold: asked first; No writes nothing.
  QueueSaveAs(script, dir + "/jis.txt", 6, 0);
  script.QueueResult(QMessageBox::No);
  wex.frame().SendCommand(ID_FILE_SAVE_AS);
  EXPECT_EQ(script.messageBoxes().back().text,
            "JISにない文字が4文字あります。〓に置き換えて保存しますか？");
  EXPECT_FALSE(QFile::exists(QString::fromStdString(dir + "/jis.txt")));
  QueueSaveAs(script, dir + "/jis.txt", 6, 0);
  script.QueueResult(QMessageBox::Yes);
  wex.frame().SendCommand(ID_FILE_SAVE_AS);
  EXPECT_EQ(ReadBytes(dir + "/jis.txt"),
            Converted("吾輩は猫である。〓〓〓〓 and ASCII\r\n二行目\r\n", "ISO-2022-JP", "UTF-8"));

  // Another file: the document's own format stays; its own file: it changes.
  EXPECT_EQ(FormatPane(wex), "Shift-JIS LF");
  QueueSaveAs(script, dir + "/doc.txt", 5, 2);
  script.QueueResult(QMessageBox::Yes);  // replace the existing file
  wex.frame().SendCommand(ID_FILE_SAVE_AS);
  EXPECT_EQ(FormatPane(wex), "EUC-JP CR");
  QTest::keyClicks(&wex.view(), "x");
  wex.frame().SendCommand(ID_FILE_SAVE);
  EXPECT_EQ(ReadBytes(dir + "/doc.txt"),
            Converted("x吾輩は猫である。ｶﾀｶﾅ and ASCII\r二行目\r", "EUC-JP", "UTF-8"));
  EXPECT_EQ(script.unanswered(), 0);
}

}  // namespace
