// The options dialog as the View menu opens it, driven through its controls by a
// modal script: what it shows of the settings file and what OK and Cancel write.

#include "framework/ModalSeam.h"
#include "resources/CommandIds.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/FreshSettings.h"
#include "tests/support/WexHarness.h"

#include <gtest/gtest.h>
#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>
#include <filesystem>

// Lists of texts read in failure messages.
void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace {

QString Text(QDialog& dialog, int id) { return Control<QLineEdit>(dialog, id)->text(); }

bool Checked(QDialog& dialog, int id) { return Control(dialog, id)->isChecked(); }

void Type(QDialog& dialog, int id, const QString& text) {
  QLineEdit* edit = Control<QLineEdit>(dialog, id);
  edit->selectAll();
  edit->insert(text);  // as typed, without the key-event limits to ASCII
}

// The controls that Tab key presses visit, from OK round to OK.
QStringList TabWalk(QDialog& dialog) {
  dialog.show();
  dialog.activateWindow();
  EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
  QWidget* const start = Control(dialog, 1);
  start->setFocus(Qt::TabFocusReason);
  QStringList walk;
  QWidget* w = start;
  do {
    auto* button = qobject_cast<QAbstractButton*>(w);
    walk << w->objectName() + (button ? ":" + button->text() : QString());
    QTest::keyClick(w, Qt::Key_Tab);
    w = dialog.focusWidget();
  } while (w && w != start && walk.size() < 40);
  return walk;
}

// The radio buttons in that walk: where Tab enters each group.
QStringList RadioStops(QDialog& dialog) {
  return TabWalk(dialog).filter(QRegularExpression("^10(2[4-9]|3[01]):"));
}

class OptionsDlgTest : public FreshSettingsTest {
 protected:
  // Starts the editor on `settings` (the bootstrap's file when empty) and runs
  // the options command with `answer` in place of the user.
  void RunOptions(const std::string& settings, ModalScript::Answer answer) {
    if (!settings.empty()) WriteBytes(TestSettingsPath(), settings);
    WexHarness wex;
    ASSERT_TRUE(wex.started());
    ModalScript script;
    script.Queue(std::move(answer));
    wex.frame().SendCommand(cmd::ID_OPTIONS);
    EXPECT_EQ(script.shown(), 1);
    EXPECT_EQ(script.pending(), 0u);
  }
};

TEST_F(OptionsDlgTest, LayoutTextsAndTabOrder) {
  RunOptions({}, [](QDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), "Wex-オプション");
    EXPECT_EQ(dialog.focusWidget(), Control(dialog, 1));
    EXPECT_TRUE(Control<QPushButton>(dialog, 1)->isDefault());

    // The first walk enters each group at its checked button.
    EXPECT_EQ(TabWalk(dialog),
              QStringList({"1:OK", "2:ｷｬﾝｾﾙ", "1025:てきとー", "1000", "1001", "1029:てきとー",
                           "1005", "1006", "1004:起動時に日本語入力ができるようにする", "1009",
                           "1010", "1007:漢字コードの自動認識"}));

    QStringList frames, labels;
    for (auto* box : dialog.findChildren<QGroupBox*>()) frames << box->title();
    for (auto* label : dialog.findChildren<QLabel*>()) labels << label->text();
    frames.sort();
    EXPECT_EQ(frames, QStringList({"保存時の設定", "起動時のサイズ", "起動時の位置"}));
    EXPECT_EQ(labels, QStringList({"×", "×", "デフォルトの拡張子", "デフォルトのファイル名"}));

    // The two radio groups are independent of each other.
    Click(dialog, 1027);
    Click(dialog, 1030);
    EXPECT_TRUE(Checked(dialog, 1027));
    EXPECT_TRUE(Checked(dialog, 1030));
    EXPECT_FALSE(Checked(dialog, 1025));
    EXPECT_FALSE(Checked(dialog, 1029));
    // Tab follows the new choices; the arrows move within a group, checking as they go.
    QTest::keyClick(Control(dialog, 1030), Qt::Key_Up);
    EXPECT_TRUE(Checked(dialog, 1029));
    EXPECT_EQ(RadioStops(dialog), QStringList({"1027:指定", "1029:てきとー"}));
    return QDialog::Rejected;
  });
}

TEST_F(OptionsDlgTest, FirstRunFileIsShownAndOkWithoutChangeKeepsIt) {
  std::string before;
  RunOptions({}, [&before](QDialog& dialog) {
    before = ReadBytes(TestSettingsPath());  // as the bootstrap wrote it
    for (int id : {1025, 1029, 1007}) EXPECT_TRUE(Checked(dialog, id)) << id;
    for (int id : {1024, 1026, 1027, 1028, 1030, 1031, 1004})
      EXPECT_FALSE(Checked(dialog, id)) << id;
    EXPECT_EQ(Text(dialog, 1000), "640");
    EXPECT_EQ(Text(dialog, 1001), "480");
    EXPECT_EQ(Text(dialog, 1005), "0");
    EXPECT_EQ(Text(dialog, 1006), "0");
    EXPECT_EQ(Text(dialog, 1009), "txt");
    EXPECT_EQ(Text(dialog, 1010), "Memo");
    return Click(dialog, 1);
  });
  ASSERT_NE(before.find("Kanji_auto=1"), std::string::npos);
  EXPECT_EQ(ReadBytes(TestSettingsPath()), before);
}

TEST_F(OptionsDlgTest, OkRewritesEveryKeyWithTheValuesShown) {
  // Values that the dialog shows differently from the stored text: a mode with
  // trailing bytes, an input-method flag of 2, an extension of 12 bytes, and no
  // code-detection key at all. Negative and four-digit numbers stay whole.
  const std::string stored =
      "[setting]\r\nSize=3 px\r\nSizex=1024\r\nSizey=abc\r\nPosision=2\r\nPosx=-100\r\n"
      "Posy=768\r\nIme=2\r\nDefaultExt=abcdefghijkl\r\nDefaultName=\x83\x81\x83\x82\r\n"
      "LastDir=/tmp\r\n";
  RunOptions(stored, [](QDialog& dialog) {
    EXPECT_TRUE(Checked(dialog, 1027));
    EXPECT_TRUE(Checked(dialog, 1030));
    EXPECT_EQ(Text(dialog, 1000), "1024");
    EXPECT_EQ(Text(dialog, 1001), "abc");
    EXPECT_EQ(Text(dialog, 1005), "-100");
    EXPECT_EQ(Text(dialog, 1006), "768");
    EXPECT_TRUE(Checked(dialog, 1004));
    EXPECT_FALSE(Checked(dialog, 1007));
    EXPECT_EQ(Text(dialog, 1009), "abcdefghi");
    EXPECT_EQ(Text(dialog, 1010), "メモ");
    return Click(dialog, 1);
  });
  EXPECT_EQ(ReadBytes(TestSettingsPath()),
            "[setting]\r\nSize=3\r\nSizex=1024\r\nSizey=abc\r\nPosision=2\r\nPosx=-100\r\n"
            "Posy=768\r\nIme=1\r\nDefaultExt=abcdefghi\r\nDefaultName=\x83\x81\x83\x82\r\n"
            "LastDir=/tmp\r\nKanji_auto=0\r\n");
}

TEST_F(OptionsDlgTest, ModesOutsideTheGroupsCheckNoButtonAndAreKept) {
  // No "Size" key reads as mode 0; a position mode of 7 has no button.
  RunOptions("[setting]\r\nPosision=7\r\nKanji_auto=1\r\n", [](QDialog& dialog) {
    EXPECT_TRUE(Checked(dialog, 1024));
    for (int id = 1028; id <= 1031; ++id) EXPECT_FALSE(Checked(dialog, id)) << id;
    // A group without a checked button is entered at its first.
    EXPECT_EQ(RadioStops(dialog), QStringList({"1024:640×480", "1028:まんなか"}));
    EXPECT_TRUE(Checked(dialog, 1007));
    EXPECT_EQ(Text(dialog, 1000), "");
    return Click(dialog, 1);
  });
  EXPECT_EQ(ReadBytes(TestSettingsPath()),
            "[setting]\r\nPosision=7\r\nKanji_auto=1\r\nSize=0\r\nSizex=\r\nSizey=\r\nPosx=\r\n"
            "Posy=\r\nIme=0\r\nDefaultExt=\r\nDefaultName=\r\n");
}

TEST_F(OptionsDlgTest, OkWritesWhatWasChosenAndTyped) {
  RunOptions({}, [](QDialog& dialog) {
    Click(dialog, 1027);
    Type(dialog, 1000, "800");
    Type(dialog, 1001, "600");
    Click(dialog, 1028);
    Type(dialog, 1005, "-8");
    Type(dialog, 1006, " 12 ");
    Click(dialog, 1004);
    Click(dialog, 1007);
    Type(dialog, 1009, "html");
    Type(dialog, 1010, "新規");
    return Click(dialog, 1);
  });
  const std::string written = ReadBytes(TestSettingsPath());
  for (const char* line : {"\nSize=3\r\n", "\nSizex=800\r\n", "\nSizey=600\r\n", "\nPosision=0\r\n",
                           "\nPosx=-8\r\n", "\nPosy= 12 \r\n", "\nIme=1\r\n", "\nKanji_auto=0\r\n",
                           "\nDefaultExt=html\r\n", "\nDefaultName=\x90\x56\x8B\x4B\r\n"})
    EXPECT_NE(written.find(line), std::string::npos) << line;
}

TEST_F(OptionsDlgTest, CancelWritesNothing) {
  const std::string stored = "[setting]\r\nSize=9\r\nSizex=1\r\n; note\r\n";
  RunOptions(stored, [](QDialog& dialog) {
    Click(dialog, 1026);
    Click(dialog, 1031);
    Type(dialog, 1000, "800");
    Click(dialog, 1004);
    Type(dialog, 1010, "x");
    return Click(dialog, 2);
  });
  EXPECT_EQ(ReadBytes(TestSettingsPath()), stored);
}

TEST_F(OptionsDlgTest, EnterPressesTheFocusedButtonAndEscapeCancels) {
  const std::string stored = "[setting]\r\nSize=9\r\n";
  // Tab from OK to Cancel, then Enter: Cancel, although OK is the default button.
  RunOptions(stored, [](QDialog& dialog) {
    Type(dialog, 1009, "html");
    return PressKeys(dialog, 1, {Qt::Key_Tab, Qt::Key_Return});
  });
  EXPECT_EQ(ReadBytes(TestSettingsPath()), stored);
  // Escape on a check box cancels too.
  RunOptions(stored, [](QDialog& dialog) {
    Click(dialog, 1004);
    return PressKeys(dialog, 1004, {Qt::Key_Escape});
  });
  EXPECT_EQ(ReadBytes(TestSettingsPath()), stored);
  // Enter in an edit field, where no button has the focus, is OK.
  RunOptions(stored, [](QDialog& dialog) {
    Type(dialog, 1009, "html");
    return PressKeys(dialog, 1009, {Qt::Key_Return});
  });
  EXPECT_NE(ReadBytes(TestSettingsPath()).find("\nDefaultExt=html\r\n"), std::string::npos);
}

TEST_F(OptionsDlgTest, CodeDetectionSwitchedOffHoldsForTheNextFileOpened) {
  const TempDir temp;
  const std::string& dir = temp.path();
  const std::string jis = dir + "/jis.txt";
  WriteBytes(jis, "\x1b$B$\"$$\x1b(B\r\n");  // "あい" in JIS
  WexHarness wex;
  ModalScript script;
  script.QueueResult(QMessageBox::No);
  ASSERT_TRUE(wex.doc().OnOpenDocument(QString::fromStdString(jis)));
  ASSERT_EQ(script.messageBoxes().size(), 1u) << "opening a JIS file did not offer to convert it";

  script.Queue([](QDialog& dialog) {
    Click(dialog, 1007);
    return Click(dialog, 1);
  });
  wex.frame().SendCommand(cmd::ID_OPTIONS);
  ASSERT_TRUE(wex.doc().OnOpenDocument(QString::fromStdString(jis)));
  EXPECT_EQ(script.messageBoxes().size(), 1u) << "the second open still asked to convert";
  EXPECT_EQ(script.pending(), 0u);
}

}  // namespace
