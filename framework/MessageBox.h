#pragma once
#include <QMessageBox>
#include <QString>

class QWidget;

/// Shows a message box through the modal seam and returns the button chosen.
/// An empty caption means the application name "WEX".
QMessageBox::StandardButton ShowMessageBox(QWidget* owner, const QString& text,
                                           const QString& caption,
                                           QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                           QMessageBox::Icon icon = QMessageBox::NoIcon);
