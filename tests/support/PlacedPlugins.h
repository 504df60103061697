#pragma once
// Plug-in files put in the test program's directory, where the editor looks
// for them, for the length of one test.

#include <string>
#include <vector>

class PlacedPlugins {
 public:
  PlacedPlugins() = default;
  PlacedPlugins(const PlacedPlugins&) = delete;
  PlacedPlugins& operator=(const PlacedPlugins&) = delete;
  /// Removes every file placed.
  ~PlacedPlugins();

  /// Copies `from` into the program directory as `name`.
  void Place(const std::string& from, const std::string& name);

 private:
  std::vector<std::string> m_placed;
};
