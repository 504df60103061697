#include "editor/FileDialogCommands.h"

#include "editor/FileDialog.h"
#include "editor/FileNames.h"
#include "editor/FormatChoice.h"
#include "editor/WEXDoc.h"
#include "editor/WEXView.h"
#include "framework/TextBoundary.h"
#include "framework/WaitCursor.h"
#include "platform/PathBuffer.h"
#include "resources/CommandIds.h"
#include "settings/Settings.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsKeys.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>

namespace {

// "すべてのﾌｧｲﾙ(*.*)|*.*||" in Shift-JIS.
constexpr std::string_view kOpenFilter =
    "\x82\xB7\x82\xD7\x82\xC4\x82\xCC\xCC\xA7\xB2\xD9"
    "(*.*)|*.*||";

std::string LocalPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

// Where a file dialog starts: the folder kept in "LastDir", else the current one.
QString StartDirectory(const std::string& lastDir) {
  return lastDir.empty() ? QDir::currentPath() : QFile::decodeName(lastDir.c_str());
}

}  // namespace

FileDialogCommands::FileDialogCommands(CWEXView& view, SettingsFile& settings)
    : m_view(view), m_settings(settings) {
  OnCommand(cmd::ID_FILE_OPEN, [this](int) { Open(); });
  OnCommand(cmd::ID_FILE_SAVE_AS, [this](int) { SaveAs(); });
}

void FileDialogCommands::Open() {
  QFileDialog dialog(&m_view, QString::fromUtf8("開く"));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setNameFilters(FileDialogFilters(kOpenFilter));
  dialog.setDirectory(
      StartDirectory(m_settings.ReadString(section::kSetting, key::kLastDir, kPathBufferSize)));
  const QString path = ChooseFile(dialog);
  if (path.isEmpty()) return;

  CWaitCursor wait;
  m_settings.WriteString(section::kSetting, key::kLastDir, LastDirOf(LocalPath(path)));
  // The bytes as they are: Open makes no rich-text test of its own.
  if (CWEXDoc* document = m_view.GetDocument()) document->OpenReplacing(path, false, &m_view);
}

void FileDialogCommands::SaveAs() {
  const std::string defaultExt = m_settings.ReadString(section::kSetting, key::kDefaultExt, 64);
  const std::string defaultName =
      m_settings.ReadString(section::kSetting, key::kDefaultName, kPathBufferSize);
  std::string filter = m_settings.ReadString(section::kSetting, key::kFilter, 1024);
  const std::string lastDir =
      m_settings.ReadString(section::kSetting, key::kLastDir, kPathBufferSize);
  if (filter.empty()) {
    filter = DEFAULT_FILTER;
    m_settings.WriteString(section::kSetting, key::kFilter, filter);
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
    m_settings.WriteString(section::kSetting, key::kLastDir, LastDirOf(LocalPath(path)));
}
