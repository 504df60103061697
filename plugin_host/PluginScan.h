#pragma once
// Finding the plug-ins in the program's directory and running one. Plain C++.

#include "framework/CommandIds.h"

#include <optional>
#include <string>
#include <vector>

class PluginModule;

struct FoundPlugin {
  std::string fileName;  // bare file name, e.g. "Markwell.wpi"
  std::string name;      // display name, Shift-JIS, at most 1017 bytes
};

/// The plug-ins of `directory`, in the order the directory lists them: regular
/// files named "*.wpi" (any case) that load and export GetPluginName; at most
/// cmd::MAX_PLUGINS. Each is loaded with `holder`, which keeps the last one loaded.
std::vector<FoundPlugin> ScanPluginDirectory(const std::string& directory, PluginModule& holder);

/// GetSize, then Transport into a buffer of GetSize + 5 bytes. No result when
/// GetSize is negative or missing, Transport does not return 1, either throws, or
/// the buffer cannot be had; the caller then leaves its text alone.
std::optional<std::string> RunPluginTransform(PluginModule& module, const std::string& text);
