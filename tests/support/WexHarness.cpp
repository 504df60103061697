#include "tests/support/WexHarness.h"

#include "app/Settings.h"

#include <QCoreApplication>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <unistd.h>

std::string TestSettingsPath() {
  std::string path = GetProgramDirectory();
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

WexHarness::WexHarness(const QStringList& arguments) : app_(std::make_unique<CWEXApp>()) {
  started_ = app_->InitInstance(QStringList{QCoreApplication::applicationFilePath()} + arguments,
                                exitCode_);
}

WexHarness::~WexHarness() = default;
