#pragma once
// The template data file "wpi.dat": 12 lines of Shift-JIS, line 2t the head and line
// 2t + 1 the foot of template t + 1. Plain C++.
//
// A line ends in LF; it is read as its bytes before the LF less one CR just before
// the LF, cut to at most 1023 bytes (never inside a double-byte character; the rest
// of an over-long line is skipped). A last line without LF is still a line. Its
// content is what comes before the first CR left in it, and backslash-"n" in the
// content stands for CR LF. Lines after the 12th are ignored.

#include <optional>
#include <string>
#include <string_view>

namespace markwell {

inline constexpr int kTemplateLines = 12;
inline constexpr std::size_t kMaxLineBytes = 1023;

/// Creates the file when it is missing and appends default lines (each followed by
/// CR CR LF) until it has 12. Failures are silent: reading then fails.
void EnsureTemplateFile(const std::string& path);

/// After EnsureTemplateFile, the content of line `k` (0..11) with each backslash-"n"
/// turned into CR LF; nothing when a line up to `k` cannot be read.
std::optional<std::string> ReadTemplateLine(const std::string& path, int k);

/// After EnsureTemplateFile, replaces line `k` (0..11) with `text`, whose line breaks
/// become backslash-"n", and rewrites the file: the 12 lines as they were read, each
/// followed by CR LF. False, with the file unchanged, when it cannot be read or
/// rewritten.
bool WriteTemplateLine(const std::string& path, int k, std::string_view text);

}  // namespace markwell
