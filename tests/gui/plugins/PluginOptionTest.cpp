// The plug-ins' Option windows, driven offscreen: the information boxes of the
// filters and Markwell's settings dialog with its data and settings files.

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <filesystem>
#include <functional>
#include <vector>

#include "tests/support/DialogDriver.h"
#include "tests/unit/plugins/ProgramFiles.h"
#include "tests/unit/plugins/WpiLibrary.h"

namespace {

using namespace wpitest;

struct ShownBox {
  QString caption;
  QString text;
  QWidget* owner;
  QMessageBox::StandardButtons buttons;
};

class PluginOptionTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    static int argc = 1;
    static char name[] = "plugins_gui_test";
    static char* argv[] = {name, nullptr};
    if (QApplication::instance() == nullptr) {
      new QApplication(argc, argv);  // never destroyed: static destruction at exit crashes
    }
  }

  void SetUp() override {
    RemoveMarkwellFiles();
    m_mainWindow.show();
    // Every message box is recorded and answered with OK, whichever loop runs.
    QObject::connect(&m_boxAnswerer, &QTimer::timeout, [this] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box != nullptr && box->isVisible()) {
        m_boxes.push_back(
            {box->windowTitle(), box->text(), box->parentWidget(), box->standardButtons()});
        box->button(QMessageBox::Ok)->click();
      }
    });
    m_boxAnswerer.start(5);
  }

  uintptr_t MainWindowId() { return static_cast<uintptr_t>(m_mainWindow.winId()); }

  /// Opens Markwell's settings and runs `script` on the dialog once it is the active
  /// modal window; returns Option's result.
  int32_t WithMarkwellDialog(const std::function<void(QWidget*)>& script) {
    QTimer waiter;
    QObject::connect(&waiter, &QTimer::timeout, [&] {
      QWidget* modal = QApplication::activeModalWidget();
      if (modal != nullptr && modal->objectName() == "101" && modal->isVisible()) {
        waiter.stop();
        script(modal);
      }
    });
    waiter.start(5);
    return m_markwell.Option(MainWindowId());
  }

  static QString Head(QWidget* dialog) {
    return Control<QPlainTextEdit>(*dialog, 1005)->toPlainText();
  }
  static QString Foot(QWidget* dialog) {
    return Control<QPlainTextEdit>(*dialog, 1007)->toPlainText();
  }
  static void Click(QWidget* dialog, int id) { Control(*dialog, id)->click(); }

  static std::string DataFile() { return ReadBytes(ProgramFile("wpi.dat")); }
  static std::string SettingsFile() { return ReadBytes(ProgramFile("Wex.ini")); }

  ProgramDirectoryLock m_lock;
  QWidget m_mainWindow;
  QTimer m_boxAnswerer;
  WpiLibrary m_markwell{"Markwell"};
  std::vector<ShownBox> m_boxes;
};

TEST_F(PluginOptionTest, FiltersShowTheirInformationOwnedByTheMainWindow) {
  const struct {
    const char* name;
    const char* text;
  } filters[] = {{"Plainer", "タグを消しま～す"},
                 {"Bricks", "平仮名ヲカタカナニ変換シマース\n\n設定ハナイヨ"},
                 {"Cooer", "赤ちゃん語に変換ちまちゅ\n\n設定はないでちゅ"}};
  for (const auto& filter : filters) {
    m_boxes.clear();
    WpiLibrary library(filter.name);
    EXPECT_EQ(library.Option(MainWindowId()), 1);
    ASSERT_EQ(m_boxes.size(), 1u) << filter.name;
    EXPECT_EQ(m_boxes[0].caption, QString::fromUtf8(filter.name));
    EXPECT_EQ(m_boxes[0].text, QString::fromUtf8(filter.text));
    EXPECT_EQ(m_boxes[0].owner, &m_mainWindow);
    EXPECT_EQ(m_boxes[0].buttons, QMessageBox::Ok);
  }
}

TEST_F(PluginOptionTest, MarkwellDialogShowsTheChosenTemplateAndRecreatesTheDataFile) {
  const int32_t result = WithMarkwellDialog([this](QWidget* dialog) {
    EXPECT_EQ(dialog->windowTitle(), QString::fromUtf8("Markwellの設定"));
    EXPECT_EQ(dialog->parentWidget(), &m_mainWindow);
    EXPECT_TRUE(Control<QRadioButton>(*dialog, 1000)->isChecked());
    EXPECT_EQ(Control<QRadioButton>(*dialog, 1006)->text(), "6");
    EXPECT_EQ(Control<QPushButton>(*dialog, 2)->text(), QString::fromUtf8("ｷｬﾝｾﾙ"));
    EXPECT_EQ(Control<QPushButton>(*dialog, 1008)->text(), QString::fromUtf8("保存"));
    EXPECT_EQ(Head(dialog), "<HTML>\n<HEAD>\n<TITLE>@title</TITLE>\n</HEAD>\n<BODY>\n");
    EXPECT_EQ(Foot(dialog), "\n</BODY>\n</HTML>");
    Click(dialog, 2);
  });
  EXPECT_EQ(result, 2);
  EXPECT_EQ(DataFile(), DefaultDataFile());
  EXPECT_EQ(SettingsFile(), "");
}

TEST_F(PluginOptionTest, MarkwellSavesTheEditedTemplateAndShowsItAgain) {
  int32_t result = WithMarkwellDialog([](QWidget* dialog) {
    Click(dialog, 1002);
    Control<QPlainTextEdit>(*dialog, 1005)->setPlainText("A\nB");
    Control<QPlainTextEdit>(*dialog, 1007)->setPlainText(QString::fromUtf8("フッタ"));
    Click(dialog, 1008);
    EXPECT_TRUE(dialog->isVisible());
    Click(dialog, 2);
  });
  EXPECT_EQ(result, 2);
  std::string expected;
  for (int t = 0; t < 6; ++t) {
    expected += t == 2 ? "A\\nB\r\n" + Sjis("フッタ") + "\r\n"
                       : kDefaultHeadLine + "\r\r\n" + kDefaultFootLine + "\r\r\n";
  }
  EXPECT_EQ(DataFile(), expected);
  EXPECT_NE(SettingsFile().find("Template=2"), std::string::npos) << SettingsFile();
  EXPECT_EQ(m_markwell.Run("T"), "A\r\nBT" + Sjis("フッタ"));

  // Edits followed by the radio buttons, Cancel or the close box write nothing.
  const std::string settings = SettingsFile();
  result = WithMarkwellDialog([](QWidget* dialog) {
    EXPECT_TRUE(Control<QRadioButton>(*dialog, 1002)->isChecked());
    EXPECT_EQ(Head(dialog), "A\nB");
    EXPECT_EQ(Foot(dialog), QString::fromUtf8("フッタ"));
    Control<QPlainTextEdit>(*dialog, 1005)->setPlainText("lost");
    Click(dialog, 1000);
    EXPECT_EQ(Head(dialog), "<HTML>\n<HEAD>\n<TITLE>@title</TITLE>\n</HEAD>\n<BODY>\n");
    Click(dialog, 1002);
    EXPECT_EQ(Head(dialog), "A\nB");
    Control<QPlainTextEdit>(*dialog, 1007)->setPlainText("changed");
    Click(dialog, 2);
  });
  EXPECT_EQ(result, 2);
  result = WithMarkwellDialog([](QWidget* dialog) {
    Control<QPlainTextEdit>(*dialog, 1007)->setPlainText("changed");
    dialog->close();
  });
  EXPECT_EQ(result, 1);
  EXPECT_EQ(DataFile(), expected);
  EXPECT_EQ(SettingsFile(), settings);

  result = WithMarkwellDialog([](QWidget* dialog) {
    Click(dialog, 1004);
    Control<QPlainTextEdit>(*dialog, 1007)->setPlainText("F5");
    Click(dialog, 1);
  });
  EXPECT_EQ(result, 1);
  EXPECT_NE(DataFile().find("\r\nF5\r\n"), std::string::npos);
  EXPECT_NE(SettingsFile().find("Template=4"), std::string::npos);
}

// Qt's messages while `action` runs.
QStringList MessagesDuring(const std::function<void()>& action) {
  static QStringList* captured = nullptr;
  QStringList messages;
  captured = &messages;
  const QtMessageHandler previous =
      qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& message) {
        captured->append(message);
      });
  action();
  qInstallMessageHandler(previous);
  captured = nullptr;
  return messages;
}

TEST_F(PluginOptionTest, MarkwellEditsHoldAtMost1024Characters) {
  WithMarkwellDialog([](QWidget* dialog) {
    auto* head = Control<QPlainTextEdit>(*dialog, 1005);
    const QStringList messages =
        MessagesDuring([head] { head->setPlainText(QString(1100, QChar(u'y'))); });
    EXPECT_TRUE(head->toPlainText() == QString(1024, QChar(u'y')))
        << head->toPlainText().size() << " characters";
    EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
    head->setPlainText(QString(1000, QChar(u'あ')));
    head->moveCursor(QTextCursor::Start);
    head->insertPlainText(QString(50, QChar(u'x')));
    EXPECT_TRUE(head->toPlainText() == QString(24, QChar(u'x')) + QString(1000, QChar(u'あ')))
        << head->toPlainText().size() << " characters";
    Click(dialog, 1008);
    Click(dialog, 2);
  });
  // 1023 bytes would end inside a double-byte character.
  std::string head(24, 'x');
  for (int i = 0; i < 499; ++i) {
    head += Sjis("あ");
  }
  const std::string page = m_markwell.Run("");
  EXPECT_TRUE(page == head + "\r\n</BODY>\r\n</HTML>") << page.size() << " bytes";
}

TEST_F(PluginOptionTest, MarkwellSavesOnlyTheFirstTwelveLines) {
  std::string file;
  for (int k = 0; k < 14; ++k) {
    file += "L" + std::to_string(k) + "\r\n";
  }
  WriteBytes(ProgramFile("wpi.dat"), file);
  WithMarkwellDialog([](QWidget* dialog) {
    EXPECT_EQ(Head(dialog), "L0");
    Click(dialog, 1);
  });
  EXPECT_EQ(DataFile(), file.substr(0, file.find("L12")));
}

TEST_F(PluginOptionTest, MarkwellReportsAnUnusableDataFile) {
  std::filesystem::create_directory(ProgramFile("wpi.dat"));
  const int32_t result = WithMarkwellDialog([](QWidget* dialog) {
    EXPECT_EQ(Head(dialog), "");
    EXPECT_EQ(Foot(dialog), "");
    Click(dialog, 1008);
    Click(dialog, 1);
  });
  EXPECT_EQ(result, 1);
  EXPECT_NE(SettingsFile().find("Template=0"), std::string::npos);

  const QString readFailure = QString::fromUtf8("読み込みに失敗");
  const QString openFailure = QString::fromUtf8("ファイルが開けません！");
  ASSERT_EQ(m_boxes.size(), 2u + 4u);
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(m_boxes[i].text, readFailure);
    EXPECT_EQ(m_boxes[i].owner, nullptr);
  }
  for (int i = 2; i < 6; ++i) {
    EXPECT_EQ(m_boxes[i].text, openFailure);
    EXPECT_EQ(m_boxes[i].owner, &m_mainWindow);
  }
  for (const ShownBox& box : m_boxes) {
    EXPECT_EQ(box.caption, "Markwell");
    EXPECT_EQ(box.buttons, QMessageBox::Ok);
  }

  // A conversion reports both lines and goes on with an empty head and foot.
  m_boxes.clear();
  EXPECT_EQ(m_markwell.Run("x"), "x");
  ASSERT_EQ(m_boxes.size(), 2u);
  EXPECT_EQ(m_boxes[1].text, readFailure);
}

}  // namespace
