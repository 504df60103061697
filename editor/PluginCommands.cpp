#include "editor/PluginCommands.h"

#include "editor/WEXView.h"
#include "framework/MessageBox.h"
#include "framework/TextBoundary.h"
#include "framework/WaitCursor.h"
#include "plugin_host/PluginDirectories.h"
#include "resources/CommandIds.h"

#include <QFile>

PluginCommands::PluginCommands(CWEXView& view, const PluginFileTable& pluginFiles)
    : m_view(view), m_pluginFiles(pluginFiles) {
  using namespace cmd;
  OnCommandRange(PLUGIN_RUN_FIRST, PLUGIN_RUN_FIRST + MAX_PLUGINS - 1,
                 [this](int id) { Run(id - PLUGIN_RUN_FIRST); });
  OnCommandRange(PLUGIN_OPTION_FIRST, PLUGIN_OPTION_FIRST + MAX_PLUGINS - 1,
                 [this](int id) { OpenOptions(id - PLUGIN_OPTION_FIRST); });
}

bool PluginCommands::Load(int index) {
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

void PluginCommands::Run(int index) {
  PluginRun run = PluginRun::Declined;
  {
    CWaitCursor wait;
    if (!Load(index)) return;
    emit PluginAboutToRun();
    m_view.TransformWholeText([this, &run](const std::string& text) -> std::optional<std::string> {
      std::string result;
      run = RunPluginTransform(m_pluginModule, text, result);
      if (run != PluginRun::Transformed) return std::nullopt;
      return result;
    });
  }
  if (run == PluginRun::InvalidResult) ReportInvalidResult(index);
}

void PluginCommands::ReportInvalidResult(int index) {
  char name[WPI_NAME_BUFFER_SIZE] = {};
  if (m_pluginModule.CallGetPluginName(name)) name[WPI_MAX_NAME_LENGTH] = '\0';
  const QString shown = *name ? SjisToText(name) : QFile::decodeName(m_pluginFiles[index]);
  const QString text =
      shown + QStringLiteral("\n") + QString::fromUtf8("プラグインの結果が不正です。");
  ShowMessageBox(&m_view, text, QString(), QMessageBox::Ok, QMessageBox::Warning);
}

void PluginCommands::OpenOptions(int index) {
  {
    CWaitCursor wait;  // loading only: the settings window must not show a busy cursor
    if (!Load(index)) return;
  }
  m_pluginModule.CallOption(static_cast<uintptr_t>(m_view.window()->winId()));
}
