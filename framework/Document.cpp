#include "framework/Document.h"

#include "framework/MessageBox.h"
#include "resources/Strings.h"

#include <QFileInfo>

CDocument::CDocument(QObject* parent) : QObject(parent) {}

void CDocument::SetTitle(const QString& title) {
  m_title = title;
  emit TitleChanged(title);
}

void CDocument::SetPathName(const QString& path) {
  m_pathName = path;
  SetTitle(QFileInfo(path).fileName());
}

bool CDocument::SaveModified() {
  if (!IsModified()) return true;
  const QString name = m_pathName.isEmpty() ? m_title : m_pathName;
  switch (ShowMessageBox(OwnerWindow(), LoadString(IDS_SAVE_CHANGES).arg(name), QString(),
                         QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                         QMessageBox::Warning)) {
    case QMessageBox::Yes: return DoFileSave();
    case QMessageBox::No: return true;
    default: return false;
  }
}

bool CDocument::OnNewDocument() {
  DeleteContents();
  SetModifiedFlag(false);
  m_pathName.clear();
  SetTitle(TemplateStringField(1));
  return true;
}

bool CDocument::OnOpenDocument(const QString& path) {
  const FileError error = Load(path);
  if (error != FileError::None) {
    ReportFileError(OwnerWindow(), error, path);
    return false;
  }
  SetPathName(path);
  SetModifiedFlag(false);
  return true;
}

bool CDocument::DoFileSave() {
  // A copy: saving may let go of the file, which empties the path.
  if (!m_pathName.isEmpty()) return SaveTo(QString(m_pathName));
  const QString path = PromptSaveFileName();
  if (path.isEmpty()) return false;
  if (!SaveTo(path)) return false;
  SetPathName(path);
  return true;
}

bool CDocument::SaveTo(const QString& path) { return FinishSave(path, Store(path)); }

bool CDocument::FinishSave(const QString& path, FileError error) {
  if (error != FileError::None) {
    ReportFileError(OwnerWindow(), error, path);
    return false;
  }
  SetModifiedFlag(false);
  return true;
}
