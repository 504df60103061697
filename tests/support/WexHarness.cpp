#include "tests/support/WexHarness.h"

#include "settings/Settings.h"
#include "settings/SettingsDirectory.h"

#include <QCoreApplication>
#include <QFile>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <unistd.h>

std::string TestSettingsPath() {
  std::string path = GetSettingsDirectory();
  MakeSettingsPath(path, "Wex.ini");
  return path;
}

void RemoveTestSettings() {
  ::unlink(TestSettingsPath().c_str());
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::string MakeTempDir() {
  std::string dir = "/tmp/wex-test-XXXXXX";
  return ::mkdtemp(dir.data()) ? dir : std::string();
}

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
