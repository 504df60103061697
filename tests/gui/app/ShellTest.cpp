// The application shell as a user meets it: menus, accelerators, captions,
// the save-changes question, the about box and the command line.

#include "editor/FindCommands.h"
#include "editor/FindReplaceDialog.h"
#include "framework/ModalSeam.h"
#include "resources/CommandIds.h"
#include "tests/support/FreshSettings.h"
#include "tests/support/WexHarness.h"

#include <gtest/gtest.h>
#include <unistd.h>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrinterInfo>
#include <QTest>

namespace {

class ShellTest : public FreshSettingsTest {};

// "text|id" per item, "-" for a separator.
QStringList MenuItems(QMenu* menu) {
  QStringList items;
  for (QAction* action : menu->actions())
    items << (action->isSeparator()
                  ? QStringLiteral("-")
                  : action->text() + "|" + QString::number(action->data().toInt()));
  return items;
}

const QAction* AcceleratorFor(WexHarness& wex, const QKeySequence& keys) {
  for (const QAction* action : wex.frame().findChildren<QAction*>())
    if (action->shortcuts().contains(keys)) return action;
  return nullptr;
}

TEST_F(ShellTest, MainMenuHasTheSevenPopupsInOrder) {
  WexHarness wex;
  ASSERT_TRUE(wex.started());
  QList<QAction*> popups = wex.frame().menuBar()->actions();
  QStringList titles;
  for (QAction* popup : popups) titles << popup->text();
  EXPECT_EQ(titles, QStringList({"ﾌｧｲﾙ(&F)", "編集(&E)", "表示(&V)", "ツール(&T)", "変換(&C)",
                                 "変換の設定(&O)", "ヘルプ(&H)"}));

  EXPECT_EQ(MenuItems(popups[0]->menu()),
            QStringList({"新規作成(&N)\tCtrl+N|57600", "開く(&O)...\tCtrl+O|57601",
                         "上書き保存(&S)\tCtrl+S|57603", "名前を付けて保存(&A)...|57604", "-",
                         "印刷(&P)...\tCtrl+P|57607", "印刷ﾌﾟﾚﾋﾞｭｰ(&V)|57609",
                         "ﾌﾟﾘﾝﾀの設定(&R)...|57606", "-", "ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)|57665"}));
  EXPECT_EQ(MenuItems(popups[1]->menu()),
            QStringList({"元に戻す(&U)\tCtrl+Z|57643", "-", "切り取り(&T)\tCtrl+X|57635",
                         "ｺﾋﾟｰ(&C)\tCtrl+C|57634", "貼り付け(&P)\tCtrl+V|57637",
                         "すべて選択(&L)\tCtrl+A|57642", "-", "検索(&F)...\tCtrl+F|57636",
                         "次を検索(&I)\tF3|57640", "置換(&E)\tCtrl+H|57641"}));
  EXPECT_EQ(
      MenuItems(popups[2]->menu()),
      QStringList({"ﾂｰﾙ ﾊﾞｰ(&T)|59392", "ｽﾃｰﾀｽ ﾊﾞｰ(&S)|59393", "-", "常に手前に表示(&A)|32782",
                   "フォントの変更(&F)|32771", "-", "オプション(&O)|32783"}));
  const QStringList tools = MenuItems(popups[3]->menu());
  ASSERT_EQ(tools.size(), 8);
  for (int n = 0; n < 6; ++n) EXPECT_TRUE(tools[n].endsWith("|" + QString::number(32774 + n)));
  EXPECT_EQ(tools.mid(6), QStringList({"-", "設定|32780"}));
  EXPECT_EQ(MenuItems(popups[4]->menu()).mid(0, 3),
            QStringList({"EUC→ｼﾌﾄJIS|32795", "JIS→ｼﾌﾄJIS|32791", "-"}));
  EXPECT_EQ(MenuItems(popups[5]->menu()).mid(0, 3),
            QStringList({"EUC→ｼﾌﾄJISの設定|32792", "JIS→ｼﾌﾄJISの設定|32793", "-"}));
  EXPECT_EQ(MenuItems(popups[6]->menu()), QStringList({"バージョン情報|32794"}));
}

TEST_F(ShellTest, AcceleratorsReachTheirCommands) {
  WexHarness wex;
  const std::vector<std::pair<QKeySequence, int>> expected = {
      {QKeySequence("Ctrl+N"), 57600},     {QKeySequence("Ctrl+O"), 57601},
      {QKeySequence("Ctrl+S"), 57603},     {QKeySequence("Ctrl+P"), 57607},
      {QKeySequence("Ctrl+Z"), 57643},     {QKeySequence("Ctrl+X"), 57635},
      {QKeySequence("Ctrl+C"), 57634},     {QKeySequence("Ctrl+V"), 57637},
      {QKeySequence("Ctrl+A"), 57642},     {QKeySequence("Ctrl+F"), 57636},
      {QKeySequence("F3"), 57640},         {QKeySequence("Ctrl+H"), 57641},
      {QKeySequence("Alt+Return"), 57860}, {QKeySequence("Alt+Backspace"), 57643},
      {QKeySequence("Shift+Del"), 57635},  {QKeySequence("Ctrl+Ins"), 57634},
      {QKeySequence("Shift+Ins"), 57637},  {QKeySequence("F6"), 57680},
      {QKeySequence("Shift+F6"), 57681},   {QKeySequence("Esc"), 32768},
  };
  int total = 0;
  for (QAction* action : wex.frame().findChildren<QAction*>()) total += action->shortcuts().size();
  EXPECT_EQ(total, 20);
  for (const auto& [keys, id] : expected) {
    const QAction* action = AcceleratorFor(wex, keys);
    ASSERT_NE(action, nullptr) << keys.toString().toStdString();
    EXPECT_EQ(action->data().toInt(), id) << keys.toString().toStdString();
  }

  // Keys typed in the editor go through the window's accelerators: Ctrl+Z after
  // a conversion is the view's Undo, which takes the whole conversion back.
  wex.frame().show();
  wex.view().setFocus();
  wex.view().SetWholeText("before");
  wex.view().TransformWholeText([](const std::string&) { return std::string("after"); });
  QApplication::processEvents();
  ASSERT_EQ(wex.view().GetPlainText(), "after");
  QTest::keyClick(&wex.view(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(wex.view().GetPlainText(), "before");
  QTest::keyClick(&wex.view(), Qt::Key_Escape);  // taken by the accelerator table
  EXPECT_EQ(wex.view().GetPlainText(), "before");
}

TEST_F(ShellTest, AcceleratorAsksTheUpdateHandlerWhenPressed) {
  WexHarness wex;
  wex.frame().show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&wex.frame()));
  wex.view().setFocus();
  // The Edit menu shown on an empty document disables Find ...
  QMenu* edit = wex.frame().Popup(1);
  QMetaObject::invokeMethod(edit, "aboutToShow");
  ASSERT_FALSE(wex.frame().CommandAction(cmd::ID_EDIT_FIND)->isEnabled());
  // ... yet once there is text, Ctrl+F opens the dialog without a menu refresh.
  QTest::keyClicks(&wex.view(), "apple apple");
  QTest::keyClick(&wex.view(), Qt::Key_F, Qt::ControlModifier);
  ASSERT_NE(wex.view().Find().Dialog(), nullptr);
  EXPECT_TRUE(wex.view().Find().Dialog()->isVisible());
  wex.view().Find().Dialog()->hide();
  // And with the text gone again, the key does nothing even though the item
  // was last left enabled.
  wex.view().SetWholeText("");
  QTest::keyClick(&wex.view(), Qt::Key_H, Qt::ControlModifier);
  EXPECT_FALSE(wex.view().Find().Dialog()->isVisible());
  EXPECT_FALSE(wex.frame().CommandAction(cmd::ID_EDIT_REPLACE)->isEnabled());
}

TEST_F(ShellTest, CaptionFollowsTheDocument) {
  const TempDir temp;
  const std::string& dir = temp.path();
  const std::string file = dir + "/日記.txt";
  WriteBytes(file, "\x93\xfa\x8b\x4c\r\nabc");  // 日記 CR LF abc
  {
    WexHarness wex;
    EXPECT_EQ(wex.frame().windowTitle(), "memo - Wex");
  }
  {
    WexHarness wex({QString::fromStdString(file)});
    ASSERT_TRUE(wex.started());
    EXPECT_EQ(wex.frame().windowTitle(), "日記.txt - Wex");
    EXPECT_EQ(PlainText(wex.view()), "日記\nabc");
    EXPECT_EQ(wex.view().GetPlainText(), "\x93\xfa\x8b\x4c\r\nabc");
    EXPECT_FALSE(wex.doc().IsModified());
  }
}

TEST_F(ShellTest, NewAsksToSaveChangesAndCancelKeepsTheText) {
  WexHarness wex;
  wex.view().InsertText("draft");
  ModalScript script;
  script.QueueResult(QMessageBox::Cancel);
  wex.frame().SendCommand(cmd::ID_FILE_NEW);
  ASSERT_EQ(script.messageBoxes().size(), 1u);
  EXPECT_EQ(script.messageBoxes()[0].text, "memo への変更を保存しますか?");
  EXPECT_EQ(script.messageBoxes()[0].buttons,
            int(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel));
  EXPECT_EQ(PlainText(wex.view()), "draft");

  script.QueueResult(QMessageBox::No);
  wex.frame().SendCommand(cmd::ID_FILE_NEW);
  EXPECT_EQ(PlainText(wex.view()), "");
  EXPECT_FALSE(wex.doc().IsModified());
  EXPECT_EQ(wex.frame().windowTitle(), "memo - Wex");
}

TEST_F(ShellTest, ExitWithCancelKeepsTheProgramRunning) {
  WexHarness wex;
  wex.frame().show();
  wex.view().InsertText("draft");
  ModalScript script;
  script.QueueResult(QMessageBox::Cancel);
  wex.frame().SendCommand(cmd::ID_APP_EXIT);
  EXPECT_TRUE(wex.frame().isVisible());
  EXPECT_EQ(script.messageBoxes().size(), 1u);
}

TEST_F(ShellTest, AboutBoxNamesTheVersion) {
  WexHarness wex;
  ModalScript script;
  script.QueueResult(QMessageBox::Ok);
  wex.frame().SendCommand(cmd::ID_ABOUT);
  ASSERT_EQ(script.messageBoxes().size(), 1u);
  const ShownMessageBox& box = script.messageBoxes()[0];
  EXPECT_EQ(box.caption, "WEX");
  EXPECT_EQ(box.owner, &wex.view());
  EXPECT_EQ(box.buttons, int(QMessageBox::Ok));
  const QStringList lines = box.text.split('\n');
  ASSERT_EQ(lines.size(), 3);
  EXPECT_EQ(lines[0], "Wex ver 2.1a");
  EXPECT_EQ(lines[1], "");
  EXPECT_TRUE(lines[2].contains("Wex developers"));
}

TEST_F(ShellTest, CommandLineSwitches) {
  const std::string settings = TestSettingsPath();
  WriteBytes(settings, "[setting]\r\nSize=0\r\n");
  {
    ModalScript script;
    script.QueueResult(QMessageBox::Ok);
    WexHarness wex({"/Unregister"});
    EXPECT_FALSE(wex.started());
    EXPECT_EQ(wex.app().MainFrame(), nullptr);
    ASSERT_EQ(script.messageBoxes().size(), 1u);
    EXPECT_EQ(script.messageBoxes()[0].text,
              "ｼｽﾃﾑ ﾚｼﾞｽﾄﾘ ｴﾝﾄﾘは削除されています。また、INI ﾌｧｲﾙがある場合は、INI "
              "ﾌｧｲﾙも削除されました。");
  }
  {
    ModalScript script;
    WexHarness wex({"-unregserver", "/Embedding"});
    EXPECT_FALSE(wex.started());
    EXPECT_TRUE(script.messageBoxes().empty());
  }
  EXPECT_EQ(ReadBytes(settings), "[setting]\r\nSize=0\r\n");
  for (const char* sw : {"/dde", "/Automation", "/Embedding"}) {
    WexHarness wex({sw});
    EXPECT_TRUE(wex.started()) << sw;
    EXPECT_EQ(wex.frame().windowTitle(), "memo - Wex");
  }
}

TEST_F(ShellTest, RelativeFileNameMeansTheCurrentDirectory) {
  const TempDir temp;
  const std::string& dir = temp.path();
  WriteBytes(dir + "/here.txt", "text");
  const QString before = QDir::currentPath();
  QDir::setCurrent(QString::fromStdString(dir));
  WexHarness wex({"here.txt"});
  QDir::setCurrent(before);
  ASSERT_TRUE(wex.started());
  EXPECT_EQ(wex.doc().GetPathName(), QString::fromStdString(dir + "/here.txt"));
  EXPECT_EQ(wex.view().GetPlainText(), "text");
}

TEST_F(ShellTest, UnregisterLeavesAFreshDirectoryAlone) {
  ModalScript script;
  script.QueueResult(QMessageBox::Ok);
  WexHarness wex({"/Unregister"});
  EXPECT_FALSE(wex.started());
  EXPECT_TRUE(ReadBytes(TestSettingsPath()).empty());
  EXPECT_NE(::access(TestSettingsPath().c_str(), F_OK), 0);
}

TEST_F(ShellTest, PrintingWithoutThePrinterFailsVisibly) {
  const TempDir temp;
  const std::string file = temp.path() + "/p.txt";
  WriteBytes(file, "print me");
  {
    ModalScript script;
    script.QueueResult(QMessageBox::Ok);
    WexHarness wex({"/pt", QString::fromStdString(file), "no-such-printer", "driver", "port"});
    EXPECT_FALSE(wex.started());
    EXPECT_EQ(wex.exitCode(), 1);
    ASSERT_EQ(script.messageBoxes().size(), 1u);
    EXPECT_EQ(script.messageBoxes()[0].text,
              "印刷を開始できませんでした。プリンタの設定を確認してください。");
  }
  if (!QPrinterInfo::defaultPrinter().isNull()) return;  // a machine with a printer prints
  ModalScript script;
  script.QueueResult(QMessageBox::Ok);
  WexHarness wex({"/p", QString::fromStdString(file)});
  EXPECT_EQ(wex.exitCode(), 1);
  EXPECT_EQ(script.messageBoxes().size(), 1u);
}

TEST_F(ShellTest, UnopenableFileEndsWithMessageAndFailureStatus) {
  const TempDir temp;
  const std::string missing = temp.path() + "/none.txt";
  ModalScript script;
  script.QueueResult(QMessageBox::Ok);
  WexHarness wex({QString::fromStdString(missing)});
  EXPECT_FALSE(wex.started());
  EXPECT_NE(wex.exitCode(), 0);
  ASSERT_EQ(script.messageBoxes().size(), 1u);
  EXPECT_EQ(script.messageBoxes()[0].text,
            QString::fromStdString(missing) + " が見つかりませんでした。");
}

}  // namespace
