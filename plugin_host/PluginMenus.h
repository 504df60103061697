#pragma once
#include "framework/CommandIds.h"

class CFrameWnd;
class PluginModule;

/// Makes the program's directory the current one, lists its plug-ins into
/// `table` (bare file names) and appends their items to the conversion menu
/// (ids 0..23) and the conversion settings menu (ids 50..73, name + "の設定").
void ScanPlugins(CFrameWnd& frame, char (&table)[cmd::MAX_PLUGINS][260], PluginModule& holder);
