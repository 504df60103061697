#pragma once
// A whole editor inside a test: the settings file of the test binary's own
// directory, the application object, and its main window built from a command line.

#include "app/MainFrame.h"
#include "app/WEXApp.h"
#include "editor/WEXDoc.h"
#include "editor/WEXView.h"
#include "tests/support/TempDir.h"
#include "tests/support/ViewText.h"

#include <QStringList>
#include <memory>
#include <string>

/// The settings file beside the running test binary.
std::string TestSettingsPath();
/// Removes the settings file (and its lock file) beside the test binary.
void RemoveTestSettings();

class WexHarness {
 public:
  /// Constructs the application (settings bootstrap) and runs its start-up with
  /// `arguments` (without the program name).
  explicit WexHarness(const QStringList& arguments = {});
  ~WexHarness();

  bool started() const { return started_; }
  int exitCode() const { return exitCode_; }
  CWEXApp& app() { return *app_; }
  CMainFrame& frame() { return *app_->MainFrame(); }
  CWEXDoc& doc() { return *app_->Document(); }
  CWEXView& view() { return *app_->MainFrame()->View(); }

 private:
  std::unique_ptr<CWEXApp> app_;
  bool started_ = false;
  int exitCode_ = 0;
};
