#include "editor/WEXDoc.h"

#include "settings/Settings.h"
#include "settings/SettingsDirectory.h"
#include "editor/FileDialog.h"
#include "editor/FileText.h"
#include "editor/FormatMessages.h"
#include "editor/RtfReader.h"
#include "editor/TextBoundary.h"
#include "editor/WEXView.h"
#include "framework/CommandIds.h"
#include "platform/FileBytes.h"
#include "resources/Strings.h"

#include <QFileDialog>
#include <QRegularExpression>
#include <new>

CWEXDoc::CWEXDoc(QObject* parent) : CDocument(parent) {
  m_settingsPath = GetSettingsDirectory();
  MakeSettingsPath(m_settingsPath, "Wex.ini");
  OnCommand(cmd::ID_FILE_SAVE, [this](int) { DoFileSave(); });
}

void CWEXDoc::SetView(CWEXView* view) {
  m_pView = view;
  if (view) view->SetDocument(this);
}

bool CWEXDoc::IsModified() const { return m_pView && m_pView->document()->isModified(); }

void CWEXDoc::SetModifiedFlag(bool modified) {
  if (m_pView) m_pView->document()->setModified(modified);
}

QWidget* CWEXDoc::OwnerWindow() const { return m_pView ? m_pView->window() : nullptr; }

void CWEXDoc::SetFormat(const TextFormat& format) {
  m_format = format;
  emit FormatChanged(QString::fromStdString(FormatName(format)));
}

void CWEXDoc::DeleteContents() {
  if (m_pView) m_pView->SetWholeText({});
  SetFormat({});
  m_diskFile.Remember(QString());
}

bool CWEXDoc::ReloadFile() {
  m_bReloading = true;
  const FileError error = Load(GetPathName());
  m_bReloading = false;
  if (error != FileError::None) {
    ReportFileError(OwnerWindow(), error, GetPathName());
    return false;
  }
  SetModifiedFlag(false);
  return true;
}

FileError CWEXDoc::Load(const QString& path) {
  std::string bytes;
  const std::string localPath = QFile::encodeName(path).toStdString();
  // Taken before reading: a change made while the file is read shows later.
  const FileIdentity identity = IdentifyFile(localPath);
  const int error = ReadWholeFile(localPath, bytes);
  if (error != 0) return FileErrorFromErrno(error);
  try {
    // Rich text comes in as its plain text, with no code recognition.
    FileText text;
    if (IsRichText(bytes))
      text.sjis = RtfToText(bytes);
    else
      text = PlainFileText(std::move(bytes), m_settingsPath, OwnerWindow());
    m_pView->SetFileText(std::move(text), OwnerWindow(), m_bReloading);
  } catch (const std::bad_alloc&) {
    return FileError::OutOfMemory;
  }
  m_diskFile.Remember(identity);
  return FileError::None;
}

FileError CWEXDoc::Store(const QString& path) {
  if (path == GetPathName() && !m_diskFile.MayOverwrite(path)) return FileError::Cancelled;
  const FileError error = FileErrorFromErrno(m_pView->WriteTextFile(
      QFile::encodeName(path).toStdString(), m_format, [this](std::size_t count) {
        return AgreeToReplaceUnholdable(OwnerWindow(), count, m_format.encoding);
      }));
  if (error == FileError::None) m_diskFile.Remember(path);
  return error;
}

QString CWEXDoc::PromptSaveFileName() {
  QFileDialog dialog(OwnerWindow());
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setNameFilters(FileDialogFilters(
      TextToSjis(TemplateStringField(3) + "|*" + TemplateStringField(4) + "||")));
  // The proposed name is the title cut at its first character that cannot
  // start an extension or is not allowed in a file name.
  QString name = GetTitle();
  const qsizetype cut = name.indexOf(QRegularExpression(QStringLiteral("[ #%;/\\\\]")));
  if (cut >= 0) name.truncate(cut);
  dialog.selectFile(name);
  return ChooseFile(dialog);
}
