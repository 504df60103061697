// The tools settings dialog: what it shows, what OK writes, Cancel, and Browse.

#include "framework/ModalSeam.h"
#include "resources/CommandIds.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/FreshSettings.h"
#include "tests/support/WexHarness.h"

#include <gtest/gtest.h>
#include <QCheckBox>
#include <QDialog>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QGroupBox>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <filesystem>

namespace {

class ToolSettingsDlgTest : public FreshSettingsTest {
 protected:
  // The first answer is the tools dialog's, the others those of the file dialogs
  // it opens, in order.
  void RunDialog(const std::string& settings, std::vector<ModalScript::Answer> answers) {
    WriteBytes(TestSettingsPath(), settings);
    WexHarness wex;
    ModalScript script;
    for (auto& answer : answers) script.Queue(std::move(answer));
    wex.frame().SendCommand(cmd::ID_TOOL_SETTINGS);
    EXPECT_EQ(script.pending(), 0u);
  }
};

QLineEdit* Edit(QDialog& dialog, int id) {
  return dialog.findChild<QLineEdit*>(QString::number(id));
}
QAbstractButton* Button(QDialog& dialog, int id) { return Control(dialog, id); }

// The names the file dialog's list shows in `dir`, once its file model has read it.
std::string Listed(QFileDialog& browser, const QString& dir) {
  auto* files = browser.findChild<QFileSystemModel*>();
  if (!files) return "no file model";
  QSignalSpy loaded(files, &QFileSystemModel::directoryLoaded);
  browser.setDirectory(dir);
  for (int i = 0; i < 500 && !loaded.contains(QVariantList{dir}); ++i) QTest::qWait(10);
  QTest::qWait(50);  // the proxy sorts and filters after the load
  const QListView* view = browser.findChild<QListView*>("listView");
  QStringList names;
  for (int row = 0; view && row < view->model()->rowCount(view->rootIndex()); ++row)
    names << view->model()->index(row, 0, view->rootIndex()).data().toString();
  names.sort();
  return names.join(" ").toStdString();
}

TEST_F(ToolSettingsDlgTest, ShowsTheSlotsInTemplateOrder) {
  RunDialog(
      "[tools]\r\ntool_1=grep\r\nfile_1=/usr/bin/grep\r\nTopmost_1=1\r\nTopmost_2=2\r\n"
      "tool_6=\x83\x81\x83\x82\r\nfile_6=" +
          std::string(300, 'x') + "\r\n",
      {[](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "ツールの設定");
        EXPECT_EQ(dialog.focusWidget(), Button(dialog, 1));
        QStringList chain;
        QWidget* w = Button(dialog, 1);
        do {
          if (w->focusPolicy() & Qt::TabFocus) chain << w->objectName();
          w = w->nextInFocusChain();
        } while (w != Button(dialog, 1) && chain.size() < 40);
        EXPECT_EQ(chain.join(" "),
                  "1 2 1000 1001 1002 1004 1005 1006 1007 1008 1009 1010 1011 1012 "
                  "1013 1014 1015 1016 1017 1018 1019 1020 1021 1022 1023 1024");
        QStringList frames;
        for (auto* box : dialog.findChildren<QGroupBox*>()) frames << box->title();
        frames.sort();
        EXPECT_EQ(frames, QStringList({"ツール　-　1", "ツール　-　2", "ツール　-　3",
                                       "ツール　-　4", "ツール　-　5", "ツール　-　6"}));
        EXPECT_EQ(Button(dialog, 1023)->text(), "参照");
        EXPECT_EQ(Button(dialog, 1024)->text(), "常に手前に表示する");

        EXPECT_EQ(Edit(dialog, 1000)->text(), "grep");
        EXPECT_EQ(Edit(dialog, 1001)->text(), "/usr/bin/grep");
        EXPECT_TRUE(Button(dialog, 1004)->isChecked());
        EXPECT_FALSE(Button(dialog, 1007)->isChecked());  // only 1 raises a window
        EXPECT_EQ(Edit(dialog, 1021)->text(), "メモ");
        EXPECT_EQ(Edit(dialog, 1022)->text(), QString(259, u'x'));
        return Click(dialog, 2);
      }});
}

TEST_F(ToolSettingsDlgTest, OkWritesTheEighteenKeysInOrder) {
  RunDialog("[setting]\r\nSize=1\r\n", {[](QDialog& dialog) {
              Edit(dialog, 1000)->setText(" grep ");
              Edit(dialog, 1001)->setText("/usr/bin/grep -n");
              Click(dialog, 1015);
              Edit(dialog, 1021)->setText("メモ");
              return Click(dialog, 1);
            }});
  EXPECT_EQ(
      ReadBytes(TestSettingsPath()),
      "[setting]\r\nSize=1\r\n[tools]\r\nTopmost_1=0\r\nTopmost_2=0\r\nTopmost_3=0\r\nTopmost_4="
      "1\r\n"
      "Topmost_5=0\r\nTopmost_6=0\r\ntool_1= grep \r\ntool_2=\r\ntool_3=\r\ntool_4=\r\ntool_5=\r\n"
      "tool_6=\x83\x81\x83\x82\r\nfile_1=/usr/bin/grep -n\r\nfile_2=\r\nfile_3=\r\nfile_4=\r\n"
      "file_5=\r\nfile_6=\r\n");
}

TEST_F(ToolSettingsDlgTest, CancelWritesNothing) {
  const std::string stored = "[tools]\r\ntool_1=a\r\nTopmost_1=\r\n";
  RunDialog(stored, {[](QDialog& dialog) {
              Edit(dialog, 1000)->setText("b");
              Edit(dialog, 1006)->setText("/bin/sh");
              Click(dialog, 1004);
              return Click(dialog, 2);
            }});
  EXPECT_EQ(ReadBytes(TestSettingsPath()), stored);
}

TEST_F(ToolSettingsDlgTest, EnterPressesTheFocusedButton) {
  const std::string stored = "[tools]\r\ntool_1=a\r\n";
  // Tab from OK to Cancel, then Enter: nothing is written.
  RunDialog(stored, {[](QDialog& dialog) {
              Edit(dialog, 1000)->setText("b");
              return PressKeys(dialog, 1, {Qt::Key_Tab, Qt::Key_Return});
            }});
  EXPECT_EQ(ReadBytes(TestSettingsPath()), stored);
  // Enter on a focused Browse button opens the file dialog (cancelled here) and
  // leaves the tools dialog open; Escape then closes it without writing.
  int browsed = 0;
  RunDialog(stored, {[](QDialog& dialog) {
                       EXPECT_EQ(PressKeys(dialog, 1008, {Qt::Key_Return}), -1);
                       return PressKeys(dialog, 1008, {Qt::Key_Escape});
                     },
                     [&browsed](QDialog&) {
                       ++browsed;
                       return int(QDialog::Rejected);
                     }});
  EXPECT_EQ(browsed, 1);
  EXPECT_EQ(ReadBytes(TestSettingsPath()), stored);
  // Enter in an edit field is OK.
  RunDialog(stored, {[](QDialog& dialog) {
              Edit(dialog, 1000)->setText("b");
              return PressKeys(dialog, 1000, {Qt::Key_Return});
            }});
  EXPECT_NE(ReadBytes(TestSettingsPath()).find("\ntool_1=b\r\n"), std::string::npos);
}

TEST_F(ToolSettingsDlgTest, BrowseSetsTheCommandLineAndNamesAnUnnamedSlot) {
  const TempDir temp;
  const std::string& dir = temp.path();
  const std::string program = dir + "/my.tool.sh";
  WriteBytes(program, "#!/bin/sh\n");
  std::filesystem::permissions(program, std::filesystem::perms::owner_all);
  WriteBytes(dir + "/notes.txt", "not a program\n");
  std::filesystem::create_directory(dir + "/sub");
  const auto choose = [&](QDialog& d) {
    auto& browser = static_cast<QFileDialog&>(d);
    EXPECT_EQ(browser.nameFilters(), QStringList({"ｱﾌﾟﾘｹｰｼｮﾝ (*)"}));
    EXPECT_EQ(Listed(browser, QString::fromStdString(dir)), "my.tool.sh sub");
    browser.selectFile(QString::fromStdString(program));
    return int(QDialog::Accepted);
  };
  RunDialog("[tools]\r\ntool_2=kept\r\nfile_2=old\r\nfile_3=stays\r\n",
            {[](QDialog& dialog) {
               Click(dialog, 1002);  // unnamed: named after the file
               Click(dialog, 1008);  // named: only the command line changes
               Click(dialog, 1012);  // cancelled: nothing changes
               EXPECT_EQ(Edit(dialog, 1010)->text(), "stays");
               EXPECT_EQ(Edit(dialog, 1009)->text(), "");
               return Click(dialog, 1);
             },
             choose, choose, [](QDialog&) { return int(QDialog::Rejected); }});
  const std::string written = ReadBytes(TestSettingsPath());
  for (const std::string& line :
       std::vector<std::string>{"tool_1=my.tool", "file_1=" + program, "tool_2=kept",
                                "file_2=" + program, "tool_3=\r", "file_3=stays"})
    EXPECT_NE(written.find("\n" + line), std::string::npos) << line;
}

}  // namespace
