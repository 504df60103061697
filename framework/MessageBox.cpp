#include "framework/MessageBox.h"

#include "framework/ModalSeam.h"
#include "resources/Strings.h"

QMessageBox::StandardButton ShowMessageBox(QWidget* owner, const QString& text,
                                           const QString& caption,
                                           QMessageBox::StandardButtons buttons,
                                           QMessageBox::Icon icon) {
  QMessageBox box(icon, caption.isEmpty() ? LoadString(IDS_APP_NAME) : caption, text, buttons,
                  owner);
  if (buttons.testFlag(QMessageBox::Yes) && buttons.testFlag(QMessageBox::No) &&
      !buttons.testFlag(QMessageBox::Cancel))
    box.setEscapeButton(QMessageBox::No);
  return static_cast<QMessageBox::StandardButton>(RunModal(box));
}
