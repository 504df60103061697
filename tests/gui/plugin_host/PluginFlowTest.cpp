// Plug-ins as the user runs them: listed on the two menus, run on the whole text
// as one undoable step, and their settings opened without touching the text.

#include "framework/ModalSeam.h"
#include "resources/CommandIds.h"
#include "settings/Settings.h"
#include "tests/support/FreshSettings.h"
#include "tests/support/MemoryHeadroom.h"
#include "tests/support/PlacedPlugins.h"
#include "tests/support/Sanitizers.h"
#include "tests/support/WexHarness.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

class PluginFlowTest : public FreshSettingsTest {
 protected:
  void SetUp() override {
    FreshSettingsTest::SetUp();
    // The program's directory is the test's: give it one delivered plug-in, one
    // whose GetSize refuses, one whose Transport and Option throw, and the ones
    // whose results cannot be used.
    plugins_.Place((fs::path(WEX_BIN_DIR) / "Plainer.wpi").string(), "Plainer.wpi");
    for (const char* file : kCopiedPlugins)
      plugins_.Place((fs::path(TEST_PLUGIN_DIR) / file).string(), file);
  }

  PlacedPlugins plugins_;

  static constexpr const char* kTestPlugins[] = {"Negative.wpi", "ThrowsLate.wpi"};
  // Besides those two: Transport says 1 but writes nothing; Transport fills its
  // buffer with no NUL; GetSize asks for 2 GB.
  static constexpr const char* kCopiedPlugins[] = {"Negative.wpi", "ThrowsLate.wpi", "Silent.wpi",
                                                   "Unterminated.wpi", "Huge.wpi"};

  // The command id of the plug-in listed as `name` on the conversion menu.
  static int RunId(CMainFrame& frame, const QString& name) {
    for (QAction* action : frame.Popup(4)->actions())
      if (action->text() == name) return action->data().toInt();
    return -1;
  }

  static void Settle() {
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
  }
};

TEST_F(PluginFlowTest, MenusListThePluginsWithTheirIds) {
  WexHarness wex;
  const int plainer = RunId(wex.frame(), "Plainer");
  ASSERT_GE(plainer, 0);
  ASSERT_LT(plainer, 24);
  EXPECT_EQ(std::string(wex.app().m_pluginFiles[plainer]), "Plainer.wpi");
  QAction* option = wex.frame().CommandAction(50 + plainer);
  ASSERT_NE(option, nullptr);
  EXPECT_EQ(option->text(), "Plainerの設定");
  wex.frame().UpdateCommandUI(plainer);
  wex.frame().UpdateCommandUI(50 + plainer);
  EXPECT_TRUE(wex.frame().CommandAction(plainer)->isEnabled());
  EXPECT_TRUE(option->isEnabled());
}

TEST_F(PluginFlowTest, RunTransformsTheWholeTextAndUndoTakesItBack) {
  WexHarness wex;
  wex.frame().show();
  wex.view().setFocus();
  const std::string before = "<b>\x91\xbe\x8e\x9a</b> &amp; x\r\nline 2";  // <b>太字</b> &amp; x
  wex.view().SetWholeText(before);
  Select(wex.view(), 3, 5);

  wex.frame().SendCommand(RunId(wex.frame(), "Plainer"));
  EXPECT_EQ(wex.view().GetPlainText(), before) << "runs only after the menu command returns";
  Settle();
  EXPECT_EQ(wex.view().GetPlainText(), "\x91\xbe\x8e\x9a & x\r\nline 2");
  EXPECT_TRUE(wex.doc().IsModified());

  wex.frame().SendCommand(cmd::ID_EDIT_UNDO);
  EXPECT_EQ(wex.view().GetPlainText(), before);
  EXPECT_FALSE(wex.doc().IsModified());
}

TEST_F(PluginFlowTest, RefusingPluginAndSettingsLeaveEverythingAsItWas) {
  WexHarness wex;
  wex.frame().show();
  wex.view().setFocus();
  wex.view().SetWholeText("<i>a</i>");
  wex.frame().SendCommand(RunId(wex.frame(), "Plainer"));
  Settle();
  ASSERT_EQ(wex.view().GetPlainText(), "a");
  MoveToEnd(wex.view());

  // A plug-in whose GetSize refuses, and one that throws: text, modified flag and
  // the pending Undo stay, and the editor goes on.
  wex.doc().SetModifiedFlag(false);
  for (const char* plugin : kTestPlugins) {
    wex.frame().SendCommand(RunId(wex.frame(), plugin));
    Settle();
    EXPECT_EQ(wex.view().GetPlainText(), "a") << plugin;
    EXPECT_FALSE(wex.doc().IsModified()) << plugin;
  }
  wex.frame().SendCommand(50 + RunId(wex.frame(), "ThrowsLate.wpi"));
  Settle();

  // The settings of Plainer: its own message box, owned by the main window.
  QString shown;
  QWidget* owner = nullptr;
  bool busyCursor = true;
  QTimer closer;  // the plug-in runs its box itself, so it is answered from outside
  QObject::connect(&closer, &QTimer::timeout, [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      shown = box->text();
      owner = box->parentWidget();
      busyCursor = QApplication::overrideCursor() != nullptr;
      box->accept();
      closer.stop();
    }
  });
  closer.start(10);
  wex.frame().SendCommand(50 + RunId(wex.frame(), "Plainer"));
  Settle();
  EXPECT_EQ(shown, "タグを消しま～す");
  EXPECT_EQ(owner, &wex.frame());
  EXPECT_FALSE(busyCursor) << "a settings window waits for the user, not the user for it";
  EXPECT_EQ(wex.view().GetPlainText(), "a");
  EXPECT_EQ(CaretOffset(wex.view()), 1);

  wex.frame().SendCommand(cmd::ID_EDIT_UNDO);  // the run's Undo is still pending
  EXPECT_EQ(wex.view().GetPlainText(), "<i>a</i>");
}

TEST_F(PluginFlowTest, ResultsThatCannotBeTrustedChangeNothingAndAreReported) {
  WexHarness wex;
  wex.frame().show();
  wex.view().setFocus();
  wex.view().SetWholeText(std::string("<i>a</i>\0tail", 13));
  wex.frame().SendCommand(RunId(wex.frame(), "Plainer"));
  Settle();
  // The plug-in sees the text up to its NUL; the rest follows its result.
  ASSERT_EQ(wex.view().GetPlainText(), std::string("a\0tail", 6));
  QTest::keyClicks(&wex.view(), "b");
  const std::string typed = wex.view().GetPlainText();

  ModalScript script;
  for (int box = 0; box < 3; ++box) script.QueueResult(QMessageBox::Ok);
  for (const char* plugin : {"Silent.wpi", "Unterminated.wpi"}) {
    wex.frame().SendCommand(RunId(wex.frame(), plugin));
    Settle();
    EXPECT_EQ(wex.view().GetPlainText(), typed) << plugin;
  }
  ASSERT_EQ(script.messageBoxes().size(), 2u);
  EXPECT_EQ(script.messageBoxes()[0].text, "Silent.wpi\nプラグインの結果が不正です。");
  EXPECT_EQ(script.messageBoxes()[1].text, "Unterminated.wpi\nプラグインの結果が不正です。");
  EXPECT_EQ(script.messageBoxes()[1].icon, QMessageBox::Warning);
  if (!kOutOfMemoryCannotBeTested) {
    {
      const MemoryHeadroom limit(256u << 20);
      wex.frame().SendCommand(RunId(wex.frame(), "Huge.wpi"));
      Settle();
    }
    ASSERT_EQ(script.messageBoxes().size(), 3u);
    EXPECT_EQ(script.messageBoxes()[2].text, "ﾒﾓﾘが不足しています。");
    EXPECT_EQ(wex.view().GetPlainText(), typed);
  }

  // The history is as it was: the typing, then the run.
  EXPECT_TRUE(wex.doc().IsModified());
  wex.frame().SendCommand(cmd::ID_EDIT_UNDO);
  EXPECT_EQ(wex.view().GetPlainText(), std::string("a\0tail", 6));
  wex.frame().SendCommand(cmd::ID_EDIT_UNDO);
  EXPECT_EQ(wex.view().GetPlainText(), std::string("<i>a</i>\0tail", 13));
}

}  // namespace
