#include "editor/FileDialogCommands.h"

#include "editor/FileDialog.h"
#include "editor/FileNames.h"
#include "editor/FormatChoice.h"
#include "editor/WEXDoc.h"
#include "editor/WEXView.h"
#include "framework/TextBoundary.h"
#include "framework/WaitCursor.h"
#include "resources/CommandIds.h"
#include "settings/Settings.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>

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

FileDialogCommands::FileDialogCommands(CWEXView& view, const std::string& settingsPath)
    : m_view(view), m_settingsPath(settingsPath) {
  OnCommand(cmd::ID_FILE_OPEN, [this](int) { Open(); });
  OnCommand(cmd::ID_FILE_SAVE_AS, [this](int) { SaveAs(); });
}

void FileDialogCommands::Open() {
  QFileDialog dialog(&m_view, QString::fromUtf8("開く"));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setNameFilters(FileDialogFilters(kOpenFilter));
  dialog.setDirectory(
      StartDirectory(ReadSettingString(m_settingsPath, "setting", "LastDir", kPathSize)));
  const QString path = ChooseFile(dialog);
  if (path.isEmpty()) return;

  CWaitCursor wait;
  WriteSettingString(m_settingsPath, "setting", "LastDir", LastDirOf(LocalPath(path)));
  // The bytes as they are: Open makes no rich-text test of its own.
  if (CWEXDoc* document = m_view.GetDocument()) document->OpenReplacing(path, false, &m_view);
}

void FileDialogCommands::SaveAs() {
  const std::string defaultExt = ReadSettingString(m_settingsPath, "setting", "DefaultExt", 64);
  const std::string defaultName =
      ReadSettingString(m_settingsPath, "setting", "DefaultName", kPathSize);
  std::string filter = ReadSettingString(m_settingsPath, "setting", "Filter", 1024);
  const std::string lastDir = ReadSettingString(m_settingsPath, "setting", "LastDir", kPathSize);
  if (filter.empty()) {
    filter = DEFAULT_FILTER;
    WriteSettingString(m_settingsPath, "setting", "Filter", filter);
  }

  QFileDialog dialog(&m_view, QString::fromUtf8("名前を付けて保存"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilters(FileDialogFilters(filter));
  dialog.setDefaultSuffix(SjisToText(defaultExt));
  dialog.setDirectory(StartDirectory(lastDir));
  dialog.selectFile(SjisToText(defaultName));
  CWEXDoc* document = m_view.GetDocument();
  const FormatChoice formatChoice(dialog, document ? document->Format() : TextFormat{});
  const QString path = ChooseFile(dialog);
  if (path.isEmpty() || !document) return;

  CWaitCursor wait;
  if (document->SaveCopyAs(path, formatChoice.Chosen()))
    WriteSettingString(m_settingsPath, "setting", "LastDir", LastDirOf(LocalPath(path)));
}
