#include "kanji/UnicodeText.h"

#include "platform/Cp932Codec.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace {

constexpr char16_t kReplacement = u'\uFFFD';
constexpr char16_t kStandIn = u'\uFFFF';

std::u16string DecodeUtf8(std::string_view bytes) {
  std::u16string text(bytes.size(), u'\0');
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::size_t n = bytes.size();
  char16_t* out = text.data();
  std::size_t i = 0;
  while (i < n) {
    const unsigned b = p[i];
    if (b < 0x80) {
      *out++ = static_cast<char16_t>(b);
      ++i;
      continue;
    }
    // Lead byte: length, the bits it carries, and the range of the second byte,
    // which rules out overlong forms, surrogates and code points past U+10FFFF.
    int length = 0;
    char32_t c = 0;
    unsigned lo = 0x80, hi = 0xBF;
    if (b >= 0xC2 && b <= 0xDF) {
      length = 2, c = b & 0x1F;
    } else if (b >= 0xE0 && b <= 0xEF) {
      length = 3, c = b & 0x0F;
      if (b == 0xE0) lo = 0xA0;
      if (b == 0xED) hi = 0x9F;
    } else if (b >= 0xF0 && b <= 0xF4) {
      length = 4, c = b & 0x07;
      if (b == 0xF0) lo = 0x90;
      if (b == 0xF4) hi = 0x8F;
    }
    int k = 1;
    for (; k < length && i + k < n; ++k) {
      const unsigned t = p[i + k];
      if (t < (k == 1 ? lo : 0x80) || t > (k == 1 ? hi : 0xBF)) break;
      c = c << 6 | (t & 0x3F);
    }
    if (length == 0 || k < length) {
      // One replacement for the lead byte and the trail bytes that fitted it.
      *out++ = kReplacement;
      i += static_cast<std::size_t>(std::max(k, 1));
      continue;
    }
    if (c >= 0x10000) {
      *out++ = static_cast<char16_t>(0xD7C0 + (c >> 10));
      *out++ = static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    } else {
      *out++ = static_cast<char16_t>(c);
    }
    i += static_cast<std::size_t>(length);
  }
  text.resize(static_cast<std::size_t>(out - text.data()));
  return text;
}

std::u16string DecodeUtf16(std::string_view bytes, bool bigEndian) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::size_t units = bytes.size() / 2;
  std::u16string text(units + bytes.size() % 2, kReplacement);
  const int high = bigEndian ? 0 : 1;
  for (std::size_t i = 0; i < units; ++i)
    text[i] = static_cast<char16_t>(p[2 * i + high] << 8 | p[2 * i + 1 - high]);
  // A surrogate without its other half is no character.
  for (std::size_t i = 0; i < units; ++i) {
    const char16_t c = text[i];
    if (c < 0xD800 || c > 0xDFFF) continue;
    if (c <= 0xDBFF && i + 1 < units && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF)
      ++i;
    else
      text[i] = kReplacement;
  }
  return text;
}

// Adds the character `c` (one code unit or a surrogate pair) to the samples when
// they hold fewer than ten characters and not this one.
void Sample(std::u16string& samples, std::u16string_view c) {
  constexpr std::size_t kSamples = 10;
  std::size_t count = 0;
  for (std::size_t i = 0; i < samples.size(); ++i) {
    if (samples.compare(i, c.size(), c) == 0) return;
    count += samples[i] < 0xDC00 || samples[i] > 0xDFFF;  // a low half is no character of its own
  }
  if (count < kSamples) samples += c;
}

}  // namespace

char16_t JisCodePoint(char16_t c) {
  static const std::array<char16_t, 0x10000> jis = [] {
    std::array<char16_t, 0x10000> table{};
    for (unsigned u = 0; u < 0x10000; ++u) {
      const char16_t canonical = cp932::CanonicalCodePoint(static_cast<char16_t>(u));
      if (canonical != u) table[canonical] = static_cast<char16_t>(u);
    }
    return table;
  }();
  return jis[c];
}

namespace {

// +1 for a code point JIS X 0208 names where CP932 holds another (U+301C), -1 for
// that other one (U+FF5E), 0 for every other character.
int CodePointStyle(char16_t c) {
  static const std::array<std::int8_t, 0x10000> style = [] {
    std::array<std::int8_t, 0x10000> table{};
    for (unsigned u = 0; u < 0x10000; ++u) {
      const char16_t canonical = cp932::CanonicalCodePoint(static_cast<char16_t>(u));
      if (canonical != u) table[u] = 1, table[canonical] = -1;
    }
    return table;
  }();
  return style[c];
}

}  // namespace

std::u16string DecodeUnicode(std::string_view bytes, TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::Utf8Bom:
      if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
      return DecodeUtf8(bytes);
    case TextEncoding::Utf16Le:
      if (bytes.starts_with("\xFF\xFE")) bytes.remove_prefix(2);
      return DecodeUtf16(bytes, false);
    case TextEncoding::Utf16Be:
      if (bytes.starts_with("\xFE\xFF")) bytes.remove_prefix(2);
      return DecodeUtf16(bytes, true);
    default: return DecodeUtf8(bytes);
  }
}

ShiftJisText UnicodeToShiftJis(std::string_view bytes, TextEncoding encoding) {
  std::u16string text = DecodeUnicode(bytes, encoding);
  ShiftJisText result;
  // In a file these are characters like any other; only the control's paragraph
  // encoding has a place for them, which a file's text does not go through.
  // They go through MakeRepresentable as U+FFFF, which CP932 cannot hold either, and
  // take their places among the characters it lists.
  std::u16string standIns;
  std::ptrdiff_t jisOverCp932 = 0;
  for (char16_t& c : text) {
    jisOverCp932 += CodePointStyle(c);
    if (c == u'\u00A0' || c == u'\u2028' || c == u'\u2029' || c == kStandIn) {
      standIns += c;
      c = kStandIn;
    }
  }
  std::u16string replaced;
  result.replaced = cp932::MakeRepresentable(text, &replaced);
  std::size_t nextStandIn = 0;
  for (char16_t& c : replaced)
    if (c == kStandIn) c = standIns[nextStandIn++];
  for (std::size_t i = 0; i < replaced.size() && result.samples.size() < 20; ++i) {
    const bool pair = replaced[i] >= 0xD800 && replaced[i] <= 0xDBFF && i + 1 < replaced.size();
    Sample(result.samples, std::u16string_view(replaced).substr(i, pair ? 2 : 1));
    if (pair) ++i;
  }
  result.sjis = cp932::Encode(text);
  result.jisCodePoints = jisOverCp932 > 0;
  return result;
}
