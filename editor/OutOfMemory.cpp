#include "editor/OutOfMemory.h"

#include "framework/MessageBox.h"

void ReportOutOfMemory(QWidget* owner) {
  ShowMessageBox(owner, QString::fromUtf8("ﾒﾓﾘが不足しています。"), QString(), QMessageBox::Ok,
                 QMessageBox::Critical);
}
