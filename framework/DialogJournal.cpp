#include "framework/DialogJournal.h"

#include <QAbstractButton>
#include <QFile>
#include <QMessageBox>
#include <QStringList>

namespace {

QString Escaped(QString text) {
  text.replace('\\', "\\\\").replace('\r', "\\r").replace('\n', "\\n").replace('\t', "\\t");
  return text;
}

}  // namespace

QString DialogCaption(const QDialog& dialog) { return dialog.windowTitle(); }

QString DialogText(const QDialog& dialog) {
  const auto* box = qobject_cast<const QMessageBox*>(&dialog);
  return box ? box->text() : QString();
}

void RecordShownDialog(const QDialog& dialog) {
  const QString path = qEnvironmentVariable("WEX_DIALOG_LOG");
  if (path.isEmpty()) return;
  QStringList buttons;
  if (const auto* box = qobject_cast<const QMessageBox*>(&dialog))
    for (const QAbstractButton* button : box->buttons()) buttons << Escaped(button->text());
  QFile journal(path);
  if (!journal.open(QIODevice::WriteOnly | QIODevice::Append)) return;
  journal.write((Escaped(DialogCaption(dialog)) + '\t' + Escaped(DialogText(dialog)) + '\t' +
                 buttons.join('|') + '\n')
                    .toUtf8());
}
