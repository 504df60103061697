#include "tests/support/DialogDriver.h"

#include <QTest>

int Click(QDialog& dialog, int id) {
  QTest::mouseClick(Control(dialog, id), Qt::LeftButton);
  return dialog.result();
}

int PressKeys(QDialog& dialog, int id, std::initializer_list<Qt::Key> keys) {
  dialog.show();
  dialog.activateWindow();
  EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
  Control<QWidget>(dialog, id)->setFocus(Qt::TabFocusReason);
  dialog.setResult(-1);
  for (Qt::Key key : keys)
    if (dialog.isVisible()) QTest::keyClick(dialog.focusWidget(), key);
  return dialog.isVisible() ? -1 : dialog.result();
}
