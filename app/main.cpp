#include "app/WEXApp.h"
#include "platform/LargeBlocks.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <cstdio>

int main(int argc, char* argv[]) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  // Answered before the toolkit starts: no display, no window, no settings file.
  switch (FindInfoRequest(args)) {
    case InfoRequest::Help:
      std::fputs(UsageText().c_str(), stdout);
      return 0;
    case InfoRequest::Version:
      std::fputs(VersionText().c_str(), stdout);
      return 0;
    case InfoRequest::None:
      break;
  }
  ReturnLargeBlocksToTheSystem();

  // The toolkit removes its own options (-style, -display, ...) from what it is given,
  // which is everything before "--"; the program reads what it leaves and the rest.
  const std::size_t switchCount = SwitchCount(args);
  std::vector<char*> toolkitArgv(argv, argv + 1 + switchCount);
  toolkitArgv.push_back(nullptr);
  int toolkitArgc = static_cast<int>(switchCount) + 1;
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
