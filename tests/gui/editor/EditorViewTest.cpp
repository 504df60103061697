// The editor view as a user meets it: conversions and their one-step undo, the
// font, the right-click menu, the caret pane, dropped files, find and replace.

#include "editor/FindCommands.h"
#include "editor/FindReplaceDialog.h"
#include "editor/FontCommands.h"
#include "editor/PointerInput.h"
#include "editor/PrintCommands.h"
#include "resources/CommandIds.h"
#include "tests/gui/editor/EditorTestSupport.h"
#include "tests/support/TempDir.h"

#include <QAction>
#include <QFontDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>
#include <QUrl>
#include <filesystem>
#include <new>
#include <vector>

namespace {

using namespace cmd;

bool UndoEnabled(WexHarness& wex) {
  wex.frame().UpdateCommandUI(ID_EDIT_UNDO);
  return wex.frame().CommandAction(ID_EDIT_UNDO)->isEnabled();
}

TEST_F(EditorTest, ConversionCountsAsAnEditAndUndoTakesItBackInOneStep) {
  WexHarness wex;
  ModalScript script;
  const std::string euc = "\xB0\xA1\xA4\xA2\r\nabc";
  const std::string sjis = "\x88\x9F\x82\xA0\r\nabc";
  wex.view().SetWholeText(euc);
  wex.frame().SendCommand(ID_EUC_TO_SJIS);
  DeliverPostedEvents();
  EXPECT_EQ(wex.view().GetPlainText(), sjis);
  EXPECT_TRUE(wex.doc().IsModified());
  EXPECT_TRUE(UndoEnabled(wex));

  wex.frame().SendCommand(ID_EDIT_UNDO);
  EXPECT_EQ(wex.view().GetPlainText(), euc);
  EXPECT_FALSE(wex.doc().IsModified());
  EXPECT_FALSE(UndoEnabled(wex));
  EXPECT_EQ(script.shown(), 0);
}

TEST_F(EditorTest, ConversionIsOneStepOfTheEditHistory) {
  WexHarness wex;
  const std::string euc = "\xB0\xA1\xA4\xA2\r\nabc";
  const std::string sjis = "\x88\x9F\x82\xA0\r\nabc";
  wex.view().SetWholeText(euc);
  QTest::keyClicks(&wex.view(), "m");  // modified before the conversion
  wex.frame().SendCommand(ID_EUC_TO_SJIS);
  QTest::keyClicks(&wex.view(), "xy");
  ASSERT_EQ(wex.view().GetPlainText(), "xym" + sjis);

  // Typing is undone first, then the conversion, and the typing before it last.
  wex.frame().SendCommand(ID_EDIT_UNDO);
  EXPECT_EQ(wex.view().GetPlainText(), "m" + sjis);
  wex.frame().SendCommand(ID_EDIT_UNDO);
  EXPECT_EQ(wex.view().GetPlainText(), "m" + euc);
  EXPECT_TRUE(wex.doc().IsModified()) << "modified before the conversion, so after its Undo";
  // Redo is the control's own keys, Ctrl+Y and Ctrl+Shift+Z.
  QTest::keyClick(&wex.view(), Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(wex.view().GetPlainText(), "m" + sjis);
  QTest::keyClick(&wex.view(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(wex.view().GetPlainText(), "xym" + sjis);

  // A new text (New, Open, a load, a drop) leaves nothing of the old one to undo.
  wex.frame().SendCommand(ID_JIS_TO_SJIS);
  wex.doc().OnNewDocument();
  EXPECT_FALSE(UndoEnabled(wex));
  wex.frame().SendCommand(ID_EDIT_UNDO);
  EXPECT_EQ(wex.view().GetPlainText(), "");
  const TempDir temp;
  const std::string& dir = temp.path();
  WriteBytes(dir + "/other.txt", "other");
  wex.view().SetWholeText(euc);
  wex.frame().SendCommand(ID_EUC_TO_SJIS);
  ASSERT_TRUE(wex.doc().OnOpenDocument(QString::fromStdString(dir + "/other.txt")));
  wex.frame().SendCommand(ID_EDIT_UNDO);
  EXPECT_EQ(wex.view().GetPlainText(), "other");
  EXPECT_FALSE(wex.doc().IsModified());
}

TEST_F(EditorTest, ConversionKeepsWhatFollowsANul) {
  WexHarness wex;
  wex.view().SetWholeText(std::string("\xB0\xA1\0\xB0\xA1\0\0z", 8));
  wex.frame().SendCommand(ID_EUC_TO_SJIS);
  EXPECT_EQ(wex.view().GetPlainText(), std::string("\x88\x9F\0\x88\x9F\0\0z", 8));
  wex.view().SetWholeText(std::string("\x1B$B0!\x1B(B\0\x1B$B0!", 14));
  wex.frame().SendCommand(ID_JIS_TO_SJIS);
  EXPECT_EQ(wex.view().GetPlainText(), std::string("\x88\x9F\0\x88\x9F", 5));
}

TEST_F(EditorTest, EachConversionIsAStepOfItsOwn) {
  WexHarness wex;
  wex.view().SetWholeText("\xB0\xA1 \x1B$B0!\x1B(B");
  wex.frame().SendCommand(ID_EUC_TO_SJIS);  // drops the escapes
  DeliverPostedEvents();
  EXPECT_EQ(wex.view().GetPlainText(), "\x88\x9F $B0!(B");
  wex.frame().SendCommand(ID_JIS_TO_SJIS);  // drops the Shift-JIS character
  DeliverPostedEvents();
  EXPECT_EQ(wex.view().GetPlainText(), " $B0!(B");
  wex.frame().SendCommand(ID_EDIT_UNDO);
  EXPECT_EQ(wex.view().GetPlainText(), "\x88\x9F $B0!(B");
  EXPECT_TRUE(wex.doc().IsModified());
  wex.frame().SendCommand(ID_EDIT_UNDO);
  EXPECT_EQ(wex.view().GetPlainText(), "\xB0\xA1 \x1B$B0!\x1B(B");
  EXPECT_FALSE(wex.doc().IsModified());
}

TEST_F(EditorTest, TransformationWithoutResultOrMemoryChangesNothing) {
  WexHarness wex;
  ModalScript script;
  script.QueueResult(QMessageBox::Ok);  // the memory message
  wex.view().SetWholeText("before");
  ASSERT_TRUE(wex.view().TransformWholeText([](const std::string&) { return "after"; }));
  DeliverPostedEvents();
  QTest::keyClicks(&wex.view(), "!");
  const std::string typed = wex.view().GetPlainText();

  EXPECT_FALSE(wex.view().TransformWholeText([](const std::string&) { return std::nullopt; }));
  EXPECT_FALSE(wex.view().TransformWholeText(
      [](const std::string&) -> std::optional<std::string> { throw std::bad_alloc(); }));
  DeliverPostedEvents();
  EXPECT_EQ(wex.view().GetPlainText(), typed);
  EXPECT_TRUE(wex.doc().IsModified());
  ASSERT_EQ(script.messageBoxes().size(), 1u);
  EXPECT_EQ(script.messageBoxes()[0].caption, "WEX");
  // The history is as it was: the typing, then the first transformation.
  wex.frame().SendCommand(ID_EDIT_UNDO);
  EXPECT_EQ(wex.view().GetPlainText(), "after");
  wex.frame().SendCommand(ID_EDIT_UNDO);
  EXPECT_EQ(wex.view().GetPlainText(), "before");
}

TEST_F(EditorTest, InformationBoxes) {
  WexHarness wex;
  ModalScript script;
  script.QueueResult(QMessageBox::Ok);
  script.QueueResult(QMessageBox::Ok);
  wex.frame().SendCommand(ID_EUC_SETTINGS);
  wex.frame().SendCommand(ID_JIS_SETTINGS);
  ASSERT_EQ(script.messageBoxes().size(), 2u);
  EXPECT_EQ(script.messageBoxes()[0].text,
            "文字コードをEUCからShift-JISに変換します\n\n設定はありません");
  EXPECT_EQ(script.messageBoxes()[1].text,
            "文字コードをJISからShift-JISに変換します\n\n設定はありません");
  for (const ShownMessageBox& box : script.messageBoxes()) {
    EXPECT_EQ(box.caption, "WEX");
    EXPECT_EQ(box.buttons, QMessageBox::Ok);
    EXPECT_EQ(box.icon, QMessageBox::NoIcon);
    EXPECT_EQ(box.owner, &wex.view());
  }
}

TEST_F(EditorTest, FontComesFromTheSettingsAndTheDialogWritesItBack) {
  SetSetting("font", "Height", "360");
  SetSetting("font", "CharSet", "128");
  SetSetting("font", "FaceName", "Terminal");
  WexHarness wex;
  EXPECT_DOUBLE_EQ(wex.view().font().pointSizeF(), 18.0);
  EXPECT_EQ(wex.view().Fonts().GetCharFormat().charSet, 128);
  // "Terminal" does not exist here; a Japanese face is used in its place.
  EXPECT_TRUE(QFontInfo(wex.view().font()).family().contains("CJK"))
      << QFontInfo(wex.view().font()).family().toStdString();

  wex.view().SetWholeText("abc\r\ndef");
  Select(wex.view(), 1, 5);
  ModalScript script;
  script.Queue([](QDialog& dialog) {
    QFont font("Noto Sans CJK JP");
    font.setPointSize(12);
    static_cast<QFontDialog&>(dialog).setCurrentFont(font);
    return static_cast<int>(QDialog::Accepted);
  });
  wex.frame().SendCommand(ID_FONT);
  EXPECT_FALSE(wex.doc().IsModified());
  EXPECT_EQ(AnchorOffset(wex.view()), 1);
  EXPECT_EQ(CaretOffset(wex.view()), 5);
  // 12 points are a whole number of pixels at most resolutions, and always
  // round back to 12 points: 240 twips.
  const int ppi = wex.view().logicalDpiY();
  const int pixels = qRound(12.0 * ppi / 72);
  EXPECT_EQ(GetSetting("font", "Height"), std::to_string(qRound(pixels * 72.0 / ppi) * 20)) << ppi;
  EXPECT_EQ(GetSetting("font", "CharSet"), "128");
  EXPECT_EQ(GetSetting("font", "FaceName"), "Noto Sans CJK JP");
  EXPECT_DOUBLE_EQ(wex.view().font().pointSizeF(), 12.0);

  // Cancelled: nothing changes.
  script.QueueResult(QDialog::Rejected);
  wex.frame().SendCommand(ID_FONT);
  EXPECT_EQ(GetSetting("font", "FaceName"), "Noto Sans CJK JP");
}

TEST_F(EditorTest, RightClickMenuRoutesItsNineEntries) {
  WexHarness wex;
  std::unique_ptr<QMenu> menu(wex.view().Pointer().CreateContextMenu());
  QStringList items;
  for (QAction* action : menu->actions())
    items << (action->isSeparator()
                  ? QStringLiteral("-")
                  : action->text() + "|" + QString::number(action->data().toInt()));
  EXPECT_EQ(items, QStringList({"元に戻す(&U)|57643", "-", "切り取り(&T)|57635", "ｺﾋﾟｰ(&C)|57634",
                                "貼り付け(&P)|57637", "すべて選択(&L)|57642", "-", "検索(&F)|57636",
                                "置換(&E)|57641"}));
  wex.view().SetWholeText("one two");
  menu.reset(wex.view().Pointer().CreateContextMenu());
  menu->actions()[5]->trigger();
  EXPECT_EQ(SelectedText(wex.view()), "one two");
  menu.reset(wex.view().Pointer().CreateContextMenu());
  menu->actions()[2]->trigger();  // cut
  EXPECT_EQ(wex.view().GetPlainText(), "");
  menu.reset(wex.view().Pointer().CreateContextMenu());
  menu->actions()[0]->trigger();  // undo
  EXPECT_EQ(wex.view().GetPlainText(), "one two");
}

TEST_F(EditorTest, RightClickMenuItemsAreEnabledAsTheEditMenusAre) {
  WexHarness wex;
  const auto check = [&wex](const char* when) {
    std::unique_ptr<QMenu> menu(wex.view().Pointer().CreateContextMenu());
    for (QAction* action : menu->actions()) {
      if (action->isSeparator()) continue;
      const int id = action->data().toInt();
      wex.frame().UpdateCommandUI(id);
      EXPECT_EQ(action->isEnabled(), wex.frame().CommandAction(id)->isEnabled())
          << when << " " << id;
    }
    return menu;
  };
  // Empty and untouched: Undo, Cut, Copy, Select All, Find and Replace are all off.
  std::unique_ptr<QMenu> menu = check("empty");
  EXPECT_FALSE(menu->actions()[0]->isEnabled());
  EXPECT_FALSE(menu->actions()[2]->isEnabled());
  EXPECT_FALSE(menu->actions()[7]->isEnabled());
  menu->actions()[7]->trigger();  // Find, disabled: no dialog opens
  EXPECT_EQ(wex.view().Find().Dialog(), nullptr);

  wex.view().SetWholeText("one two");
  Select(wex.view(), AnchorOffset(wex.view()), 3);
  menu = check("a selection");
  EXPECT_TRUE(menu->actions()[2]->isEnabled());
  EXPECT_TRUE(menu->actions()[7]->isEnabled());
  EXPECT_FALSE(menu->actions()[0]->isEnabled());
}

TEST_F(EditorTest, CaretPaneCountsScreenLines) {
  WexHarness wex;
  wex.frame().resize(400, 300);
  wex.frame().show();
  wex.view().SetWholeText(
      "abc\r\nde"
      "fgh");
  EXPECT_EQ(LineColumnPane(wex), "   1:  0");
  QTest::keyClick(&wex.view(), Qt::Key_Down);
  QTest::keyClick(&wex.view(), Qt::Key_Right);
  QTest::keyClick(&wex.view(), Qt::Key_Right);
  QTest::keyClick(&wex.view(), Qt::Key_Right);
  EXPECT_EQ(LineColumnPane(wex), "   2:  3");

  // A long paragraph wraps: its end lies on a later screen line, near its start.
  wex.view().SetWholeText(std::string(2000, 'x'));
  MoveToEnd(wex.view());
  const QStringList parts = LineColumnPane(wex).split(u':');
  ASSERT_EQ(parts.size(), 2);
  EXPECT_GT(parts[0].trimmed().toInt(), 1);
  EXPECT_LT(parts[1].trimmed().toInt(), 2000);
  wex.view().SetWholeText(std::string(1234, '\n'));
  MoveToEnd(wex.view());
  EXPECT_EQ(LineColumnPane(wex), "1235:  0");
}

int PaneLine(WexHarness& wex) { return LineColumnPane(wex).split(u':')[0].trimmed().toInt(); }

TEST_F(EditorTest, CaretPaneCountsWrappedParagraphsNeverShown) {
  WexHarness wex;
  wex.frame().resize(400, 300);
  wex.frame().show();
  // Many long paragraphs, most of which are never on the screen.
  constexpr int kParagraphs = 300;
  const std::string paragraph(1000, 'x');
  std::string text;
  for (int i = 0; i < kParagraphs; ++i) text += paragraph + "\r\n";
  wex.view().SetWholeText(text);
  QCoreApplication::processEvents();  // the scroll bar takes its share of the width
  // The lines of one paragraph, read where the first one ends (on the screen).
  wex.view().SetCaret({1, 0});
  const int linesEach = PaneLine(wex) - 1;
  ASSERT_GT(linesEach, 2);

  // The caret at the end, below paragraphs that were never shown.
  MoveToEnd(wex.view());
  EXPECT_EQ(LineColumnPane(wex), QString::asprintf("%4d:%3d", kParagraphs * linesEach + 1, 0));
  // Typing at the end changes nothing above.
  QTest::keyClicks(&wex.view(), "ab");
  EXPECT_EQ(LineColumnPane(wex), QString::asprintf("%4d:%3d", kParagraphs * linesEach + 1, 2));
  // A paragraph more at the top.
  MoveToStart(wex.view());
  wex.view().InsertText(QString(1000, u'y') + u'\n');
  MoveToEnd(wex.view());
  EXPECT_EQ(PaneLine(wex), kParagraphs * linesEach + 1 + linesEach);

  // A narrower window wraps every paragraph into more lines.
  wex.frame().resize(250, 300);
  MoveToStart(wex.view());
  MoveToEnd(wex.view());
  EXPECT_GT(PaneLine(wex), (kParagraphs + 1) * linesEach + 1);
}

TEST_F(EditorTest, CaretPaneColumnRunsToTheSelectionsEnd) {
  WexHarness wex;
  wex.frame().show();
  wex.view().SetWholeText("abc\r\ndefgh");
  Select(wex.view(), 9, 5);  // caret after "d", selection to the end
  EXPECT_EQ(LineColumnPane(wex), "   2:  5");
  Select(wex.view(), 1, 6);  // caret after "de"
  EXPECT_EQ(LineColumnPane(wex), "   2:  2");
}

// The words of a PDF file with their places in points (pdftotext -bbox).
struct PdfWord {
  QString text;
  double x = 0, y = 0;
};
std::vector<PdfWord> PdfWords(const QString& pdf) {
  QProcess process;
  process.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
  process.waitForFinished();
  const QString html = QString::fromUtf8(process.readAllStandardOutput());
  static const QRegularExpression word(
      QStringLiteral(R"re(<word xMin="([\d.]+)" yMin="([\d.]+)"[^>]*>([^<]*)</word>)re"));
  std::vector<PdfWord> words;
  for (auto it = word.globalMatch(html); it.hasNext();) {
    const QRegularExpressionMatch m = it.next();
    words.push_back({m.captured(3), m.captured(1).toDouble(), m.captured(2).toDouble()});
  }
  return words;
}

TEST_F(EditorTest, PrintedTextStartsAtTheHalfInchMarginsWithNothingAdded) {
  if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
    GTEST_SKIP() << "pdftotext (poppler-utils) is needed to read the printed page";
  const TempDir temp;
  const QString pdf = QString::fromStdString(temp.path() + "/out.pdf");
  WexHarness wex;
  wex.view().SetWholeText("Printed\r\ntext");
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(pdf);
  printer.setPageSize(QPageSize(QPageSize::A4));
  wex.view().Printing().Print(printer);
  const std::vector<PdfWord> words = PdfWords(pdf);
  ASSERT_EQ(words.size(), 2u);  // no page number
  EXPECT_EQ(words[0].text, "Printed");
  EXPECT_NEAR(words[0].x, 36.0, 1.5);  // 720 twips
  EXPECT_NEAR(words[0].y, 36.0, 4.0);
  EXPECT_EQ(words[1].text, "text");
  EXPECT_NEAR(words[1].x, 36.0, 1.5);
}

// A drop reaches the widget that accepted the drag that entered before it.
void DropOn(QWidget* target, QMimeData& data) {
  QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(target, &enter);
  ASSERT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(target, &drop);
}

void DropOnView(WexHarness& wex, QMimeData& data) { DropOn(wex.view().viewport(), data); }

TEST_F(EditorTest, DroppedFilesOpenInOrderAfterTheMessage) {
  const TempDir temp;
  const std::string& dir = temp.path();
  WriteBytes(dir + "/a.txt", "first");
  WriteBytes(dir + "/b.txt", "second");
  WexHarness wex;
  ModalScript script;
  QTest::keyClicks(&wex.view(), "edit");
  script.QueueResult(QMessageBox::Ok);  // ドロップ！
  script.QueueResult(QMessageBox::No);  // do not save the edit
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(QString::fromStdString(dir + "/a.txt")),
                QUrl::fromLocalFile(QString::fromStdString(dir + "/b.txt"))});
  DropOnView(wex, data);
  ASSERT_EQ(script.messageBoxes().size(), 2u);
  EXPECT_EQ(script.messageBoxes()[0].text, "ドロップ！");
  EXPECT_EQ(script.messageBoxes()[0].caption, "WEX");
  EXPECT_EQ(script.messageBoxes()[0].icon, QMessageBox::Warning);
  EXPECT_EQ(script.messageBoxes()[1].text, "memo への変更を保存しますか?");
  EXPECT_EQ(wex.view().GetPlainText(), "second");
  EXPECT_EQ(wex.doc().GetTitle(), "b.txt");
  EXPECT_FALSE(wex.doc().IsModified());

  // Cancel at the question keeps the text; the message is shown all the same.
  QTest::keyClicks(&wex.view(), "!");
  script.QueueResult(QMessageBox::Ok);
  script.QueueResult(QMessageBox::Cancel);
  script.QueueResult(QMessageBox::Cancel);
  DropOnView(wex, data);
  EXPECT_EQ(script.messageBoxes().size(), 5u);
  EXPECT_EQ(wex.view().GetPlainText(), "!second");

  // Dropped on the frame itself (bars, borders): no message, straight to the files.
  script.QueueResult(QMessageBox::No);  // the "!" edit is dropped
  DropOn(&wex.frame(), data);
  EXPECT_EQ(script.messageBoxes().size(), 6u);
  EXPECT_EQ(wex.doc().GetTitle(), "b.txt");
  EXPECT_EQ(wex.view().GetPlainText(), "second");
}

TEST_F(EditorTest, FindFindNextAndReplace) {
  WexHarness wex;
  wex.frame().UpdateCommandUI(ID_EDIT_FIND);
  EXPECT_FALSE(wex.frame().CommandAction(ID_EDIT_FIND)->isEnabled());
  wex.view().SetWholeText("Apple apple pineapple\r\napple");
  wex.frame().UpdateCommandUI(ID_EDIT_REPEAT);
  EXPECT_FALSE(wex.frame().CommandAction(ID_EDIT_REPEAT)->isEnabled());

  wex.frame().SendCommand(ID_EDIT_FIND);
  FindReplaceDialog* dialog = wex.view().Find().Dialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_FALSE(dialog->IsReplace());
  EXPECT_EQ(dialog->windowTitle(), "検索");
  FindRequest request;
  request.what = "apple";
  request.matchCase = true;
  request.wholeWord = true;
  EXPECT_TRUE(wex.view().Find().FindNext(request));
  EXPECT_EQ(OffsetOf(wex.view().Buffer(), wex.view().Selection().begin), 6);
  wex.frame().SendCommand(ID_EDIT_REPEAT);  // F3: "pineapple" is not a whole word
  EXPECT_EQ(OffsetOf(wex.view().Buffer(), wex.view().Selection().begin), 22);
  EXPECT_FALSE(wex.view().Find().FindNext(request));
  request.down = false;
  EXPECT_TRUE(wex.view().Find().FindNext(request));
  EXPECT_EQ(OffsetOf(wex.view().Buffer(), wex.view().Selection().begin), 6);

  wex.frame().SendCommand(ID_EDIT_REPLACE);
  ASSERT_TRUE(wex.view().Find().Dialog()->IsReplace());
  EXPECT_EQ(wex.view().Find().Dialog()->FindEdit()->text(), "apple");  // the selection
  request = {};
  request.what = "apple";
  request.with = "pear";
  EXPECT_EQ(wex.view().Find().ReplaceAll(request), 4);
  EXPECT_EQ(wex.view().GetPlainText(), "pear pear pinepear\r\npear");
  wex.frame().SendCommand(ID_EDIT_UNDO);
  EXPECT_EQ(wex.view().GetPlainText(), "Apple apple pineapple\r\napple");
}

TEST_F(EditorTest, FindDialogKeysPressTheFocusedButton) {
  WexHarness wex;
  wex.view().SetWholeText("apple apple");
  wex.frame().SendCommand(ID_EDIT_REPLACE);
  FindReplaceDialog* dialog = wex.view().Find().Dialog();
  ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
  dialog->FindEdit()->setText("apple");
  dialog->ReplaceEdit()->setText("pear");
  const auto button = [dialog](const char* text) {
    for (QPushButton* b : dialog->findChildren<QPushButton*>())
      if (b->text() == QString::fromUtf8(text)) return b;
    return static_cast<QPushButton*>(nullptr);
  };
  // Enter in an edit field is the default button, Find Next.
  dialog->ReplaceEdit()->setFocus(Qt::TabFocusReason);
  QTest::keyClick(dialog->ReplaceEdit(), Qt::Key_Return);
  EXPECT_EQ(SelectedText(wex.view()), "apple");
  EXPECT_EQ(wex.view().GetPlainText(), "apple apple");
  // Enter on a focused button presses that button.
  button("すべて置換(&A)")->setFocus(Qt::TabFocusReason);
  QTest::keyClick(button("すべて置換(&A)"), Qt::Key_Return);
  EXPECT_EQ(wex.view().GetPlainText(), "pear pear");
  button("キャンセル")->setFocus(Qt::TabFocusReason);
  QTest::keyClick(button("キャンセル"), Qt::Key_Return);
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_EQ(wex.view().GetPlainText(), "pear pear");
}

}  // namespace
