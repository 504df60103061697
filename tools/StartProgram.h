#pragma once
// Starting a tool's command line as a process of its own. Plain C++.

#include <sys/types.h>
#include <atomic>
#include <memory>
#include <optional>
#include <string_view>

/// A started program. The editor keeps nothing else of it: a detached thread
/// reaps it when it ends, so it never lingers as a zombie.
struct StartedProgram {
  pid_t pid = -1;
  std::shared_ptr<const std::atomic<bool>> exited;

  bool HasExited() const { return exited && exited->load(); }
};

/// Starts `commandLine`, spelled in the file system's encoding (not the settings'
/// Shift-JIS), by the rules of tools/CommandLineRules.h, with the PATH,
/// environment and current directory of the editor, no shell, no open file of the
/// editor's beyond standard input, output and error, default signal handling, and
/// a session of its own (so it outlives the editor and its terminal). Nothing when
/// no program resolves or it cannot be run.
std::optional<StartedProgram> StartProgram(std::string_view commandLine);
