// Open (57601) and Save As (57604): the view's dialogs; the document reads and
// writes the files.

#include "settings/Settings.h"
#include "editor/FileDialog.h"
#include "editor/FileNames.h"
#include "editor/FileText.h"
#include "editor/FormatChoice.h"
#include "editor/FormatMessages.h"
#include "editor/TextBoundary.h"
#include "editor/WEXDoc.h"
#include "editor/WEXView.h"
#include "framework/FileError.h"
#include "framework/MessageBox.h"
#include "framework/WaitCursor.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>

namespace {

constexpr std::size_t kPathSize = 260;

// "すべてのﾌｧｲﾙ(*.*)|*.*||" in Shift-JIS.
constexpr std::string_view kOpenFilter =
    "\x82\xB7\x82\xD7\x82\xC4\x82\xCC\xCC\xA7\xB2\xD9" "(*.*)|*.*||";

std::string LocalPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

// Where a file dialog starts: the folder kept in "LastDir", else the current one.
QString StartDirectory(const std::string& lastDir) {
  return lastDir.empty() ? QDir::currentPath() : QFile::decodeName(lastDir.c_str());
}

}  // namespace

void CWEXView::OnFileOpen() {
  QFileDialog dialog(this, QString::fromUtf8("開く"));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setNameFilters(FileDialogFilters(kOpenFilter));
  dialog.setDirectory(
      StartDirectory(ReadSettingString(m_settingsPath, "setting", "LastDir", kPathSize)));
  const QString path = ChooseFile(dialog);
  if (path.isEmpty()) return;

  CWaitCursor wait;
  const std::string localPath = LocalPath(path);
  WriteSettingString(m_settingsPath, "setting", "LastDir", LastDirOf(localPath));
  // The opened file becomes the document's, so a later Save writes it and not
  // the file opened before; edits to the text it replaces are offered for saving
  // before the file is read, since they may be saved into that very file.
  if (!m_pDocument || !m_pDocument->SaveModified()) return;
  // The bytes as they are: Open makes no rich-text test of its own.
  FileText text;
  if (const FileError error = m_pDocument->ReadFileText(path, false, this, text);
      error != FileError::None) {
    ReportFileError(this, error, path);
    return;
  }
  m_pDocument->ShowFileText(std::move(text), this);
  m_pDocument->SetPathName(path);
}

void CWEXView::OnFileSaveAs() {
  const std::string defaultExt = ReadSettingString(m_settingsPath, "setting", "DefaultExt", 64);
  const std::string defaultName =
      ReadSettingString(m_settingsPath, "setting", "DefaultName", kPathSize);
  std::string filter = ReadSettingString(m_settingsPath, "setting", "Filter", 1024);
  const std::string lastDir = ReadSettingString(m_settingsPath, "setting", "LastDir", kPathSize);
  if (filter.empty()) {
    filter = DEFAULT_FILTER;
    WriteSettingString(m_settingsPath, "setting", "Filter", filter);
  }

  QFileDialog dialog(this, QString::fromUtf8("名前を付けて保存"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilters(FileDialogFilters(filter));
  dialog.setDefaultSuffix(SjisToText(defaultExt));
  dialog.setDirectory(StartDirectory(lastDir));
  dialog.selectFile(SjisToText(defaultName));
  const FormatChoice formatChoice(dialog, m_pDocument ? m_pDocument->Format() : TextFormat{});
  const QString path = ChooseFile(dialog);
  if (path.isEmpty()) return;

  CWaitCursor wait;
  const std::string localPath = LocalPath(path);
  const TextFormat format = formatChoice.Chosen();
  if (!m_pDocument) return;
  if (const int error =
          m_pDocument->WriteTextFile(localPath, format, [this, &format](std::size_t count) {
            return AgreeToReplaceUnholdable(this, count, format.encoding);
          })) {
    ReportFileError(this, FileErrorFromErrno(error), path);
    return;
  }
  WriteSettingString(m_settingsPath, "setting", "LastDir", LastDirOf(localPath));
  SetModified(false);
  // Written to the document's own file, the format is the document's from now on.
  if (m_pDocument && QFileInfo(path) == QFileInfo(m_pDocument->GetPathName())) {
    m_pDocument->SetFormat(format);
    m_pDocument->DiskFile().Remember(m_pDocument->GetPathName());
  }
}
