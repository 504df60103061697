#include "tools/CommandLineRules.h"

#include <sys/stat.h>
#include <unistd.h>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool IsExecutableFile(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
         ::access(path.c_str(), X_OK) == 0;
}

// The file that `program` runs: itself when it holds "/", else the first match
// in the search path.
std::optional<std::string> Locate(const std::string& program, std::string_view searchPath) {
  if (program.empty()) return std::nullopt;
  if (program.find('/') != std::string::npos)
    return IsExecutableFile(program) ? std::optional(program) : std::nullopt;
  while (true) {
    const std::size_t colon = searchPath.find(':');
    const std::string_view dir = searchPath.substr(0, colon);
    const std::string candidate = dir.empty() ? "./" + program : std::string(dir) + "/" + program;
    if (IsExecutableFile(candidate)) return candidate;
    if (colon == std::string_view::npos) return std::nullopt;
    searchPath.remove_prefix(colon + 1);
  }
}

ToolCommand Make(std::string file, std::string written, std::string_view rest) {
  ToolCommand command{std::move(file), {std::move(written)}};
  for (std::string& argument : SplitArguments(rest)) command.argv.push_back(std::move(argument));
  return command;
}

}  // namespace

std::vector<std::string> SplitArguments(std::string_view text) {
  std::vector<std::string> words;
  std::string word;
  bool inWord = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (IsBlank(c)) {
      if (inWord) words.push_back(std::move(word));
      word.clear();
      inWord = false;
      continue;
    }
    inWord = true;
    if (c == '\'') {
      const std::size_t end = text.find('\'', i + 1);
      word.append(text.substr(i + 1, end - i - 1));
      i = end == std::string_view::npos ? text.size() : end;
    } else if (c == '"') {
      for (++i; i < text.size() && text[i] != '"'; ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && (text[i + 1] == '"' || text[i + 1] == '\\'))
          ++i;
        word += text[i];
      }
    } else if (c == '\\' && i + 1 < text.size()) {
      word += text[++i];
    } else {
      word += c;
    }
  }
  if (inWord) words.push_back(std::move(word));
  return words;
}

std::optional<ToolCommand> ResolveCommandLine(std::string_view commandLine,
                                              std::string_view searchPath) {
  while (!commandLine.empty() && IsBlank(commandLine.front())) commandLine.remove_prefix(1);
  if (commandLine.empty()) return std::nullopt;

  if (commandLine.front() == '"') {
    const std::size_t close = commandLine.find('"', 1);
    const std::string program(commandLine.substr(1, close - 1));
    const auto file = Locate(program, searchPath);
    if (!file) return std::nullopt;
    const std::string_view rest =
        close == std::string_view::npos ? std::string_view() : commandLine.substr(close + 1);
    return Make(*file, program, rest);
  }

  // Each blank that ends a word ends a candidate prefix; the whole line is the last.
  for (std::size_t end = 0; end != std::string_view::npos;) {
    end = commandLine.find_first_of(" \t", end + 1);
    if (end != std::string_view::npos && IsBlank(commandLine[end - 1])) continue;
    const std::string program(commandLine.substr(0, end));
    if (const auto file = Locate(program, searchPath))
      return Make(*file, program,
                  end == std::string_view::npos ? std::string_view() : commandLine.substr(end));
  }
  return std::nullopt;
}
