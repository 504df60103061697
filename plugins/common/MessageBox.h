#pragma once
// The plug-ins' message boxes (Qt). Header-only: each library carries its own copy.

#include <QApplication>
#include <QMessageBox>
#include <QWidget>
#include <cstdint>

namespace wpi {

/// The window behind the native id the host passes to Option; null when it is 0 or
/// names no window of this process.
inline QWidget* FindWindow(std::uintptr_t nativeId) {
  return nativeId != 0 ? QWidget::find(static_cast<WId>(nativeId)) : nullptr;
}

/// A modal box with the OK button only, owned by `owner` (none when null). Returns
/// 1, the OK result, once closed; 0 without showing anything when the host runs no
/// Qt widgets application, since no window can exist then.
inline int ShowMessage(QWidget* owner, const QString& caption, const QString& text) {
  if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
    return 0;
  }
  QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, owner);
  box.exec();
  return 1;
}

}  // namespace wpi
