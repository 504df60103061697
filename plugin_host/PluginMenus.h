#pragma once
#include "plugin_host/PluginScan.h"

class CFrameWnd;
class PluginModule;

/// Makes the program's directory the current one, lists the plug-ins of the
/// PluginDirectories into `table` (bare file names) and appends their items to the
/// conversion menu (ids 0..23) and the conversion settings menu (ids 50..73,
/// name + "の設定").
void ScanPlugins(CFrameWnd& frame, PluginFileTable& table, PluginModule& holder);
