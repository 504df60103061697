#include "tests/gui/editor/EditorTestSupport.h"

#include "framework/StatusBar.h"
#include "platform/Cp932Codec.h"
#include "resources/CommandIds.h"
#include "settings/Settings.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileDialog>

std::string Sjis(const char* utf8) {
  const QString text = QString::fromUtf8(utf8);
  return cp932::Encode(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                           static_cast<std::size_t>(text.size())));
}

void DeliverPostedEvents() {
  for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
}

void QueueFileChoice(ModalScript& script, const std::string& path) {
  script.Queue([path](QDialog& dialog) {
    static_cast<QFileDialog&>(dialog).selectFile(QString::fromStdString(path));
    return static_cast<int>(QDialog::Accepted);
  });
}

QString LineColumnPane(WexHarness& wex) {
  CStatusBar* bar = wex.frame().StatusBar();
  const int pane = bar->CommandToIndex(cmd::ID_INDICATOR_LINECOL);
  // A long count runs in slices and leaves the pane empty until it is done.
  QElapsedTimer waited;
  waited.start();
  while (bar->GetPaneText(pane).isEmpty() && waited.elapsed() < 10000)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
  return bar->GetPaneText(pane);
}

void SetSetting(const char* section, const char* key, const std::string& value) {
  WriteSettingString(TestSettingsPath(), section, key, value);
}

std::string GetSetting(const char* section, const char* key) {
  return ReadSettingString(TestSettingsPath(), section, key, 1024);
}
