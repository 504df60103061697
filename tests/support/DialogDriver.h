#pragma once
// Driving a dialog of the program inside a GUI test: its controls by their
// resource id (the object name), clicks and key presses as the user makes them.

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QDialog>
#include <QString>
#include <initializer_list>

/// The control `id` of `dialog` (a plug-in's dialog may be any widget); fails
/// the test when there is none.
template <class Widget = QAbstractButton>
Widget* Control(QWidget& dialog, int id) {
  auto* widget = dialog.findChild<Widget*>(QString::number(id));
  EXPECT_NE(widget, nullptr) << "no control " << id;
  return widget;
}

/// Clicks the button `id` with the mouse; the dialog's result then.
int Click(QDialog& dialog, int id);

/// Shows `dialog` active with the focus on control `id`, presses `keys` in turn
/// on whatever has the focus, and returns the dialog's result (-1 while it is open).
int PressKeys(QDialog& dialog, int id, std::initializer_list<Qt::Key> keys);
