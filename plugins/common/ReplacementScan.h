#pragma once
// Copies Shift-JIS text under an ordered table of (pattern, replacement) rules.
// Header-only: every plug-in library compiles its own copy.
//
// The scan works in cycles at a moving position. In one cycle every rule is tried
// once, in table order; a rule whose pattern stands at the position appends its
// replacement and moves the position past the pattern, and the next rule of the same
// cycle is tried there. A cycle in which no rule matched copies the one character at
// the position. Replacements are never scanned again, and since the position only
// moves by whole characters, a pattern is recognised only at a character boundary.

#include <bitset>
#include <cstddef>
#include <cstring>
#include <span>
#include <string>
#include <string_view>

#include "plugins/common/LargeOutput.h"
#include "plugins/common/ShiftJis.h"

namespace wpi {

struct Rule {
  std::string_view pattern;  ///< non-empty, whole characters
  std::string_view replacement;
};

class ReplacementScan {
 public:
  /// Keeps a view of `rules`, which must outlive the scan.
  explicit ReplacementScan(std::span<const Rule> rules) : m_rules(rules) {
    for (const Rule& rule : rules) {
      const auto* p = reinterpret_cast<const unsigned char*>(rule.pattern.data());
      if (rule.pattern.size() == 1) {
        m_oneByteStarts[p[0]] = true;
        for (unsigned next = 0; next < 256; ++next) {
          m_mayStart[p[0] << 8 | next] = true;
        }
      } else {
        m_mayStart[p[0] << 8 | p[1]] = true;
      }
    }
  }

  /// Appends the scanned copy of `in` to `out`.
  void AppendTo(std::string_view in, std::string& out) const {
    const auto* text = reinterpret_cast<const unsigned char*>(in.data());
    const std::size_t size = in.size();
    std::size_t pos = 0;
    while (pos < size) {
      // Characters where no pattern can start make whole cycles without a match:
      // copy them in one run.
      const std::size_t next = NextPatternStart(text, pos, size);
      out.append(in, pos, next - pos);
      pos = next;
      if (pos == size) {
        break;
      }
      const std::size_t cycleStart = pos;
      for (const Rule& rule : m_rules) {
        if (Matches(rule.pattern, text + pos, size - pos)) {
          out.append(rule.replacement);
          pos += rule.pattern.size();
          if (pos == size) {
            break;
          }
        }
      }
      if (pos == cycleStart) {
        const std::size_t length = CharLength(text + pos, text + size);
        out.append(in, pos, length);
        pos += length;
      }
    }
  }

  std::string Run(std::string_view in) const {
    std::string out;
    out.reserve(in.size() + in.size() / 8);
    PreferHugePages(out);
    AppendTo(in, out);
    return out;
  }

 private:
  // The first two bytes decide most tries without a call to memcmp.
  static bool Matches(std::string_view pattern, const unsigned char* at, std::size_t left) {
    const auto* p = reinterpret_cast<const unsigned char*>(pattern.data());
    const std::size_t length = pattern.size();
    return length <= left && at[0] == p[0] &&
           (length == 1 || (at[1] == p[1] && std::memcmp(at + 2, p + 2, length - 2) == 0));
  }

  // The first character boundary at or after `boundary` (itself one) where a pattern
  // may start, or `size`. Byte pairs are tested at every byte, which needs no
  // walk from character to character; a hit is then checked for being a boundary
  // by counting the bytes before it that could be lead bytes: a byte that cannot
  // be one always ends a character, and the lead-byte-like bytes after it pair up.
  std::size_t NextPatternStart(const unsigned char* text, std::size_t boundary,
                               std::size_t size) const {
    for (std::size_t i = boundary; i < size; ++i) {
      const bool mayStart =
          i + 1 < size ? m_mayStart[text[i] << 8 | text[i + 1]] : m_oneByteStarts[text[i]];
      if (!mayStart) {
        continue;
      }
      std::size_t leadLike = 0;
      while (i - leadLike > boundary && IsLeadByte(text[i - leadLike - 1])) {
        ++leadLike;
      }
      if (leadLike % 2 == 0) {
        return i;
      }
      boundary = i + 1;  // i is the second byte of a character
    }
    return size;
  }

  std::span<const Rule> m_rules;
  std::bitset<256> m_oneByteStarts;  ///< first bytes of the one-byte patterns
  std::bitset<65536> m_mayStart;     ///< byte pairs at which some pattern can start
};

}  // namespace wpi
