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

#include <algorithm>
#include <array>
#include <bit>
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <cstring>
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
  /// Keeps a view of `rules` (at most 64), which must outlive the scan.
  explicit ReplacementScan(std::span<const Rule> rules) : m_rules(rules) {
    for (std::size_t i = 0; i < rules.size(); ++i) {
      const auto* p = reinterpret_cast<const unsigned char*>(rules[i].pattern.data());
      const std::uint64_t bit = std::uint64_t{1} << i;
      m_rulesByFirstByte[p[0]] |= bit;
      for (unsigned second = 0; second < 256; ++second) {
        if (rules[i].pattern.size() == 1 || p[1] == second) {
          m_rulesBySecondByte[second] |= bit;
          m_mayStart[p[0] << 8 | second] = true;
        }
      }
      if (rules[i].pattern.size() == 1) {
        m_oneByteRules |= bit;
      }
      m_cycleRoom += std::max(rules[i].replacement.size(), kPiece);
      rules[i].replacement.copy(m_shortReplacements[i].data(), kPiece);
    }
  }

  /// Appends the scanned copy of `in` to `out`.
  void AppendTo(std::string_view in, std::string& out) const {
    const std::size_t kept = out.size();
    try {
      Output o(out, in.size() + in.size() / 8);
      Scan(in, o);
      o.Finish();
    } catch (...) {
      out.resize(kept);
      throw;
    }
  }

  std::string Run(std::string_view in) const {
    std::string out;
    AppendTo(in, out);
    return out;
  }

 private:
  // Most pieces are a few bytes long, where a call to memcpy costs more than the
  // copy: they are copied kPiece bytes at a time, into room that has kPiece
  // bytes to spare, and from sources that have them too.
  static constexpr std::size_t kPiece = 16;

  // The string written through a pointer, which the scan keeps in a register:
  // room is made in big steps, so a piece costs a copy and no check of its own.
  struct Output {
    Output(std::string& string, std::size_t expected) : out(&string) {
      const std::size_t used = out->size();
      out->resize(used + expected + kPiece);
      at = out->data() + used;
      end = out->data() + out->size();
    }
    /// Room for `bytes` more at `at`.
    void Room(std::size_t bytes) {
      if (static_cast<std::size_t>(end - at) < bytes) {
        const std::size_t used = static_cast<std::size_t>(at - out->data());
        out->resize(std::max(used + bytes, out->size() + out->size() / 2));
        at = out->data() + used;
        end = out->data() + out->size();
      }
    }
    void Finish() { out->resize(static_cast<std::size_t>(at - out->data())); }

    std::string* out;
    char* at;
    char* end;
  };

  void Scan(std::string_view in, Output& output) const {
    const auto* text = reinterpret_cast<const unsigned char*>(in.data());
    const std::size_t size = in.size();
    Output o = output;  // a copy the compiler can hold in registers
    std::size_t pos = 0;
    // Where a pattern may start, 64 bytes at a time from `base`: see NextStart.
    std::size_t base = 0;
    std::uint64_t hits = MayStartMask(text, 0, size);
    while (pos < size) {
      // Characters where no pattern can start make whole cycles without a match:
      // copy them in one run.
      const std::size_t next = NextStart(text, pos, size, base, hits);
      CopyRun(text + pos, next - pos, size - pos, o);
      pos = next;
      if (pos < size) {
        pos = Cycle(text, pos, size, o);
      }
    }
    output = o;
  }

  // Copies `count` bytes from `from`, after which the text has `left` bytes. A
  // short run is copied as four whole pieces, whatever its length, so that how
  // far apart the patterns stand decides no branch.
  static void CopyRun(const unsigned char* from, std::size_t count, std::size_t left, Output& o) {
    o.Room(std::max(count, 4 * kPiece));
    if (count <= 4 * kPiece && left >= 4 * kPiece) {
      std::memcpy(o.at, from, 4 * kPiece);
    } else {
      std::memcpy(o.at, from, count);
    }
    o.at += count;
  }

  // The rules whose pattern starts with the byte or the two bytes at `pos`.
  std::uint64_t Candidates(const unsigned char* text, std::size_t pos, std::size_t size) const {
    return m_rulesByFirstByte[text[pos]] &
           (pos + 1 < size ? m_rulesBySecondByte[text[pos + 1]] : m_oneByteRules);
  }

  // One cycle at `pos`; returns the position after it. Only the rules whose
  // pattern starts with the bytes at the position can match there, so just those
  // are tried, in table order.
  std::size_t Cycle(const unsigned char* text, std::size_t pos, std::size_t size, Output& o) const {
    o.Room(m_cycleRoom + 2);  // at least kPiece to spare
    const std::size_t cycleStart = pos;
    std::uint64_t candidates = Candidates(text, pos, size);
    while (candidates != 0) {
      const int i = std::countr_zero(candidates);
      const Rule& rule = m_rules[static_cast<std::size_t>(i)];
      const std::size_t length = rule.pattern.size();
      // The first two bytes are known to match.
      if (length > size - pos ||
          (length > 2 && std::memcmp(text + pos + 2, rule.pattern.data() + 2, length - 2) != 0)) {
        candidates &= candidates - 1;
        continue;
      }
      if (rule.replacement.size() <= kPiece) {
        std::memcpy(o.at, m_shortReplacements[static_cast<std::size_t>(i)].data(), kPiece);
      } else {
        std::memcpy(o.at, rule.replacement.data(), rule.replacement.size());
      }
      o.at += rule.replacement.size();
      pos += length;
      if (pos == size) {
        break;
      }
      candidates = Candidates(text, pos, size) & (~std::uint64_t{1} << i);
    }
    if (pos == cycleStart) {
      const std::size_t length = CharLength(text + pos, text + size);
      std::memcpy(o.at, text + pos, length);
      o.at += length;
      pos += length;
    }
    return pos;
  }

  // The first character boundary at or after `boundary` (itself one) where a
  // pattern may start, or `size`; `hits` holds bit j for `base` + j where one
  // may, and moves forward with the position. Byte pairs are tested at every
  // byte, which needs no walk from character to character; a hit is then
  // checked for being a boundary by counting the bytes before it that could be
  // lead bytes: a byte that cannot be one always ends a character, and the
  // lead-byte-like bytes after it pair up.
  std::size_t NextStart(const unsigned char* text, std::size_t boundary, std::size_t size,
                        std::size_t& base, std::uint64_t& hits) const {
    if (boundary - base >= 64) {
      base = boundary;
      hits = MayStartMask(text, base, size);
    } else {
      hits &= ~std::uint64_t{0} << (boundary - base);
    }
    for (;;) {
      while (hits == 0) {
        if (size - base <= 64) {
          return size;
        }
        base += 64;
        hits = MayStartMask(text, base, size);
      }
      const std::size_t i = base + static_cast<std::size_t>(std::countr_zero(hits));
      hits &= hits - 1;
      std::size_t leadLike = 0;
      while (i - leadLike > boundary && IsLeadByte(text[i - leadLike - 1])) {
        ++leadLike;
      }
      if (leadLike % 2 == 0) {
        return i;
      }
      boundary = i + 1;  // i is the second byte of a character
    }
  }

  // Bit j: a pattern may start at `base` + j (by the byte pair there, or by the
  // last byte of the text alone). Without a branch per byte.
  std::uint64_t MayStartMask(const unsigned char* text, std::size_t base, std::size_t size) const {
    if (base >= size) {
      return 0;
    }
    const std::size_t pairs = std::min<std::size_t>(size - base - 1, 64);
    const unsigned char* p = text + base;
    std::uint64_t mask = 0;
    for (std::size_t j = 0; j < pairs; ++j) {
      mask |= std::uint64_t{m_mayStart[p[j] << 8 | p[j + 1]]} << j;
    }
    if (pairs < 64) {
      mask |= std::uint64_t{(m_rulesByFirstByte[p[pairs]] & m_oneByteRules) != 0} << pairs;
    }
    return mask;
  }

  std::span<const Rule> m_rules;
  std::array<std::uint64_t, 256> m_rulesByFirstByte{};   ///< bit i: rule i's pattern starts so
  std::array<std::uint64_t, 256> m_rulesBySecondByte{};  ///< or is one byte long
  std::uint64_t m_oneByteRules = 0;
  std::size_t m_cycleRoom = 0;  ///< the most one cycle's replacements can write, and kPiece
  std::array<std::array<char, kPiece>, 64> m_shortReplacements{};  ///< padded with NULs
  std::bitset<65536> m_mayStart;  ///< byte pairs at which some pattern can start
};

}  // namespace wpi
