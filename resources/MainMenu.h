#pragma once
#include <QKeyCombination>
#include <vector>

// The main menu and accelerator table as data; the frame builds its menu bar
// and shortcuts from them.

struct MenuItemDef {
  int id;            // kMenuSeparator for a separator
  const char* text;  // UTF-8; "\t" separates the shortcut text
};
constexpr int kMenuSeparator = -1;

struct PopupDef {
  const char* text;
  std::vector<MenuItemDef> items;
};

/// The seven pop-ups of the main menu, in order.
const std::vector<PopupDef>& MainMenu();

struct AcceleratorDef {
  QKeyCombination key;
  int id;
};

/// The twenty accelerators of the main window.
const std::vector<AcceleratorDef>& MainAccelerators();

/// Positions of the pop-ups that plug-in items are appended to.
constexpr int kConvertPopup = 4;
constexpr int kConvertSettingsPopup = 5;
constexpr int kToolsPopup = 3;
constexpr int kViewPopup = 2;
