#pragma once
#include <QKeyCombination>
#include <string>
#include <vector>

// The main window's menus, keys and toolbar as data: the frame builds its menu
// bar, shortcuts, toolbar and right-click menu from them.

constexpr int kMenuSeparator = -1;

struct MenuItemDef {
  int id;            // kMenuSeparator for a separator
  std::string text;  // UTF-8; "\t" separates the shortcut text
};

struct PopupDef {
  const char* text;
  std::vector<MenuItemDef> items;
};

struct AcceleratorDef {
  QKeyCombination key;
  int id;
};

struct ToolBarButtonDef {
  int id;            // kMenuSeparator for a separator
  const char* icon;  // under :/icons/
};

struct FrameTables {
  std::vector<PopupDef> menu;                ///< the seven pop-ups, in order
  std::vector<AcceleratorDef> accelerators;  ///< the twenty keys of the window
  std::vector<ToolBarButtonDef> toolBar;
  /// The text's right-click menu: items of the Edit menu, each named as there
  /// without its key and its "...".
  std::vector<MenuItemDef> contextMenu;
};

const FrameTables& MainFrameTables();

/// Positions of the pop-ups that plug-in items are appended to.
constexpr int kConvertPopup = 4;
constexpr int kConvertSettingsPopup = 5;
constexpr int kToolsPopup = 3;
constexpr int kViewPopup = 2;
