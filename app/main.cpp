#include "app/WEXApp.h"
#include "app/WindowSystemChoice.h"
#include "platform/LargeBlocks.h"
#include "platform/X11Window.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <csignal>
#include <cstdio>
#include <cstdlib>

namespace {

std::optional<std::string> Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::optional<std::string>(value) : std::nullopt;
}

// The toolkit's platform option for the window system that the program chooses, or
// nothing. An option, not QT_QPA_PLATFORM, so that the tools we start do not inherit it.
std::vector<char*> PlatformOption(const std::vector<std::string>& toolkitArgs) {
  static char option[] = "-platform";
  static char xcb[] = "xcb";
  const WindowSystemEnvironment environment{
      Environment("QT_QPA_PLATFORM"), Environment("WAYLAND_DISPLAY"),
      Environment("XDG_SESSION_TYPE"), Environment("DISPLAY")};
  if (ChooseWindowSystem(toolkitArgs, environment, x11::ServerAnswers) == WindowSystemChoice::X11)
    return {option, xcb};
  return {};
}

}  // namespace

int main(int argc, char* argv[]) {
  // An "ignore" inherited from the parent would let the kernel reap the tools we
  // start, and the thread that waits for each could not see it end.
  std::signal(SIGCHLD, SIG_DFL);
  const std::vector<std::string> args(argv + 1, argv + argc);
  // Answered before the toolkit starts: no display, no window, no settings file.
  switch (FindInfoRequest(args)) {
    case InfoRequest::Help: std::fputs(UsageText().c_str(), stdout); return 0;
    case InfoRequest::Version: std::fputs(VersionText().c_str(), stdout); return 0;
    case InfoRequest::None: break;
  }
  ReturnLargeBlocksToTheSystem();

  // The toolkit removes its own options (-style, -display, ...) from what it is given,
  // which is everything before "--"; the program reads what it leaves and the rest.
  const std::size_t switchCount = SwitchCount(args);
  std::vector<char*> toolkitArgv(argv, argv + 1 + switchCount);
  const std::vector<std::string> switches(args.begin(), args.begin() + std::ptrdiff_t(switchCount));
  const std::vector<char*> platform = PlatformOption(switches);
  toolkitArgv.insert(toolkitArgv.begin() + 1, platform.begin(), platform.end());
  int toolkitArgc = static_cast<int>(toolkitArgv.size());
  toolkitArgv.push_back(nullptr);
  QApplication qapp(toolkitArgc, toolkitArgv.data());
  QApplication::setApplicationName(QStringLiteral("Wex"));
  QApplication::setDesktopFileName(QStringLiteral(WEX_APP_ID));  // its desktop entry and icon
  std::vector<std::string> left(toolkitArgv.data() + 1, toolkitArgv.data() + toolkitArgc);
  left.insert(left.end(), args.begin() + static_cast<std::ptrdiff_t>(switchCount), args.end());

  CWEXApp app(ParseCommandLine(left));  // the settings file exists from here on

  // The toolkit's own buttons and dialogs in Japanese, like the rest of the program.
  QTranslator toolkitTexts;
  if (toolkitTexts.load(QLocale(QLocale::Japanese), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(&toolkitTexts);

  int exitCode = 0;
  if (app.InitInstance(exitCode)) exitCode = QApplication::exec();
  app.ExitInstance();  // the windows go while the toolkit is still there
  return exitCode;
}
