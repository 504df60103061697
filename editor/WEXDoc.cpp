#include "editor/WEXDoc.h"

#include "app/Settings.h"
#include "editor/WEXView.h"
#include "framework/ModalSeam.h"
#include "platform/FileBytes.h"
#include "resources/Strings.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>

CWEXDoc::CWEXDoc(QObject* parent) : CDocument(parent) {
  m_settingsPath = GetProgramDirectory();
  MakeSettingsPath(m_settingsPath, "Wex.ini");
}

bool CWEXDoc::IsModified() const { return m_pView && m_pView->document()->isModified(); }

void CWEXDoc::SetModifiedFlag(bool modified) {
  if (m_pView) m_pView->document()->setModified(modified);
}

QWidget* CWEXDoc::OwnerWindow() const { return m_pView ? m_pView->window() : nullptr; }

void CWEXDoc::DeleteContents() {
  if (m_pView) m_pView->SetWholeText({});
}

FileError CWEXDoc::Load(const QString& path) {
  std::string bytes;
  const int error = ReadWholeFile(QFile::encodeName(path).toStdString(), bytes);
  if (error != 0) return FileErrorFromErrno(error);
  m_pView->SetWholeText(bytes);
  return FileError::None;
}

FileError CWEXDoc::Store(const QString& path) {
  const int error =
      WriteWholeFileAtomically(QFile::encodeName(path).toStdString(), m_pView->GetPlainText());
  return FileErrorFromErrno(error);
}

QString CWEXDoc::PromptSaveFileName() {
  QFileDialog dialog(OwnerWindow());
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setNameFilter(TemplateStringField(3));
  // The proposed name is the title cut at its first character that cannot
  // start an extension or is not allowed in a file name.
  QString name = GetTitle();
  const qsizetype cut = name.indexOf(QRegularExpression(QStringLiteral("[ #%;/\\\\]")));
  if (cut >= 0) name.truncate(cut);
  dialog.selectFile(name);
  if (RunModal(dialog) != QDialog::Accepted) return {};
  return dialog.selectedFiles().value(0);
}
