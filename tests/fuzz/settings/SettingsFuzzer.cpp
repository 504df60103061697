// Reads and writes a key in arbitrary settings text. Input: section, key and value
// separated by 0x01 bytes, then the file's bytes.

#include "settings/IniText.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

std::string_view Take(std::string_view& input) {
  const std::size_t sep = input.find('\x01');
  const std::string_view part = input.substr(0, sep);
  input.remove_prefix(sep == std::string_view::npos ? input.size() : sep + 1);
  return part;
}

// Lines with their line ends.
std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t lf = text.find('\n');
    const std::size_t size = lf == std::string_view::npos ? text.size() : lf + 1;
    lines.push_back(text.substr(0, size));
    text.remove_prefix(size);
  }
  return lines;
}

std::string_view LineEnd(std::string_view line) {
  if (line.ends_with("\r\n")) return "\r\n";
  if (line.ends_with("\n")) return "\n";
  return "";
}

// Every line of `before` is in `after` unchanged, except one line that may get its
// value replaced or, when it was the unterminated last line, a line end.
void CheckOtherLinesKept(std::string_view before, std::string_view after) {
  const auto o = Lines(before);
  const auto r = Lines(after);
  std::size_t prefix = 0;
  while (prefix < o.size() && prefix < r.size() && o[prefix] == r[prefix]) ++prefix;
  std::size_t suffix = 0;
  while (prefix + suffix < o.size() && prefix + suffix < r.size() &&
         o[o.size() - 1 - suffix] == r[r.size() - 1 - suffix])
    ++suffix;
  const std::size_t changedOld = o.size() - prefix - suffix;
  const std::size_t changedNew = r.size() - prefix - suffix;
  Check(changedOld <= 1 && changedNew <= 3);
  if (changedOld == 1) {
    const std::string_view old = o[prefix];
    const std::string_view now = r[prefix];
    const bool terminated =
        now.size() == old.size() + 2 && now.starts_with(old) && now.ends_with("\r\n");
    const std::size_t eq = old.find('=');
    const bool valueReplaced = eq != std::string_view::npos && changedNew == 1 &&
                               now.starts_with(old.substr(0, eq + 1)) &&
                               LineEnd(now) == LineEnd(old);
    Check(terminated || valueReplaced);
  }
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::string_view section = Take(input);
  const std::string_view key = Take(input);
  const std::string_view value = Take(input);
  const std::string_view text = input;

  if (const auto found = FindIniValue(text, section, key)) {
    Check(found->find('\n') == std::string_view::npos);
    // An empty value has no bytes to locate, so only a non-empty one must lie in the text.
    Check(found->empty() || (found->data() >= text.data() &&
                             found->data() + found->size() <= text.data() + text.size()));
    ParseLeadingInt(*found);
  }

  const auto written = SetIniValue(text, section, key, value);
  if (!written) return 0;
  const std::string_view stored =
      value.substr(0, value.find_first_of(std::string_view("\r\n\0", 3)));
  const auto reread = FindIniValue(*written, section, key);
  Check(reread && *reread == Trim(stored));
  CheckOtherLinesKept(text, *written);
  return 0;
}
