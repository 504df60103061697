// The main frame offscreen: its bars and panes, the prompts in the message pane,
// the command interception, always on top, the rectangle saved at close, the
// start-up placement and the input method request.

#include "app/FramePlacement.h"
#include "framework/ModalSeam.h"
#include "framework/StatusBar.h"
#include "platform/InputMethod.h"
#include "resources/CommandIds.h"
#include "resources/Strings.h"
#include "settings/Settings.h"
#include "tests/support/FreshSettings.h"
#include "tests/support/WexHarness.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

namespace {

class FrameTest : public FreshSettingsTest {
 protected:
  static void SetSetting(const char* key, int value) {
    WriteSettingInt(TestSettingsPath(), "setting", key, value);
  }
  static int Setting(const char* key) { return ReadSettingInt(TestSettingsPath(), "setting", key); }
};

QMenu* ViewMenu(CMainFrame& frame) { return frame.Popup(2); }

// Runs the View menu's update handlers, as opening it does.
void OpenViewMenu(CMainFrame& frame) { emit ViewMenu(frame)->aboutToShow(); }

// Gives a command handler to `target` from outside, as a later part of the
// program would register one.
struct HandlerAccess : CCmdTarget {
  static void Add(CCmdTarget& target, int id, Handler handler) {
    (target.*(&HandlerAccess::OnCommand))(id, std::move(handler));
  }
};

TEST_F(FrameTest, ToolBarHasTheStandardButtonsWithIconsAndTips) {
  WexHarness wex;
  QToolBar* bar = wex.frame().ToolBar();
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->objectName(), "59392");
  // The standard buttons come first; the tool buttons follow them.
  QStringList layout;
  for (QAction* action : bar->actions().mid(0, 10)) {
    if (action->isSeparator()) {
      layout << "-";
      continue;
    }
    layout << QString::number(action->data().toInt()) + " " + action->toolTip();
    const QPixmap icon = action->icon().pixmap(QSize(16, 15));
    EXPECT_EQ(icon.size(), QSize(16, 15)) << action->data().toInt();
    // Drawn on a transparent ground: some pixels opaque, some not.
    const QImage image = icon.toImage();
    int opaque = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) opaque += qAlpha(image.pixel(x, y)) == 255;
    EXPECT_GT(opaque, 40) << action->data().toInt();
    EXPECT_LT(opaque, 16 * 15) << action->data().toInt();
  }
  EXPECT_EQ(layout,
            QStringList({"57600 新規作成", "57601 開く", "57603 上書き保存", "-", "57643 元に戻す",
                         "57635 切り取り", "57634 コピー", "57637 貼り付け", "-", "57607 印刷"}));
}

TEST_F(FrameTest, ToolBarButtonsFollowTheViewWithoutAMenuOpening) {
  WexHarness wex;
  QAction* undo = wex.frame().CommandAction(cmd::ID_EDIT_UNDO);
  QAction* cut = wex.frame().CommandAction(cmd::ID_EDIT_CUT);
  QAction* copy = wex.frame().CommandAction(cmd::ID_EDIT_COPY);
  QAction* paste = wex.frame().CommandAction(cmd::ID_EDIT_PASTE);
  EXPECT_FALSE(undo->isEnabled());
  EXPECT_FALSE(cut->isEnabled());

  wex.view().setFocus();
  QTest::keyClicks(&wex.view(), "abc");
  EXPECT_TRUE(undo->isEnabled());
  EXPECT_FALSE(copy->isEnabled());
  wex.view().SelectAll();
  EXPECT_TRUE(cut->isEnabled());
  EXPECT_TRUE(copy->isEnabled());
  MoveToEnd(wex.view());
  EXPECT_FALSE(cut->isEnabled());

  QApplication::clipboard()->clear();
  EXPECT_FALSE(paste->isEnabled());
  QApplication::clipboard()->setText("x");
  EXPECT_TRUE(paste->isEnabled());
}

TEST_F(FrameTest, ViewMenuShowsAndHidesTheBarsWithCheckMarks) {
  WexHarness wex;
  CMainFrame& frame = wex.frame();
  for (int id : {cmd::ID_VIEW_TOOLBAR, cmd::ID_VIEW_STATUS_BAR}) {
    QWidget* bar = id == cmd::ID_VIEW_TOOLBAR ? static_cast<QWidget*>(frame.ToolBar())
                                              : static_cast<QWidget*>(frame.StatusBar());
    QAction* item = frame.CommandAction(id);
    OpenViewMenu(frame);
    EXPECT_TRUE(item->isChecked());
    item->trigger();
    EXPECT_FALSE(bar->isVisible());
    OpenViewMenu(frame);
    EXPECT_FALSE(item->isChecked());
    item->trigger();
    EXPECT_TRUE(bar->isVisible());
    OpenViewMenu(frame);
    EXPECT_TRUE(item->isChecked());
  }
}

TEST_F(FrameTest, StatusBarHasSevenPanesInOrder) {
  WexHarness wex;
  CStatusBar* bar = wex.frame().StatusBar();
  EXPECT_EQ(bar->objectName(), "59393");
  ASSERT_EQ(bar->PaneCount(), 7);
  const int ids[] = {0, cmd::ID_INDICATOR_FORMAT, 59143, 59142, 59137, 59138, 59139};
  for (int i = 0; i < 7; ++i) EXPECT_EQ(bar->CommandToIndex(ids[i]), i);
  EXPECT_EQ(bar->GetPaneText(0), "ﾚﾃﾞｨ");
  EXPECT_EQ(bar->GetPaneText(1), "Shift-JIS CRLF");  // what Save writes a new text in
  // Offscreen the lock state is unknown: the lock panes stay empty.
  for (int i = 3; i < 7; ++i) EXPECT_EQ(bar->GetPaneText(i), "") << i;

  // The caret pane is wide enough for thirteen spaces whatever it holds.
  const int index = bar->CommandToIndex(cmd::ID_INDICATOR_LINECOL);
  bar->SetPaneText(index, "1:1");
  EXPECT_EQ(bar->GetPaneText(index), "1:1");
  int checked = 0;
  for (QLabel* label : bar->findChildren<QLabel*>()) {
    if (label->text() != "1:1") continue;
    EXPECT_GE(label->minimumWidth(), label->fontMetrics().horizontalAdvance(QString(13, u' ')));
    ++checked;
  }
  EXPECT_EQ(checked, 1);
}

TEST_F(FrameTest, MessagePaneShowsThePromptUnderThePointer) {
  WexHarness wex;
  CMainFrame& frame = wex.frame();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
  CStatusBar* bar = frame.StatusBar();

  // A toolbar button under the pointer, then the pointer away from it.
  QWidget* save = frame.ToolBar()->widgetForAction(frame.CommandAction(cmd::ID_FILE_SAVE));
  ASSERT_NE(save, nullptr);
  QTest::mouseMove(save);
  EXPECT_EQ(bar->GetPaneText(0), "文書を上書き保存します。");
  QTest::mouseMove(&wex.view());
  EXPECT_EQ(bar->GetPaneText(0), "ﾚﾃﾞｨ");

  // A highlighted item of a menu opened from the menu bar (the offscreen menu
  // takes no pointer moves).
  QMenu* viewMenu = ViewMenu(frame);
  frame.menuBar()->setActiveAction(viewMenu->menuAction());
  ASSERT_TRUE(QTest::qWaitForWindowExposed(viewMenu));
  viewMenu->setActiveAction(frame.CommandAction(cmd::ID_VIEW_TOOLBAR));
  EXPECT_EQ(bar->GetPaneText(0), "ツール バーの表示/非表示を切り替えます。");
  viewMenu->setActiveAction(frame.CommandAction(cmd::ID_TOPMOST));
  EXPECT_EQ(bar->GetPaneText(0), "常に手前に表示");
  viewMenu->hide();
  EXPECT_EQ(bar->GetPaneText(0), "ﾚﾃﾞｨ");
}

TEST_F(FrameTest, PluginCommandsReachTheViewAfterTheCommandReturns) {
  WexHarness wex;
  std::vector<int> arrived;
  for (int id : {0, 23, 50, 73})
    HandlerAccess::Add(wex.view(), id, [&arrived](int id) { arrived.push_back(id); });
  // Ids just outside the ranges take the normal route and reach nobody here.
  for (int id : {24, 49, 74})
    HandlerAccess::Add(wex.frame(), id, [&arrived](int id) { arrived.push_back(1000 + id); });

  for (int id : {0, 23, 50, 73}) {
    wex.frame().SendCommand(id);
    EXPECT_TRUE(arrived.empty()) << id << " ran before the command returned";
    QCoreApplication::processEvents();
    ASSERT_EQ(arrived.size(), 1u);
    EXPECT_EQ(arrived[0], id);
    arrived.clear();
  }
  for (int id : {24, 49, 74}) {
    wex.frame().SendCommand(id);
    EXPECT_EQ(arrived, std::vector<int>{1000 + id});
    arrived.clear();
  }
}

TEST_F(FrameTest, AlwaysOnTopTogglesInPlaceAndTheMarkFollowsTheWindow) {
  WexHarness wex;
  CMainFrame& frame = wex.frame();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
  const QRect where = frame.geometry();
  QAction* item = frame.CommandAction(cmd::ID_TOPMOST);

  OpenViewMenu(frame);
  EXPECT_FALSE(item->isChecked());
  item->trigger();
  EXPECT_TRUE(frame.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  EXPECT_TRUE(frame.isVisible());
  EXPECT_EQ(frame.geometry(), where);
  OpenViewMenu(frame);
  EXPECT_TRUE(item->isChecked());

  // Changed behind the command's back: the mark shows the window as it is.
  frame.setWindowFlag(Qt::WindowStaysOnTopHint, false);
  frame.show();
  OpenViewMenu(frame);
  EXPECT_FALSE(item->isChecked());
  item->trigger();
  item->trigger();
  EXPECT_FALSE(frame.IsAlwaysOnTop());
  EXPECT_EQ(frame.geometry(), where);
}

TEST_F(FrameTest, CloseWritesTheRectangleOnlyInModeTwoEvenWhenCancelled) {
  SetSetting("Size", 2);
  SetSetting("Posision", 2);
  SetSetting("Sizex", 500);
  SetSetting("Sizey", 400);
  SetSetting("Posx", 20);
  SetSetting("Posy", 30);
  {
    WexHarness wex;
    CMainFrame& frame = wex.frame();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    frame.move(40, 50);
    frame.resize(333, 222);
    wex.view().InsertText("draft");
    ModalScript script;
    script.QueueResult(QMessageBox::Cancel);
    EXPECT_FALSE(frame.close());
    EXPECT_EQ(script.messageBoxes().size(), 1u);
    const QRect outer = frame.frameGeometry();
    EXPECT_EQ(Setting("Sizex"), outer.width());
    EXPECT_EQ(Setting("Sizey"), outer.height());
    EXPECT_EQ(Setting("Posx"), outer.x());
    EXPECT_EQ(Setting("Posy"), outer.y());
    EXPECT_EQ(Setting("Posx"), 40);  // a window moves by its outer corner
    wex.doc().SetModifiedFlag(false);
  }
  // Modes other than 2 leave every stored value alone.
  for (auto [size, position] : {std::pair{3, 3}, std::pair{0, 1}, std::pair{1, 0}}) {
    SetSetting("Size", size);
    SetSetting("Posision", position);
    const std::string before = ReadBytes(TestSettingsPath());
    WexHarness wex;
    wex.frame().resize(345, 234);
    wex.frame().move(7, 8);
    EXPECT_TRUE(wex.frame().close());
    EXPECT_EQ(ReadBytes(TestSettingsPath()), before) << size << " " << position;
  }
}

TEST_F(FrameTest, StartupPlacementIsAppliedBeforeTheWindowShows) {
  const QSize screen = QGuiApplication::primaryScreen()->size();
  SetSetting("Size", 2);
  SetSetting("Posision", 0);
  SetSetting("Sizex", 300);
  SetSetting("Sizey", 200);
  {
    WexHarness wex;
    EXPECT_EQ(wex.frame().frameGeometry(),
              QRect((screen.width() - 300) / 2, (screen.height() - 200) / 2, 300, 200));
  }
  // A tiny stored size is not enlarged to what the bars would ask for.
  SetSetting("Sizex", 40);
  SetSetting("Sizey", 30);
  SetSetting("Posision", 3);
  SetSetting("Posx", 10);
  SetSetting("Posy", 5000);
  {
    WexHarness wex;
    EXPECT_EQ(wex.frame().frameGeometry().size(), QSize(40, 30));
    EXPECT_FALSE(wex.frame().testAttribute(Qt::WA_Moved)) << "off-screen position given back";
  }
  SetSetting("Size", 1);
  SetSetting("Posision", 1);
  {
    WexHarness wex;
    EXPECT_FALSE(wex.frame().testAttribute(Qt::WA_Moved));
    EXPECT_FALSE(wex.frame().testAttribute(Qt::WA_Resized));
  }
}

TEST_F(FrameTest, InputMethodIsAskedOnceWhenTheSettingSaysSo) {
  int requests = 0;
  InputMethodActivator previous = ReplaceInputMethodActivator([&requests] {
    ++requests;
    return InputMethodAnswer::On;
  });
  for (int ime : {0, 1}) {
    requests = 0;
    SetSetting("Ime", ime);
    WexHarness wex;
    wex.frame().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&wex.frame()));
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    wex.frame().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&wex.frame()));
    EXPECT_EQ(requests, ime) << "Ime=" << ime;
  }
  ReplaceInputMethodActivator(previous);
}

TEST_F(FrameTest, InputMethodIsAskedAgainUntilItSeesTheViewFocused) {
  // The framework hears of the view's focus after the window is activated: its
  // first answers are "not yet", and the request is repeated until it is taken.
  int requests = 0;
  InputMethodActivator previous = ReplaceInputMethodActivator(
      [&requests] { return ++requests < 3 ? InputMethodAnswer::NotYet : InputMethodAnswer::On; });
  SetSetting("Ime", 1);
  WexHarness wex;
  wex.frame().activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&wex.frame()));
  for (int i = 0; i < 50 && requests < 3; ++i) QTest::qWait(20);
  QTest::qWait(300);
  EXPECT_EQ(requests, 3);
  ReplaceInputMethodActivator(previous);
}

}  // namespace
