#include "plugins/markwell/TemplateFile.h"

#include <array>
#include <fstream>

#include "platform/FileBytes.h"
#include "plugins/common/ReplacementScan.h"
#include "plugins/common/ShiftJis.h"

namespace markwell {
namespace {

// The two default lines, with backslash-"n" for their line breaks.
constexpr std::string_view kDefaultHead =
    "<HTML>\\n<HEAD>\\n<TITLE>@title</TITLE>\\n</HEAD>\\n<BODY>\\n";
constexpr std::string_view kDefaultFoot = "\\n</BODY>\\n</HTML>";
constexpr std::string_view kDefaultLineEnd = "\r\r\n";
constexpr std::string_view kLineEnd = "\r\n";

constexpr wpi::Rule kExpandBreaks[] = {{"\\n", "\r\n"}};
// CR LF is what the dialog gives; a lone CR or LF would split or cut the line.
constexpr wpi::Rule kFoldBreaks[] = {{"\r\n", "\\n"}, {"\n", "\\n"}, {"\r", "\\n"}};

struct Line {
  std::string bytes;  ///< as read: without the LF and one CR before it, at most 1023 bytes
  bool endsInLf = true;
};

std::optional<Line> ReadLine(std::istream& in) {
  Line line;
  if (!std::getline(in, line.bytes)) {
    return std::nullopt;
  }
  line.endsInLf = !in.eof();
  if (line.endsInLf && !line.bytes.empty() && line.bytes.back() == '\r') {
    line.bytes.pop_back();
  }
  line.bytes.resize(wpi::CutAtCharBoundary(line.bytes, kMaxLineBytes).size());
  return line;
}

std::optional<std::array<std::string, kTemplateLines>> ReadAllLines(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::array<std::string, kTemplateLines> lines;
  for (std::string& bytes : lines) {
    std::optional<Line> line = ReadLine(in);
    if (!line) {
      return std::nullopt;
    }
    bytes = std::move(line->bytes);
  }
  return lines;
}

}  // namespace

void EnsureTemplateFile(const std::string& path) {
  { std::ofstream create(path, std::ios::binary | std::ios::app); }  // a missing file
  int count = 0;
  bool lastEndsInLf = true;
  {
    std::ifstream in(path, std::ios::binary);
    for (; count < kTemplateLines; ++count) {
      const std::optional<Line> line = ReadLine(in);
      if (!line) {
        break;
      }
      lastEndsInLf = line->endsInLf;
    }
  }
  if (count == kTemplateLines) {
    return;
  }
  std::ofstream out(path, std::ios::binary | std::ios::app);
  if (!lastEndsInLf) {
    out << kLineEnd;  // the default lines must not join the last one
  }
  for (int k = count; k < kTemplateLines; ++k) {
    out << (k % 2 == 0 ? kDefaultHead : kDefaultFoot) << kDefaultLineEnd;
  }
}

std::optional<std::string> ReadTemplateLine(const std::string& path, int k) {
  if (k < 0 || k >= kTemplateLines) {
    return std::nullopt;
  }
  EnsureTemplateFile(path);
  std::ifstream in(path, std::ios::binary);
  std::optional<Line> line;
  for (int i = 0; i <= k; ++i) {
    if (!(line = ReadLine(in))) {
      return std::nullopt;
    }
  }
  const std::string_view content = std::string_view(line->bytes).substr(0, line->bytes.find('\r'));
  static const wpi::ReplacementScan expand(kExpandBreaks);
  return expand.Run(content);
}

bool WriteTemplateLine(const std::string& path, int k, std::string_view text) {
  if (k < 0 || k >= kTemplateLines) {
    return false;
  }
  EnsureTemplateFile(path);
  std::optional<std::array<std::string, kTemplateLines>> lines = ReadAllLines(path);
  if (!lines) {
    return false;
  }
  static const wpi::ReplacementScan fold(kFoldBreaks);
  (*lines)[static_cast<std::size_t>(k)] = fold.Run(text);
  std::string file;
  for (const std::string& line : *lines) {
    file.append(line).append(kLineEnd);
  }
  // A write that fails half-way must not take the other templates with it.
  return WriteWholeFileAtomically(path, file) == 0;
}

}  // namespace markwell
