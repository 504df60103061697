#pragma once
// Japanese test texts and glibc iconv as the reference converter, shared by the kanji
// tests and benchmarks.

#include <iconv.h>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kanji_test {

/// One glibc iconv conversion descriptor with a reusable output buffer.
class Iconv {
public:
  Iconv(const char* to, const char* from);
  ~Iconv();
  Iconv(const Iconv&) = delete;
  Iconv& operator=(const Iconv&) = delete;

  /// The whole of `in` converted (shift state flushed at the end), or nothing when some
  /// character cannot be converted. The view is valid until the next call.
  std::optional<std::string_view> Convert(std::string_view in);

private:
  iconv_t m_cd;
  std::vector<char> m_buffer;
};

/// `in` converted with a fresh descriptor, or nothing when iconv cannot convert it.
std::optional<std::string> Convert(std::string_view in, const char* to, const char* from);

/// Every character of JIS X 0208 rows 1-84 that CP932 holds, as its CP932 pair, in code
/// order. Pairs that iconv decodes but encodes back differently (CP932's duplicates) are
/// left out, since no converter can tell them apart.
std::vector<std::string> Cp932Characters();

/// Those of `chars` (CP932) that `encoding` holds in JIS X 0208 or JIS X 0201.
std::vector<std::string> Encodable(const std::vector<std::string>& chars, const char* encoding);

/// A CP932 text of at least `bytes` bytes: CR LF lines mixing ASCII words, symbols, kana
/// and kanji drawn from `chars`, and half-width katakana when asked. Always the same text
/// for the same arguments.
std::string MixedText(std::size_t bytes, const std::vector<std::string>& chars,
                      bool halfWidthKana);

}  // namespace kanji_test
