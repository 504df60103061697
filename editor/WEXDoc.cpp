#include "editor/WEXDoc.h"

#include "settings/Settings.h"
#include "settings/SettingsDirectory.h"
#include "editor/FileDialog.h"
#include "editor/FileText.h"
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

void CWEXDoc::DeleteContents() {
  if (m_pView) m_pView->SetWholeText({});
}

FileError CWEXDoc::Load(const QString& path) {
  std::string bytes;
  const int error = ReadWholeFile(QFile::encodeName(path).toStdString(), bytes);
  if (error != 0) return FileErrorFromErrno(error);
  try {
    // Rich text comes in as its plain text, with no code recognition.
    m_pView->SetWholeText(IsRichText(bytes)
                              ? RtfToText(bytes)
                              : PlainFileText(std::move(bytes), m_settingsPath, OwnerWindow()));
  } catch (const std::bad_alloc&) {
    return FileError::Failed;
  }
  return FileError::None;
}

FileError CWEXDoc::Store(const QString& path) {
  return FileErrorFromErrno(m_pView->WriteTextFile(QFile::encodeName(path).toStdString()));
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
