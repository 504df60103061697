// Plug-in commands of the view: run a plug-in on the whole text, open its settings.

#include "editor/WEXView.h"
#include "framework/WaitCursor.h"
#include "plugin_host/PluginDirectories.h"
#include "plugin_host/PluginScan.h"

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
  CWaitCursor wait;
  if (!LoadPlugin(index)) return;
  TransformWholeText(
      [this](const std::string& text) { return RunPluginTransform(m_pluginModule, text); });
}

void CWEXView::OpenPluginOptions(int index) {
  {
    CWaitCursor wait;  // loading only: the settings window must not show a busy cursor
    if (!LoadPlugin(index)) return;
  }
  m_pluginModule.CallOption(static_cast<uintptr_t>(window()->winId()));
}
