// The tool slots in the main window: menu texts, toolbar buttons and their icons,
// launching from the menu and from a button.

#include "framework/ModalSeam.h"
#include "resources/CommandIds.h"
#include "tests/support/FreshSettings.h"
#include "tests/support/WexHarness.h"
#include "tools/ToolSlots.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QDialog>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QToolBar>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

namespace {

class ToolSlotsTest : public FreshSettingsTest {};

QImage Pixels(const QIcon& icon) { return icon.pixmap(16, 16).toImage(); }

QPushButton* Button(WexHarness& wex, int slot) {
  return wex.frame().ToolBar()->findChild<QPushButton*>(QString::number(4999 + slot));
}

// Waits for the recorder to have written a line `line` into `record`.
bool Recorded(const std::string& record, const std::string& line) {
  for (int i = 0; i < 300; ++i) {
    if (ReadBytes(record).find("\n" + line + "\n") != std::string::npos) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

QStringList ToolsMenuTexts(WexHarness& wex) {
  QMenu* tools = wex.frame().menuBar()->actions()[3]->menu();
  emit tools->aboutToShow();
  QStringList texts;
  for (QAction* action : tools->actions().mid(0, 6)) {
    EXPECT_TRUE(action->isEnabled());
    EXPECT_FALSE(action->isChecked());
    texts << action->text();
  }
  return texts;
}

TEST_F(ToolSlotsTest, MenuShowsNamesCutTo63BytesOrNone) {
  const std::string name63(63, 'a'), name80 = std::string(62, 'b') + "\x82\xA0" + "cc";
  WriteBytes(TestSettingsPath(),
             "[tools]\r\ntool_1=\r\nfile_1=/bin/true\r\ntool_2=&Grep\r\ntool_3=" + name63 +
                 "\r\ntool_4=" + name80 + "\r\ntool_5=\x83\x81\x83\x82\r\n");
  WexHarness wex;
  const QStringList texts = ToolsMenuTexts(wex);
  EXPECT_EQ(texts, QStringList({"<NONE>", "&Grep", QString::fromStdString(name63),
                                // 62 bytes and a lone lead byte, kept as its escape
                                QString(62, u'b') + QChar(0xDC82), "メモ", "<NONE>"}));

  // The next display reads the file again.
  WriteBytes(TestSettingsPath(), "[tools]\r\ntool_6=x\r\n");
  EXPECT_EQ(ToolsMenuTexts(wex).last(), "x");
}

TEST_F(ToolSlotsTest, SixButtonsWithFileOrDigitIcons) {
  WriteBytes(TestSettingsPath(), "[tools]\r\nfile_2=" TOOL_RECORDER "\r\nfile_3=\"" TOOL_RECORDER
                                 "\" -x\r\nfile_4=/no/such/file\r\n");
  WexHarness wex;
  for (int slot = 1; slot <= 6; ++slot) {
    QPushButton* button = Button(wex, slot);
    ASSERT_NE(button, nullptr) << slot;
    EXPECT_EQ(button->size(), QSize(23, 22));
    EXPECT_EQ(button->x() - Button(wex, 1)->x(), 24 * (slot - 1));
    EXPECT_TRUE(button->text().isEmpty());
    EXPECT_TRUE(button->isEnabled());
    const bool digit = Pixels(button->icon()) == Pixels(DigitIcon(slot));
    EXPECT_EQ(digit, slot != 2) << slot;
  }
  // The digit icons differ from each other and are drawn on a transparent ground.
  const QImage one = Pixels(DigitIcon(1));
  EXPECT_NE(one, Pixels(DigitIcon(2)));
  EXPECT_EQ(qAlpha(one.pixel(0, 0)), 0);
  EXPECT_EQ(DigitIcon(1).pixmap(32, 32).size(), QSize(32, 32));
}

TEST_F(ToolSlotsTest, EmptyButtonOpensTheDialogAndIconsFollowItsResult) {
  WriteBytes(TestSettingsPath(), "[tools]\r\nfile_1=" TOOL_RECORDER "\r\n");
  WexHarness wex;
  const QImage fileIcon = Pixels(Button(wex, 1)->icon());
  ModalScript script;
  // Cancel after clearing slot 1: the icons stay.
  script.Queue([](QDialog& dialog) {
    dialog.findChild<QLineEdit*>("1001")->clear();
    return QDialog::Rejected;
  });
  QTest::mouseClick(Button(wex, 2), Qt::LeftButton);
  EXPECT_EQ(script.shown(), 1);
  EXPECT_EQ(Pixels(Button(wex, 1)->icon()), fileIcon);

  // OK after clearing slot 1 and giving slot 2 a program: the icons change.
  script.Queue([](QDialog& dialog) {
    dialog.findChild<QLineEdit*>("1001")->clear();
    dialog.findChild<QLineEdit*>("1006")->setText(TOOL_RECORDER);
    dialog.accept();
    return QDialog::Accepted;
  });
  wex.frame().SendCommand(cmd::ID_TOOL_SETTINGS);
  EXPECT_EQ(script.shown(), 2);
  EXPECT_EQ(Pixels(Button(wex, 1)->icon()), Pixels(DigitIcon(1)));
  EXPECT_EQ(Pixels(Button(wex, 2)->icon()), fileIcon);
}

TEST_F(ToolSlotsTest, MenuAndButtonLaunchTheSlotsProgram) {
  const TempDir temp;
  const std::string& dir = temp.path();
  const std::string record = dir + "/record";
  ::setenv("WEX_RECORD", record.c_str(), 1);
  WriteBytes(TestSettingsPath(),
             "[tools]\r\ntool_1=named\r\nfile_2=\"" TOOL_RECORDER "\" menu\r\nfile_3=" TOOL_RECORDER
             " button\r\nfile_4=/no/such/program\r\n");
  WexHarness wex;
  const auto launched = [&](const std::string& argument) { return Recorded(record, argument); };
  ModalScript script;
  wex.frame().CommandAction(cmd::ID_TOOL_FIRST)->trigger();      // a name but no path: nothing
  wex.frame().CommandAction(cmd::ID_TOOL_FIRST + 3)->trigger();  // a missing program: nothing
  wex.frame().CommandAction(cmd::ID_TOOL_FIRST + 1)->trigger();
  EXPECT_TRUE(launched("menu"));
  std::filesystem::remove(record);
  QTest::mouseClick(Button(wex, 3), Qt::LeftButton);
  EXPECT_TRUE(launched("button"));
  EXPECT_EQ(script.shown(), 0);  // no dialog, no message
  ::unsetenv("WEX_RECORD");
}

TEST_F(ToolSlotsTest, JapaneseCommandLineReachesTheProgramInTheFileSystemsSpelling) {
  // The settings hold Shift-JIS; the folder is named in the file system's UTF-8.
  // 表 and ソ end in the byte of a backslash.
  const TempDir temp;
  const std::string& dir = temp.path();
  const std::string program = dir + "/ツール/recorder";
  std::filesystem::create_directory(dir + "/ツール");
  std::filesystem::copy_file(TOOL_RECORDER, program);
  const std::string record = dir + "/record";
  ::setenv("WEX_RECORD", record.c_str(), 1);
  const std::string sjisProgram = dir + "/\x83\x63\x81\x5B\x83\x8B/recorder";
  WriteBytes(TestSettingsPath(), "[tools]\r\nfile_1=" + sjisProgram +
                                     " \x95\x5C\x8E\xA6 \"\x83\x5C\"\r\n"
                                     "file_2=" +
                                     sjisProgram + "\r\n");
  WexHarness wex;
  EXPECT_NE(Pixels(Button(wex, 2)->icon()), Pixels(DigitIcon(2)));  // the icon finds the same file
  wex.frame().CommandAction(cmd::ID_TOOL_FIRST)->trigger();
  ASSERT_TRUE(Recorded(record, "ソ"));
  EXPECT_EQ(ReadBytes(record),
            program + "\n表示\nソ\n" + std::filesystem::current_path().string() + "\n");
  ::unsetenv("WEX_RECORD");
}

}  // namespace
