#include "app/WindowSystemChoice.h"

#include <algorithm>

namespace {

bool IsSet(const std::optional<std::string>& value) { return value && !value->empty(); }

// The toolkit takes "-platform name", and "--platform name" as well.
bool ChoosesPlatform(const std::vector<std::string>& toolkitArgs) {
  return std::any_of(toolkitArgs.begin(), toolkitArgs.end(), [](const std::string& arg) {
    return arg == "-platform" || arg == "--platform";
  });
}

}  // namespace

WindowSystemChoice ChooseWindowSystem(const std::vector<std::string>& toolkitArgs,
                                      const WindowSystemEnvironment& environment,
                                      const std::function<bool()>& xServerAnswers) {
  // An empty QT_QPA_PLATFORM is no choice: the toolkit ignores it too.
  if (IsSet(environment.qpaPlatform) || ChoosesPlatform(toolkitArgs))
    return WindowSystemChoice::Toolkit;
  // The toolkit's own signs that it would try a Wayland compositor first.
  const bool wayland = IsSet(environment.waylandDisplay) || environment.sessionType == "wayland";
  if (!wayland || !IsSet(environment.display)) return WindowSystemChoice::Toolkit;
  return xServerAnswers() ? WindowSystemChoice::X11 : WindowSystemChoice::Toolkit;
}
