#pragma once
// Byte-level helpers for the plug-ins' scanners of Shift-JIS text.

#include <cstddef>
#include <cstring>
#include <string_view>

namespace wpi {

/// True when `b` starts a double-byte character (it includes the byte after it).
/// (Flipping bit 5 makes the two ranges one: 0xA1-0xBF and 0xC0-0xDC, so the test
/// is one subtraction and one comparison, without a branch.)
constexpr bool IsLeadByte(unsigned char b) {
  return static_cast<unsigned char>((b ^ 0x20) - 0xA1) < 0x3C;
}

/// Length of the character at `p`: 2 for a lead byte with a byte after it before
/// `end`, else 1 (a lead byte at the very end stands alone).
inline std::size_t CharLength(const unsigned char* p, const unsigned char* end) {
  return IsLeadByte(*p) && end - p >= 2 ? 2 : 1;
}

/// True when the bytes from `p` to `end` start with `pattern`.
inline bool StartsWith(const unsigned char* p, const unsigned char* end, std::string_view pattern) {
  return static_cast<std::size_t>(end - p) >= pattern.size() &&
         std::memcmp(p, pattern.data(), pattern.size()) == 0;
}

/// The longest prefix of `text` of at most `limit` bytes that does not end in the
/// middle of a double-byte character.
inline std::string_view CutAtCharBoundary(std::string_view text, std::size_t limit) {
  if (text.size() <= limit) {
    return text;
  }
  const auto* begin = reinterpret_cast<const unsigned char*>(text.data());
  const unsigned char* p = begin;
  while (static_cast<std::size_t>(p - begin) < limit) {
    const std::size_t length = CharLength(p, begin + text.size());
    if (static_cast<std::size_t>(p - begin) + length > limit) {
      break;
    }
    p += length;
  }
  return text.substr(0, static_cast<std::size_t>(p - begin));
}

}  // namespace wpi
