#include "app/WEXApp.h"
#include "platform/LargeBlocks.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <csignal>

int main(int argc, char* argv[]) {
  // An "ignore" inherited from the parent would let the kernel reap the tools we
  // start, and the thread that waits for each could not see it end.
  std::signal(SIGCHLD, SIG_DFL);
  ReturnLargeBlocksToTheSystem();
  CWEXApp app(ParseCommandLine({argv + 1, argv + argc}));  // the settings file exists from here on
  QApplication qapp(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Wex"));

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
