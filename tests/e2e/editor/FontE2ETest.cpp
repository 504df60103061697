// The view's font in the real program: chosen in the font dialog, used again at
// the next start; Japanese text drawn with real glyphs of a CJK font.

#include "tests/e2e/support/Desktop.h"
#include "tests/e2e/support/E2E.h"

#include <gtest/gtest.h>
#include <QImage>
#include <QRect>

namespace {

// The text area of the main window's client area, right of the caret at the
// start of the text, between the toolbar and the status bar.
QImage TextArea(const std::string& window) {
  const QImage shot = Screenshot(window);
  return shot.copy(QRect(8, 60, shot.width() - 40, shot.height() - 100));
}

// The rectangle that holds every dark pixel of `image`; empty when none.
QRect Ink(const QImage& image) {
  QRect ink;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (qGray(image.pixel(x, y)) < 128) ink |= QRect(x, y, 1, 1);
  return ink;
}

// The text area of the program started on a file holding `shiftJis`.
QImage DrawnText(const WexInstall& install, const std::string& shiftJis) {
  const std::string path = install.AddFile("jp.txt", shiftJis);
  WexProcess wex(install, {path});
  const std::string window = WaitForMainWindow("jp.txt - Wex");
  if (window.empty()) return {};
  const QImage area = TextArea(window);
  EXPECT_EQ(CloseWindow(window, wex), 0);
  return area;
}

}  // namespace

TEST(FontE2E, FontChosenInTheDialogIsUsedAfterARestart) {
  WexInstall install;
  const std::string twoA = "\x82\xa0\x82\xa0";  // "ああ"
  const QRect before = Ink(DrawnText(install, twoA));
  ASSERT_FALSE(before.isEmpty()) << "nothing drawn";
  {
    WexProcess wex(install);
    const std::string window = WaitForMainWindow("memo - Wex");
    ASSERT_FALSE(window.empty());
    PressKeys(window, "alt+v f");
    const std::optional<ShownDialog> dialog = wex.WaitForDialog("フォントの選択");
    ASSERT_TRUE(dialog);
    PressKeys(dialog->window, "alt+s ctrl+a");
    TypeText(dialog->window, "36");
    PressKeys(dialog->window, "Return");
    EXPECT_NE(WaitForBytes(install.settingsPath(), "").find("Height=720\r\n"), std::string::npos);
    EXPECT_EQ(CloseWindow(window, wex), 0);
  }
  const QRect after = Ink(DrawnText(install, twoA));
  // 36 points against the default's 9 or 10: the same two characters, far wider.
  EXPECT_GT(after.width(), 2 * before.width()) << before.width() << " -> " << after.width();
  EXPECT_GT(after.height(), 2 * before.height()) << before.height() << " -> " << after.height();
}

TEST(FontE2E, JapaneseIsDrawnWithRealGlyphs) {
  WexInstall install;
  const QImage a = DrawnText(install, "\x82\xa0");  // "あ"
  const QImage i = DrawnText(install, "\x82\xa2");  // "い"
  EXPECT_FALSE(Ink(a).isEmpty());
  EXPECT_FALSE(Ink(i).isEmpty());
  // A font without the characters draws the same empty box for both.
  EXPECT_NE(a, i);
}
