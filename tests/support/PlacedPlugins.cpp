#include "tests/support/PlacedPlugins.h"

#include "settings/Settings.h"

#include <filesystem>

namespace fs = std::filesystem;

PlacedPlugins::~PlacedPlugins() {
  std::error_code ignored;
  for (const std::string& path : m_placed) fs::remove(path, ignored);
}

void PlacedPlugins::Place(const std::string& from, const std::string& name) {
  const std::string to = (fs::path(GetProgramDirectory()) / name).string();
  fs::copy_file(from, to, fs::copy_options::overwrite_existing);
  m_placed.push_back(to);
}
