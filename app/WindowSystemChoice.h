#pragma once
// Which window system the program asks the toolkit for, decided before the toolkit
// starts. Plain C++.
//
// Always on top, topmost tools and the window placement need an X11 window manager;
// no Wayland protocol lets an ordinary program keep a window above others. So when
// the user has chosen nothing and an X server (XWayland) is there beside a Wayland
// compositor, the program runs on the X server.

#include <functional>
#include <optional>
#include <string>
#include <vector>

/// The environment variables the choice depends on (unset: nothing).
struct WindowSystemEnvironment {
  std::optional<std::string> qpaPlatform;     // QT_QPA_PLATFORM
  std::optional<std::string> waylandDisplay;  // WAYLAND_DISPLAY
  std::optional<std::string> sessionType;     // XDG_SESSION_TYPE
  std::optional<std::string> display;         // DISPLAY
};

enum class WindowSystemChoice {
  Toolkit,  // as the user or the toolkit's own rules decide
  X11,      // the X server ("-platform xcb")
};

/// `toolkitArgs`: the arguments the toolkit is given (those before "--").
/// `xServerAnswers` is asked only when the answer decides, so that nothing
/// connects to an X server the program will not use.
WindowSystemChoice ChooseWindowSystem(const std::vector<std::string>& toolkitArgs,
                                      const WindowSystemEnvironment& environment,
                                      const std::function<bool()>& xServerAnswers);
