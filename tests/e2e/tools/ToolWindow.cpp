// A tool with one small window titled "wex-tool-window"; it ends after 30 seconds.
#include <QApplication>
#include <QTimer>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("wex-tool-window"));
  window.resize(200, 100);
  window.show();
  QTimer::singleShot(30000, &app, &QApplication::quit);
  return app.exec();
}
