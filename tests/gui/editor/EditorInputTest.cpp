// Text entering the view (typing, input method, paste, drop, replacement text)
// is what Shift-JIS can hold, so that what the view shows is what Save writes.

#include "editor/FindCommands.h"
#include "editor/FindReplaceDialog.h"
#include "framework/StatusBar.h"
#include "resources/CommandIds.h"
#include "tests/gui/editor/EditorTestSupport.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>

namespace {

using namespace cmd;

// WAVE DASH, DOUBLE VERTICAL LINE, MINUS SIGN, EM DASH, CENT, POUND and NOT
// SIGN, as input methods and web pages give them, then an emoji (a surrogate
// pair) and a Hangul syllable, which Shift-JIS cannot hold.
const QString kJisStyle = QString::fromUtf8("〜‖−—¢£¬");
const QString kNotInSjis = QString::fromUtf8("😀한");
// What the view holds for them, as Shift-JIS.
const std::string kJisStyleSjis = "\x81\x60\x81\x61\x81\x7C\x81\x5C\x81\x91\x81\x92\x81\xCA";
const std::string kNotInSjisSjis = "\x81\xAC\x81\xAC";

QString MessagePane(WexHarness& wex) { return wex.frame().StatusBar()->GetPaneText(0); }

void ExpectReplacedMessage(WexHarness& wex, int count, const char* how) {
  EXPECT_EQ(MessagePane(wex),
            QString::fromUtf8("Shift-JISにない文字を〓に置き換えました（%1文字）").arg(count))
      << how;
}

void Type(QWidget& view, const QString& text) {
  QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, text);
  QCoreApplication::sendEvent(&view, &press);
}

TEST_F(EditorTest, EveryWayTextEntersTheViewKeepsToShiftJis) {
  WexHarness wex;
  const auto check = [&wex](const char* how, auto enter) {
    wex.view().SetWholeText("");
    wex.frame().StatusBar()->SetPaneText(0, QString());
    enter();
    EXPECT_EQ(wex.view().GetPlainText(), kJisStyleSjis + kNotInSjisSjis) << how;
    // What the view holds is already canonical: it is saved and read back unchanged.
    EXPECT_EQ(PlainText(wex.view()), QString::fromUtf8("～∥－―￠￡￢〓〓")) << how;
    ExpectReplacedMessage(wex, 2, how);
    // One step of Undo takes the whole input back.
    wex.frame().SendCommand(ID_EDIT_UNDO);
    EXPECT_EQ(wex.view().GetPlainText(), "") << how;
  };
  check("typed", [&] { Type(wex.view(), kJisStyle + kNotInSjis); });
  check("input method", [&] {
    QInputMethodEvent commit;
    commit.setCommitString(kJisStyle + kNotInSjis);
    QCoreApplication::sendEvent(&wex.view(), &commit);
  });
  check("pasted", [&] {
    QGuiApplication::clipboard()->setText(kJisStyle + kNotInSjis);
    wex.frame().SendCommand(ID_EDIT_PASTE);
  });
  check("dropped", [&] {
    QMimeData data;
    data.setText(kJisStyle + kNotInSjis);
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(wex.view().viewport(), &enter);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(wex.view().viewport(), &drop);
  });

  // Nothing replaced, nothing said.
  wex.frame().StatusBar()->SetPaneText(0, QString());
  Type(wex.view(), kJisStyle);
  EXPECT_EQ(MessagePane(wex), QString());
}

TEST_F(EditorTest, ReplacementTextKeepsToShiftJis) {
  WexHarness wex;
  wex.view().SetWholeText("a-b-c");
  wex.frame().SendCommand(ID_EDIT_REPLACE);
  FindReplaceDialog* dialog = wex.view().Find().Dialog();
  ASSERT_NE(dialog, nullptr);
  FindRequest request;
  request.what = "-";
  request.with = QString::fromUtf8("〜😀");
  EXPECT_EQ(wex.view().Find().ReplaceAll(request), 2);
  EXPECT_EQ(wex.view().GetPlainText(),
            "a\x81\x60\x81\xAC"
            "b\x81\x60\x81\xAC"
            "c");
  ExpectReplacedMessage(wex, 2, "Replace All");
  wex.frame().SendCommand(ID_EDIT_UNDO);
  EXPECT_EQ(wex.view().GetPlainText(), "a-b-c");

  // Replace: the selected match becomes the replacement.
  Select(wex.view(), 1, 2);
  request.with = QString::fromUtf8("−한");
  emit dialog->ReplaceOne(request);
  EXPECT_EQ(wex.view().GetPlainText(),
            "a\x81\x7C\x81\xAC"
            "b-c");
  ExpectReplacedMessage(wex, 1, "Replace");

  // Search text typed with the JIS-style code points finds the forms the view holds.
  request.what = QString::fromUtf8("−");
  request.with = "+";
  EXPECT_EQ(wex.view().Find().ReplaceAll(request), 1);
  EXPECT_EQ(wex.view().GetPlainText(),
            "a+\x81\xAC"
            "b-c");
  wex.view().SetWholeText("\x81\x60");
  request.what = QString::fromUtf8("〜");
  EXPECT_TRUE(wex.view().Find().FindNext(request));
}

}  // namespace
