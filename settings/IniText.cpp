#include "settings/IniText.h"

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdint>

namespace {

std::string_view Trim(std::string_view s) {
  constexpr std::string_view kBlanks = " \t";
  const std::size_t first = s.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(kBlanks) - first + 1);
}

bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

unsigned char FoldAscii(unsigned char c) { return (c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c; }

// Equal bytes apart from the case of ASCII letters. The byte after a Shift-JIS lead
// byte is the second half of a character even when it looks like a letter.
bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  bool trail = false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto x = static_cast<unsigned char>(a[i]);
    const auto y = static_cast<unsigned char>(b[i]);
    if (trail ? x != y : FoldAscii(x) != FoldAscii(y)) return false;
    trail = !trail && IsLeadByte(x);
  }
  return true;
}

struct Line {
  std::size_t start;         // offset of the line in the text
  std::string_view content;  // without the line end
  std::size_t next;          // offset of the following line
  bool ended;                // the line has a line end
};

Line LineAt(std::string_view text, std::size_t start) {
  const std::size_t lf = text.find('\n', start);
  if (lf == std::string_view::npos) return {start, text.substr(start), text.size(), false};
  std::size_t end = lf;
  if (end > start && text[end - 1] == '\r') --end;
  return {start, text.substr(start, end - start), lf + 1, true};
}

enum class Kind { Other, Section, Key };

struct Entry {
  Kind kind = Kind::Other;
  std::string_view name;
  std::string_view value;
  std::size_t valueStart = 0;  // offset in the line of the byte after "="
};

Entry Parse(std::string_view content) {
  const std::string_view t = Trim(content);
  if (!t.empty() && t.front() == '[') {
    const std::size_t close = t.rfind(']');
    if (close != std::string_view::npos)
      return {Kind::Section, Trim(t.substr(1, close - 1)), {}, 0};
  }
  const std::size_t eq = content.find('=');
  if (eq == std::string_view::npos) return {};
  return {Kind::Key, Trim(content.substr(0, eq)), Trim(content.substr(eq + 1)), eq + 1};
}

// Calls visit(line, entry, inSection) for every line; visit returns true to stop.
template <class Visit>
void ForEachLine(std::string_view text, std::string_view section, Visit visit) {
  bool inSection = false;
  for (std::size_t pos = 0; pos < text.size();) {
    const Line line = LineAt(text, pos);
    const Entry entry = Parse(line.content);
    if (entry.kind == Kind::Section) inSection = SameName(entry.name, section);
    if (visit(line, entry, inSection)) return;
    pos = line.next;
  }
}

// Bytes that would end a line early, or a value for a reader that takes C strings.
constexpr std::string_view kLineBreakOrNul("\r\n\0", 3);

bool HasLineBreakOrNul(std::string_view s) {
  return s.find_first_of(kLineBreakOrNul) != std::string_view::npos;
}

}  // namespace

std::optional<std::string_view> FindIniValue(std::string_view text, std::string_view section,
                                             std::string_view key) {
  section = Trim(section);
  key = Trim(key);
  std::optional<std::string_view> found;
  if (section.empty() || key.empty()) return found;
  ForEachLine(text, section, [&](const Line&, const Entry& entry, bool inSection) {
    if (inSection && entry.kind == Kind::Key && SameName(entry.name, key)) found = entry.value;
    return found.has_value();
  });
  return found;
}

std::optional<std::string> SetIniValue(std::string_view text, std::string_view section,
                                       std::string_view key, std::string_view value) {
  section = Trim(section);
  key = Trim(key);
  if (section.empty() || key.empty() || HasLineBreakOrNul(section) || HasLineBreakOrNul(key) ||
      key.find('=') != std::string_view::npos || key.front() == '[')
    return std::nullopt;
  value = value.substr(0, value.find_first_of(kLineBreakOrNul));

  std::optional<std::string> replaced;
  bool inFirstSection = false;
  bool sectionFound = false;
  Line insertAfter{};
  ForEachLine(text, section, [&](const Line& line, const Entry& entry, bool inSection) {
    if (entry.kind == Kind::Section) {
      inFirstSection = inSection && !sectionFound;
      sectionFound = sectionFound || inSection;
    }
    if (inSection && entry.kind == Kind::Key && SameName(entry.name, key)) {
      const std::size_t from = line.start + entry.valueStart;
      const std::size_t to = line.start + line.content.size();
      replaced = std::string(text.substr(0, from)).append(value).append(text.substr(to));
      return true;
    }
    if (inFirstSection && !Trim(line.content).empty()) insertAfter = line;
    return false;
  });
  if (replaced) return replaced;

  std::string added;
  std::size_t at = text.size();
  bool needsLineEnd = !text.empty() && text.back() != '\n';
  if (sectionFound) {
    at = insertAfter.next;
    needsLineEnd = !insertAfter.ended;
  }
  if (needsLineEnd) added += "\r\n";
  if (!sectionFound) added.append("[").append(section).append("]\r\n");
  added.append(key).append("=").append(value).append("\r\n");
  return std::string(text.substr(0, at)).append(added).append(text.substr(at));
}

int ParseLeadingInt(std::string_view value) {
  const bool negative = !value.empty() && value.front() == '-';
  constexpr std::int64_t kLimit = std::int64_t{INT_MAX} + 1;
  std::int64_t n = 0;
  for (std::size_t i = negative ? 1 : 0; i < value.size() && value[i] >= '0' && value[i] <= '9';
       ++i)
    n = std::min(n * 10 + (value[i] - '0'), kLimit);
  return static_cast<int>(negative ? -n : std::min<std::int64_t>(n, INT_MAX));
}
