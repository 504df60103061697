// The real frame on a Wayland compositor (weston, headless): a file opened, always
// on top as the platform allows it (not at all), a topmost tool started without a
// wait, a clean end, and nothing of it going to an X server.

#include "resources/CommandIds.h"
#include "tests/support/WexHarness.h"
#include "tests/wayland/UnservedXDisplay.h"
#include "tests/wayland/WaylandTestMain.h"
#include "tools/TopmostStep.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QMenu>
#include <QTest>
#include <QWindow>

namespace {

TEST(WaylandFrame, OpensAFileKeepsNoWindowAboveAndStartsATopmostToolAtOnce) {
  ASSERT_EQ(QGuiApplication::platformName(), "wayland");
  ASSERT_FALSE(TheUnservedXDisplay().display().empty());
  RemoveTestSettings();
  TempDir dir;
  const std::string file = dir.file("memo.txt");
  WriteBytes(file, "\x82\xA0\x82\xA2 abc\r\n");  // "あい abc" in Shift-JIS
  const std::string record = dir.file("record");
  ::setenv("WEX_RECORD", record.c_str(), 1);
  WriteBytes(TestSettingsPath(),
             "[tools]\r\ntool_1=recorder\r\nfile_1=" TOOL_RECORDER " topmost\r\nTopmost_1=1\r\n");
  {
    WexHarness wex({QString::fromStdString(file)});
    ASSERT_TRUE(wex.started());
    CMainFrame& frame = wex.frame();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    EXPECT_EQ(frame.windowTitle(), "memo.txt - Wex");
    EXPECT_EQ(wex.view().GetPlainText(), "\x82\xA0\x82\xA2 abc\r\n");

    // The View menu shows the true state: the compositor keeps no window above the
    // others, so the item is unchecked and cannot be chosen.
    QAction* item = frame.CommandAction(cmd::ID_TOPMOST);
    ASSERT_NE(item, nullptr);
    emit frame.Popup(2)->aboutToShow();
    EXPECT_FALSE(item->isChecked());
    EXPECT_FALSE(item->isEnabled());
    // The command itself, routed as a menu choice would be, changes nothing: the
    // window is not re-created (which would hide it and lose its place).
    const QWindow* native = frame.windowHandle();
    item->trigger();
    frame.SendCommand(cmd::ID_TOPMOST);
    QApplication::processEvents();
    EXPECT_FALSE(frame.IsAlwaysOnTop());
    EXPECT_FALSE(frame.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(frame.windowHandle(), native);
    EXPECT_TRUE(frame.isVisible());
    emit frame.Popup(2)->aboutToShow();
    EXPECT_FALSE(item->isChecked());

    // A "Topmost" tool from the Tools menu starts, and no wait for its window runs.
    frame.SendCommand(cmd::ID_TOOL_FIRST);
    EXPECT_EQ(qApp->findChild<TopmostStep*>(QString(), Qt::FindDirectChildrenOnly), nullptr);
    const auto started = [&] { return ReadBytes(record).find("\ntopmost\n") != std::string::npos; };
    EXPECT_TRUE(QTest::qWaitFor(started)) << "the tool did not start";
    // The same from its toolbar button.
    ::unlink(record.c_str());
    frame.SendCommand(cmd::ID_TOOL_BUTTON_FIRST);
    EXPECT_EQ(qApp->findChild<TopmostStep*>(QString(), Qt::FindDirectChildrenOnly), nullptr);
    EXPECT_TRUE(QTest::qWaitFor(started)) << "the tool did not start from its button";

    // A clean end: the unmodified document closes without a question.
    EXPECT_FALSE(wex.doc().IsModified());
    EXPECT_TRUE(frame.close());
  }
  ::unsetenv("WEX_RECORD");
  RemoveTestSettings();
  EXPECT_EQ(TheUnservedXDisplay().connections(), 0) << "the program connected to an X server";
}

}  // namespace
