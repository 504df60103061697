#include "plugin_host/PluginMenus.h"

#include "framework/FrameWnd.h"
#include "framework/TextBoundary.h"
#include "plugin_host/PluginDirectories.h"
#include "resources/FrameTables.h"

#include <unistd.h>
#include <QMenu>
#include <cstring>

namespace {
constexpr char kSettingsSuffix[] = "\x82\xcc\x90\xdd\x92\xe8";  // "の設定" in Shift-JIS
}

void ScanPlugins(CFrameWnd& frame, PluginFileTable& table, PluginModule& holder) {
  const std::vector<std::string> directories = PluginDirectories();
  if (::chdir(directories.front().c_str()) != 0) return;
  const std::vector<FoundPlugin> found = ScanPluginDirectories(directories, holder);
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
