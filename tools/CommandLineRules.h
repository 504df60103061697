#pragma once
// How a tool's stored command line becomes a program and its arguments, without
// a shell. Plain C++.
//
// - A line that starts with a double quote names the program up to the next quote
//   (to the end when there is none); the rest are the arguments.
// - Otherwise the program is the shortest blank-separated prefix that resolves, so an
//   unquoted path with blanks works: "/opt/my tools/run x" tries "/opt/my", then
//   "/opt/my tools/run", then "/opt/my tools/run x".
// - A program that holds "/" resolves when it names an executable regular file; one
//   without "/" is looked up in the directories of the search path only (never in
//   the current directory, as a shell does).
// - The arguments are split like a shell's words: blanks separate them; '...' keeps
//   everything; "..." keeps everything but \" and \\, which stand for " and \;
//   outside quotes a backslash keeps the next character. Nothing is expanded.
// Leading blanks are skipped. Blanks are spaces and tabs.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct ToolCommand {
  std::string program;            ///< the file to run
  std::vector<std::string> argv;  ///< argv[0] is the program as written in the line
};

/// The program and arguments of `commandLine`, looking up bare names in the
/// ":"-separated `searchPath` (an empty entry means the current directory, as in
/// PATH); nothing when no program resolves.
std::optional<ToolCommand> ResolveCommandLine(std::string_view commandLine,
                                              std::string_view searchPath);

/// The arguments of a line split by the word rules above.
std::vector<std::string> SplitArguments(std::string_view text);
