#pragma once
// Where the main window starts: its stored placement modes and values against
// the primary screen's size. Plain C++, no toolkit.

#include <optional>

/// The placement values read from the settings file ("setting" section).
struct PlacementSettings {
  int size = 0;      // "Size": 0 640 x 480, 1 the platform chooses, 2 and 3 stored
  int position = 0;  // "Posision": 0 centred, 1 the platform chooses, 2 and 3 stored
  int width = 0;     // "Sizex"
  int height = 0;    // "Sizey"
  int x = 0;         // "Posx"
  int y = 0;         // "Posy"
};

struct WindowPoint {
  int x = 0;
  int y = 0;
  bool operator==(const WindowPoint&) const = default;
};

struct WindowExtent {
  int width = 0;
  int height = 0;
  bool operator==(const WindowExtent&) const = default;
};

/// The outer (frame) rectangle to give the window; an empty member is left to
/// the platform (toolkit and window manager).
struct StartupPlacement {
  std::optional<WindowPoint> position;
  std::optional<WindowExtent> size;
};

/// The start-up placement. Centring truncates toward zero, so a window wider than
/// the screen gets a negative x. A position is given back to the platform when the
/// window would lie wholly beyond the screen's right or bottom edge or wholly
/// before its left or top edge; touching an edge exactly passes. Nothing is clamped.
/// When the platform chooses the size, a stored position stays only while its
/// corner lies on the screen (edges included), and centring is left to the platform.
StartupPlacement ComputeStartupPlacement(const PlacementSettings& settings, int screenWidth,
                                         int screenHeight);
