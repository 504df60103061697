#include "plugin_host/PluginMenus.h"

#include "settings/Settings.h"
#include "editor/TextBoundary.h"
#include "framework/FrameWnd.h"
#include "plugin_host/PluginScan.h"
#include "resources/MainMenu.h"

#include <QMenu>
#include <cstring>
#include <unistd.h>

namespace {
constexpr char kSettingsSuffix[] = "\x82\xcc\x90\xdd\x92\xe8";  // "の設定" in Shift-JIS
}

void ScanPlugins(CFrameWnd& frame, char (&table)[cmd::MAX_PLUGINS][260], PluginModule& holder) {
  const std::string directory = GetProgramDirectory();
  if (::chdir(directory.c_str()) != 0) return;
  const std::vector<FoundPlugin> found = ScanPluginDirectory(directory, holder);
  for (std::size_t i = 0; i < found.size(); ++i) {
    const int id = static_cast<int>(i);
    std::strncpy(table[i], found[i].fileName.c_str(), sizeof table[i] - 1);
    QAction* run = frame.Popup(kConvertPopup)->addAction(SjisToText(found[i].name));
    frame.BindCommand(run, cmd::PLUGIN_RUN_FIRST + id);
    QAction* option =
        frame.Popup(kConvertSettingsPopup)->addAction(SjisToText(found[i].name + kSettingsSuffix));
    frame.BindCommand(option, cmd::PLUGIN_OPTION_FIRST + id);
  }
}
