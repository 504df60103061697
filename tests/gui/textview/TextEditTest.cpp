// The edit control as a user meets it: keys and their Undo steps, moving over
// wrapped rows and segment boundaries, a file coming in while the window is
// used, and the input method.

#include "tests/support/ViewText.h"
#include "textview/TextEdit.h"

#include <gtest/gtest.h>
#include <QInputMethodEvent>
#include <QScrollBar>
#include <QTest>

namespace {

using textview::TextEdit;

struct ShownEdit {
  TextEdit edit;
  explicit ShownEdit(int width = 400) {
    edit.resize(width, 300);
    edit.show();
  }
};

void Key(TextEdit& edit, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QTest::keyClick(&edit, key, modifiers);
}

TEST(TextEdit, KeysEditAndUndoInTheStepsAUserExpects) {
  ShownEdit shown;
  TextEdit& edit = shown.edit;

  // A run of typing is one step; typing somewhere else starts another.
  QTest::keyClicks(&edit, "abc");
  Key(edit, Qt::Key_Left);
  QTest::keyClicks(&edit, "x");
  EXPECT_EQ(PlainText(edit), "abxc");
  edit.Undo();
  EXPECT_EQ(PlainText(edit), "abc");
  edit.Undo();
  EXPECT_EQ(PlainText(edit), "");
  EXPECT_FALSE(edit.Buffer().CanUndo());
  edit.Redo();
  EXPECT_EQ(PlainText(edit), "abc");
  EXPECT_EQ(CaretOffset(edit), 3u) << "Redo puts the caret after the text it brings back";

  // Backspaces in a row are one step; a pair of surrogates goes as one character.
  SetPlainText(edit, QString::fromUtf8("a😀bcd"));
  MoveToEnd(edit);
  for (int i = 0; i < 4; ++i) Key(edit, Qt::Key_Backspace);
  EXPECT_EQ(PlainText(edit), "a");
  edit.Undo();
  EXPECT_EQ(PlainText(edit), QString::fromUtf8("a😀bcd"));
  Select(edit, 1, 1);
  Key(edit, Qt::Key_Right);
  EXPECT_EQ(CaretOffset(edit), 3u) << "Right steps over the whole emoji";
  Key(edit, Qt::Key_Delete);
  EXPECT_EQ(PlainText(edit), QString::fromUtf8("a😀cd"));

  // Enter splits the paragraph; Backspace at a paragraph's start joins it again.
  Key(edit, Qt::Key_Return);
  EXPECT_EQ(edit.Buffer().ParagraphCount(), 2u);
  Key(edit, Qt::Key_Backspace);
  EXPECT_EQ(PlainText(edit), QString::fromUtf8("a😀cd"));

  // A selection typed over is replaced, and Undo brings it back selected-over text and all.
  Select(edit, 0, 3);
  QTest::keyClicks(&edit, "Z");
  EXPECT_EQ(PlainText(edit), "Zcd");
  edit.Undo();
  EXPECT_EQ(PlainText(edit), QString::fromUtf8("a😀cd"));
  EXPECT_TRUE(edit.IsModified());
  edit.Undo();
  edit.Undo();
  edit.Undo();
  EXPECT_FALSE(edit.IsModified()) << "back where the text was set";
}

TEST(TextEdit, UpAndDownWalkWrappedRowsAcrossSegmentsAndBack) {
  ShownEdit shown(300);
  TextEdit& edit = shown.edit;
  // One paragraph of three segments and more, wrapped into many rows.
  SetPlainText(edit, QString(10000, QChar(0x3042)) + "\nend");
  const int rowHeight = edit.CaretRect().height();

  // Down goes one row at a time, keeping the column, through every segment.
  std::vector<std::size_t> offsets = {CaretOffset(edit)};
  while (edit.Caret().paragraph == 0) {
    const QRect before = edit.CaretRect();
    Key(edit, Qt::Key_Down);
    offsets.push_back(CaretOffset(edit));
    ASSERT_GT(offsets.back(), offsets[offsets.size() - 2]) << "row " << offsets.size();
    ASSERT_EQ(edit.CaretRowColumn(std::chrono::hours(1))->row, offsets.size() - 1);
    // The caret stays in sight: the view scrolls a row at a time.
    EXPECT_TRUE(edit.viewport()->rect().contains(edit.CaretRect())) << "row " << offsets.size();
    if (edit.Caret().paragraph == 0) {
      EXPECT_LE(edit.CaretRect().top() - before.top(), rowHeight) << "row " << offsets.size();
    }
    ASSERT_LT(offsets.size(), 5000u);
  }
  EXPECT_GT(offsets.size(), 100u);
  EXPECT_EQ(CaretOffset(edit), 10001u) << "the last row of the long paragraph leads to \"end\"";

  // Typed text earlier in the long paragraph moves the row numbers after it.
  const std::size_t lastRow = offsets.size() - 1;
  edit.Buffer().Insert({0, 5000}, std::u16string(1000, u'\u3044'));
  edit.SetCaret({1, 0});
  EXPECT_GT(edit.CaretRowColumn(std::chrono::hours(1))->row, lastRow);
  edit.Undo();
  edit.SetCaret({1, 0});
  EXPECT_EQ(edit.CaretRowColumn(std::chrono::hours(1))->row, lastRow);

  // Up retraces the same places.
  for (auto it = offsets.rbegin() + 1; it != offsets.rend(); ++it) {
    Key(edit, Qt::Key_Up);
    ASSERT_EQ(CaretOffset(edit), *it);
  }

  // Home and End go to the ends of the wrapped row the caret is in; a click on
  // the caret's place puts it there again.
  for (int i = 0; i < 5; ++i) Key(edit, Qt::Key_Down);
  Key(edit, Qt::Key_Right);
  Key(edit, Qt::Key_Home);
  EXPECT_EQ(CaretOffset(edit), offsets[5]);
  Key(edit, Qt::Key_Right);
  Key(edit, Qt::Key_End);
  EXPECT_EQ(CaretOffset(edit), offsets[6]) << "typing at the end follows the row's last character";
  Key(edit, Qt::Key_Home);
  const QRect caret = edit.CaretRect();
  const std::size_t offset = CaretOffset(edit);
  edit.SetCaret({});
  EXPECT_EQ(OffsetOf(edit.Buffer(), edit.PositionAt(caret.center())), offset);
}

TEST(TextEdit, AFileComingInLeavesTheUsersPlaceAndCannotBeEdited) {
  ShownEdit shown;
  TextEdit& edit = shown.edit;
  const std::u16string line = u"いろはにほへと\n";
  const std::size_t lines = 2000;
  edit.BeginLoad(line.size() * lines);
  const auto arrive = [&edit, &line](std::size_t count) {
    char16_t* area = edit.LoadArea() + edit.Buffer().Loaded();
    for (std::size_t i = 0; i < count; ++i) area = std::copy(line.begin(), line.end(), area);
    edit.CommitLoaded(line.size() * count);
  };
  arrive(500);
  Select(edit, 8, 10);
  edit.verticalScrollBar()->setValue(100);
  QTest::keyClicks(&edit, "x");
  Key(edit, Qt::Key_Delete);
  arrive(1000);
  EXPECT_EQ(edit.verticalScrollBar()->value(), 100) << "the view stays where the user scrolled";
  EXPECT_EQ(CaretOffset(edit), 10u);
  EXPECT_EQ(AnchorOffset(edit), 8u);
  EXPECT_EQ(edit.Buffer().Size(), line.size() * 1500) << "no key changed the loading text";
  arrive(500);
  edit.EndLoad();
  EXPECT_FALSE(edit.IsModified());
  EXPECT_FALSE(edit.Buffer().CanUndo());
  EXPECT_EQ(edit.Buffer().ParagraphCount(), lines + 1);

  QTest::keyClicks(&edit, "x");
  EXPECT_EQ(edit.Buffer().Text({{1, 0}, {1, 3}}), u"xはに") << "editable once loaded";
  EXPECT_TRUE(edit.IsModified());
}

TEST(TextEdit, InputMethodShowsItsPreeditWithoutChangingTheText) {
  ShownEdit shown;
  TextEdit& edit = shown.edit;
  SetPlainText(edit, "ab");
  Select(edit, 1, 1);
  const int caretX = edit.CaretRect().left();

  QInputMethodEvent preedit(QString::fromUtf8("かな"), {});
  QCoreApplication::sendEvent(&edit, &preedit);
  EXPECT_EQ(PlainText(edit), "ab");
  EXPECT_GT(static_cast<QWidget&>(edit).inputMethodQuery(Qt::ImCursorRectangle).toRect().left(),
            caretX)
      << "the candidate window follows the pre-edit";
  EXPECT_EQ(static_cast<QWidget&>(edit).inputMethodQuery(Qt::ImSurroundingText).toString(), "ab");

  QInputMethodEvent commit;
  commit.setCommitString(QString::fromUtf8("漢字"));
  QCoreApplication::sendEvent(&edit, &commit);
  EXPECT_EQ(PlainText(edit), QString::fromUtf8("a漢字b"));
  EXPECT_EQ(CaretOffset(edit), 3u);
  edit.Undo();
  EXPECT_EQ(PlainText(edit), "ab") << "a commit is one step";
}

}  // namespace
