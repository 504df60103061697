#include "editor/FileChangeCheck.h"

#include "editor/WEXDoc.h"
#include "framework/MessageBox.h"

#include <QEvent>
#include <QFile>

namespace {

FileIdentity IdentifyPath(const QString& path) {
  return IdentifyFile(QFile::encodeName(path).toStdString());
}

QMessageBox::StandardButton Ask(QWidget* owner, const QString& text,
                                QMessageBox::StandardButtons buttons) {
  return ShowMessageBox(owner, text, QStringLiteral("Wex"), buttons, QMessageBox::Warning);
}

}  // namespace

FileChangeCheck::FileChangeCheck(CWEXDoc& document) : m_doc(document) {}

void FileChangeCheck::Remember(const QString& path) {
  Remember(path.isEmpty() ? FileIdentity{} : IdentifyPath(path));
}

void FileChangeCheck::Remember(const FileIdentity& identity) { m_loaded = m_told = identity; }

bool FileChangeCheck::MayOverwrite(const QString& path) {
  const FileIdentity now = IdentifyPath(path);
  // Only a file this document read or wrote can have changed behind its back.
  if (!now.exists || !m_loaded.exists || now == m_loaded) return true;
  // Asked here, the same state must not be asked about again when the window
  // becomes active once the message closes.
  m_told = now;
  const QString text = path + QString::fromUtf8(
                                  " は読み込んだ後に他のﾌﾟﾛｸﾞﾗﾑで変更されています。\n"
                                  "上書きしますか？");
  return Ask(m_doc.OwnerWindow(), text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void FileChangeCheck::CheckOnActivation() {
  const QString path = m_doc.GetPathName();
  if (path.isEmpty() || m_bAsking) return;
  const FileIdentity now = IdentifyPath(path);
  if (now == m_loaded || now == m_told) return;
  m_told = now;
  m_bAsking = true;
  QWidget* owner = m_doc.OwnerWindow();
  if (!now.exists) {
    // Save writes the file again: the text counts as not yet saved anywhere.
    m_doc.SetModifiedFlag(true);
    Ask(owner,
        path + QString::fromUtf8(" は削除されたか、名前が変更されました。\n"
                                 "上書き保存すると、ﾌｧｲﾙをもう一度作成します。"),
        QMessageBox::Ok);
  } else {
    QString text = path + QString::fromUtf8(
                              " は他のﾌﾟﾛｸﾞﾗﾑで変更されました。\n"
                              "もう一度読み込みますか？");
    if (m_doc.IsModified())
      text += QString::fromUtf8("\n読み込むと、このｳｨﾝﾄﾞｳでの変更は失われます。");
    if (Ask(owner, text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes)
      m_doc.ReloadFile();
    else
      m_doc.SetModifiedFlag(true);  // so that closing offers to save the editor's text
  }
  m_bAsking = false;
}

bool FileChangeCheck::eventFilter(QObject* watched, QEvent* event) {
  // Asked once the activation is over, not from inside its handling.
  if (event->type() == QEvent::WindowActivate)
    QMetaObject::invokeMethod(this, &FileChangeCheck::CheckOnActivation, Qt::QueuedConnection);
  return QObject::eventFilter(watched, event);
}
