#pragma once
// Finding the plug-ins in their directories and running one. Plain C++.

#include "platform/PathBuffer.h"
#include "resources/CommandIds.h"

#include <optional>
#include <string>
#include <vector>

class PluginModule;

/// Bare file names of the plug-ins listed, entry i for commands i and 50 + i.
using PluginFileTable = char[cmd::MAX_PLUGINS][kPathBufferSize];

struct FoundPlugin {
  std::string fileName;  // bare file name, e.g. "Markwell.wpi"
  std::string name;      // display name, Shift-JIS, at most 1017 bytes
};

/// The plug-ins of `directory`, in the order the directory lists them: regular
/// files named "*.wpi" (any case) that load and export GetPluginName; at most
/// cmd::MAX_PLUGINS. Each is loaded with `holder`, which keeps the last one loaded.
std::vector<FoundPlugin> ScanPluginDirectory(const std::string& directory, PluginModule& holder);

/// The plug-ins of each directory in turn, at most cmd::MAX_PLUGINS in all. A file
/// whose name an earlier directory already holds (whatever that entry is) is skipped,
/// so that FindPluginFile leads every bare name back to the file listed.
std::vector<FoundPlugin> ScanPluginDirectories(const std::vector<std::string>& directories,
                                               PluginModule& holder);

/// The path of `fileName` in the first of `directories` that has an entry of that name.
std::optional<std::string> FindPluginFile(const std::vector<std::string>& directories,
                                          const std::string& fileName);

/// What became of running a plug-in on a text.
enum class PluginRun {
  Transformed,    ///< the result is the new text
  Declined,       ///< GetSize negative or missing, Transport not 1, or either threw
  InvalidResult,  ///< Transport left no NUL inside its buffer
};

/// GetSize, then Transport into a buffer of GetSize + 5 bytes, which is filled with
/// a guard pattern first so that only a NUL the plug-in wrote ends its result. The
/// plug-in sees `text` up to its first NUL; what follows that NUL is appended to the
/// plug-in's result unchanged. `result` is set only when Transformed; anything else
/// tells the caller to leave its text alone. Throws std::bad_alloc when the buffer
/// cannot be had.
PluginRun RunPluginTransform(PluginModule& module, const std::string& text, std::string& result);
