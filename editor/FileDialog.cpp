#include "editor/FileDialog.h"

#include "editor/FileNames.h"
#include "framework/MessageBox.h"
#include "framework/ModalSeam.h"
#include "framework/TextBoundary.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>

QStringList FileDialogFilters(std::string_view filter) {
  const QStringList fields = SjisToText(filter).split(u'|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < fields.size(); i += 2) {
    if (fields[i].isEmpty()) break;
    QStringList patterns = fields[i + 1].split(u';', Qt::SkipEmptyParts);
    for (QString& pattern : patterns)
      if (pattern == QStringLiteral("*.*")) pattern = QStringLiteral("*");
    // The dialog takes the last parenthesised list as the patterns and, with
    // HideNameFilterDetails, shows the description without it.
    filters << fields[i] + QStringLiteral(" (") + patterns.join(u' ') + QStringLiteral(")");
  }
  return filters;
}

QString ChooseFile(QFileDialog& dialog) {
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setOption(QFileDialog::HideNameFilterDetails);
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  for (;;) {
    if (RunModal(dialog) != QDialog::Accepted) return {};
    QString path = dialog.selectedFiles().value(0);
    if (path.isEmpty()) return {};
    if (dialog.acceptMode() == QFileDialog::AcceptSave && QFileInfo(path).suffix().isEmpty() &&
        !dialog.defaultSuffix().isEmpty())
      path += u'.' + dialog.defaultSuffix();
    if (HasWildcard(QFile::encodeName(path).toStdString())) {
      dialog.setNameFilter(QFileInfo(path).fileName());
      dialog.setDirectory(QFileInfo(path).absolutePath());
      continue;
    }
    if (dialog.acceptMode() == QFileDialog::AcceptSave && QFileInfo::exists(path) &&
        ShowMessageBox(&dialog,
                       QString::fromUtf8("%1 は既に存在します。\n上書きしますか?")
                           .arg(QFileInfo(path).fileName()),
                       dialog.windowTitle(), QMessageBox::Yes | QMessageBox::No,
                       QMessageBox::Warning) != QMessageBox::Yes)
      continue;
    return path;
  }
}
