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
#include <span>
#include <string>
#include <string_view>

#include "plugins/common/ShiftJis.h"

namespace wpi {

struct Rule {
  std::string_view pattern;      ///< non-empty, whole characters
  std::string_view replacement;
};

class ReplacementScan {
 public:
  /// Keeps a view of `rules`, which must outlive the scan.
  explicit ReplacementScan(std::span<const Rule> rules) : m_rules(rules) {
    for (const Rule& rule : rules) {
      const auto* p = reinterpret_cast<const unsigned char*>(rule.pattern.data());
      if (rule.pattern.size() == 1) {
        m_oneByteStarts.set(p[0]);
      } else {
        m_twoByteStarts.set(p[0] << 8 | p[1]);
      }
    }
  }

  /// Appends the scanned copy of `in` to `out`.
  void AppendTo(std::string_view in, std::string& out) const {
    const auto* p = reinterpret_cast<const unsigned char*>(in.data());
    const unsigned char* end = p + in.size();
    while (p < end) {
      // Characters where no pattern can start make whole cycles without a match:
      // copy them in one run.
      const unsigned char* run = p;
      while (p < end && !MayStartPattern(p, end)) {
        p += CharLength(p, end);
      }
      Append(out, run, p);
      if (p == end) {
        break;
      }
      const unsigned char* cycleStart = p;
      for (const Rule& rule : m_rules) {
        if (StartsWith(p, end, rule.pattern)) {
          out.append(rule.replacement);
          p += rule.pattern.size();
        }
      }
      if (p == cycleStart) {
        const std::size_t length = CharLength(p, end);
        Append(out, p, p + length);
        p += length;
      }
    }
  }

  std::string Run(std::string_view in) const {
    std::string out;
    out.reserve(in.size());
    AppendTo(in, out);
    return out;
  }

 private:
  bool MayStartPattern(const unsigned char* p, const unsigned char* end) const {
    return m_oneByteStarts.test(p[0]) || (end - p >= 2 && m_twoByteStarts.test(p[0] << 8 | p[1]));
  }

  static void Append(std::string& out, const unsigned char* from, const unsigned char* to) {
    out.append(reinterpret_cast<const char*>(from), static_cast<std::size_t>(to - from));
  }

  std::span<const Rule> m_rules;
  std::bitset<256> m_oneByteStarts;
  std::bitset<65536> m_twoByteStarts;
};

}  // namespace wpi
