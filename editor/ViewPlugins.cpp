// Plug-in commands of the view: run a plug-in on the whole text, open its settings.

#include "framework/TextBoundary.h"
#include "editor/WEXView.h"
#include "framework/MessageBox.h"
#include "framework/WaitCursor.h"
#include "plugin_host/PluginDirectories.h"
#include "plugin_host/PluginScan.h"

#include <QFile>

bool CWEXView::LoadPlugin(int index) {
  const char* fileName = m_pluginFiles[index];
  if (!*fileName) return false;
  // A plug-in that cannot be loaded (or is gone) leaves the holder empty; its calls
  // then do nothing.
  const auto path = FindPluginFile(PluginDirectories(), fileName);
  if (path)
    m_pluginModule.Load(*path);
  else
    m_pluginModule.Unload();
  return true;
}

void CWEXView::RunPlugin(int index) {
  PluginRun run = PluginRun::Declined;
  {
    CWaitCursor wait;
    if (!LoadPlugin(index)) return;
    emit PluginAboutToRun();
    TransformWholeText([this, &run](const std::string& text) -> std::optional<std::string> {
      std::string result;
      run = RunPluginTransform(m_pluginModule, text, result);
      if (run != PluginRun::Transformed) return std::nullopt;
      return result;
    });
  }
  if (run == PluginRun::InvalidResult) ReportInvalidResult(index);
}

void CWEXView::ReportInvalidResult(int index) {
  char name[WPI_NAME_BUFFER_SIZE] = {};
  if (m_pluginModule.CallGetPluginName(name)) name[WPI_MAX_NAME_LENGTH] = '\0';
  const QString shown = *name ? SjisToText(name)
                              : QFile::decodeName(m_pluginFiles[index]);
  const QString text = shown + QStringLiteral("\n") + QString::fromUtf8("プラグインの結果が不正です。");
  ShowMessageBox(this, text, QString(), QMessageBox::Ok, QMessageBox::Warning);
}

void CWEXView::OpenPluginOptions(int index) {
  {
    CWaitCursor wait;  // loading only: the settings window must not show a busy cursor
    if (!LoadPlugin(index)) return;
  }
  m_pluginModule.CallOption(static_cast<uintptr_t>(window()->winId()));
}
