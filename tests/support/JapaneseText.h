#pragma once
// Japanese test texts, shared by the kanji and file-format tests and the benchmarks.

#include "tests/support/Iconv.h"

#include <cstddef>
#include <string>
#include <vector>

namespace kanji_test {

// The converter shared by every test, under the names these texts always had.
using ::Convert;
using ::Iconv;

/// Every character of JIS X 0208 rows 1-84 that CP932 holds, as its CP932 pair, in code
/// order. Pairs that iconv decodes but encodes back differently (CP932's duplicates) are
/// left out, since no converter can tell them apart.
std::vector<std::string> Cp932Characters();

/// Those of `chars` (CP932) that `encoding` holds in JIS X 0208 or JIS X 0201.
std::vector<std::string> Encodable(const std::vector<std::string>& chars, const char* encoding);

/// A CP932 text of at least `bytes` bytes: CR LF lines mixing ASCII words, symbols, kana
/// and kanji drawn from `chars`, and half-width katakana when asked. Always the same text
/// for the same arguments.
std::string MixedText(std::size_t bytes, const std::vector<std::string>& chars, bool halfWidthKana);

}  // namespace kanji_test
