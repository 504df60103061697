#include "tests/support/WexHarness.h"

#include "settings/SettingsDirectory.h"

#include <unistd.h>
#include <QCoreApplication>
#include <QFile>
#include <cstdlib>
#include <fstream>
#include <iterator>

std::string TestSettingsPath() { return SettingsDirectoryFile(kSettingsFileName); }

void RemoveTestSettings() { ::unlink(TestSettingsPath().c_str()); }

namespace {
CommandLineInfo Parse(const QStringList& arguments) {
  std::vector<std::string> args;
  for (const QString& arg : arguments) args.push_back(QFile::encodeName(arg).toStdString());
  return ParseCommandLine(args);
}
}  // namespace

WexHarness::WexHarness(const QStringList& arguments)
    : app_(std::make_unique<CWEXApp>(Parse(arguments))) {
  started_ = app_->InitInstance(exitCode_);
}

WexHarness::~WexHarness() = default;
