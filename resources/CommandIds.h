#pragma once
// Every command id of the program, in numeric blocks. Menu items, accelerators
// and toolbar buttons carry these ids; the router dispatches on them.

#include "settings/SettingsKeys.h"

namespace cmd {

// Plug-ins: run plug-in i (0..23) and open its settings (50..73).
constexpr int MAX_PLUGINS = 24;
constexpr int PLUGIN_RUN_FIRST = 0;
constexpr int PLUGIN_OPTION_FIRST = 50;
constexpr bool IsPluginRun(int id) {
  return id >= PLUGIN_RUN_FIRST && id < PLUGIN_RUN_FIRST + MAX_PLUGINS;
}
constexpr bool IsPluginOption(int id) {
  return id >= PLUGIN_OPTION_FIRST && id < PLUGIN_OPTION_FIRST + MAX_PLUGINS;
}

// Tool buttons on the toolbar, slot N = id - 4999.
constexpr int TOOL_SLOTS = kToolSlotCount;  // one button a slot of the settings file
constexpr int ID_TOOL_BUTTON_FIRST = 5000;
constexpr bool IsToolButton(int id) {
  return id >= ID_TOOL_BUTTON_FIRST && id < ID_TOOL_BUTTON_FIRST + TOOL_SLOTS;
}

// The program's own commands.
constexpr int ID_ESCAPE = 32768;  // taken by the accelerator table; nothing handles it
constexpr int ID_FONT = 32771;
constexpr int ID_TOOL_FIRST = 32774;  // tools 1..6: 32773 + N
constexpr int ID_TOOL_SETTINGS = 32780;
constexpr int ID_TOPMOST = 32782;
constexpr int ID_OPTIONS = 32783;
constexpr int ID_JIS_TO_SJIS = 32791;
constexpr int ID_EUC_SETTINGS = 32792;
constexpr int ID_JIS_SETTINGS = 32793;
constexpr int ID_ABOUT = 32794;
constexpr int ID_EUC_TO_SJIS = 32795;

// Framework commands.
constexpr int ID_FILE_NEW = 57600;
constexpr int ID_FILE_OPEN = 57601;
constexpr int ID_FILE_SAVE = 57603;
constexpr int ID_FILE_SAVE_AS = 57604;
constexpr int ID_FILE_PRINT_SETUP = 57606;
constexpr int ID_FILE_PRINT = 57607;
constexpr int ID_FILE_PRINT_DIRECT = 57608;
constexpr int ID_FILE_PRINT_PREVIEW = 57609;
constexpr int ID_FILE_MRU_FILE1 = 57616;
constexpr int ID_APP_EXIT = 57665;
constexpr int ID_EDIT_COPY = 57634;
constexpr int ID_EDIT_CUT = 57635;
constexpr int ID_EDIT_FIND = 57636;
constexpr int ID_EDIT_PASTE = 57637;
constexpr int ID_EDIT_REPEAT = 57640;
constexpr int ID_EDIT_REPLACE = 57641;
constexpr int ID_EDIT_SELECT_ALL = 57642;
constexpr int ID_EDIT_UNDO = 57643;
constexpr int ID_NEXT_PANE = 57680;
constexpr int ID_PREV_PANE = 57681;
constexpr int ID_OLE_EDIT_PROPERTIES = 57860;
constexpr int ID_VIEW_TOOLBAR = 59392;
constexpr int ID_VIEW_STATUS_BAR = 59393;

// Status bar panes.
constexpr int ID_SEPARATOR = 0;  // the message pane
constexpr int ID_INDICATOR_CAPS = 59137;
constexpr int ID_INDICATOR_NUM = 59138;
constexpr int ID_INDICATOR_SCRL = 59139;
constexpr int ID_INDICATOR_KANA = 59142;
constexpr int ID_INDICATOR_LINECOL = 59143;
constexpr int ID_INDICATOR_FORMAT = 59144;  // the encoding and line ends Save writes

}  // namespace cmd
