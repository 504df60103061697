// The converters against glibc iconv: CP932 text is encoded with iconv as EUC-JP and as
// ISO-2022-JP, and converting it back must give the CP932 bytes exactly.

#include "kanji/KanjiConverter.h"
#include "tests/support/JapaneseText.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

using kanji_test::Convert;

struct Oracle {
  const char* encoding;
  const char* (CKanjiConverter::*convert)();
  int code;
};

const Oracle kOracles[] = {
    {"EUC-JP", &CKanjiConverter::EucToSjis, KANJI_EUC},
    {"EUC-JP-MS", &CKanjiConverter::EucToSjis, KANJI_EUC},  // also NEC row 13 and more symbols
    {"ISO-2022-JP", &CKanjiConverter::JisToSjis, KANJI_JIS},
};

// Where two texts first differ, with the bytes around it, instead of megabytes of dump.
std::string Difference(const std::string& got, const std::string& want) {
  std::size_t at = 0;
  while (at < got.size() && at < want.size() && got[at] == want[at]) ++at;
  const auto hex = [at](const std::string& s) {
    std::string out;
    for (std::size_t i = at >= 4 ? at - 4 : 0; i < s.size() && i < at + 8; ++i) {
      char byte[4];
      std::snprintf(byte, sizeof byte, "%02X ", static_cast<unsigned char>(s[i]));
      out += byte;
    }
    return out;
  };
  return "sizes " + std::to_string(got.size()) + " and " + std::to_string(want.size()) +
         ", first difference at " + std::to_string(at) + ": got " + hex(got) + "want " + hex(want);
}

std::string Join(const std::vector<std::string>& chars) {
  std::string text;
  for (std::size_t i = 0; i < chars.size(); ++i) {
    text += chars[i];
    if (i % 40 == 39) text += "\r\n";
  }
  return text;
}

TEST(KanjiOracle, EveryCharacterOfRows1To84) {
  const std::vector<std::string> all = kanji_test::Cp932Characters();
  // JIS X 0208 has 6879 characters; CP932 adds NEC row 13.
  ASSERT_GT(all.size(), 6879u);
  for (const Oracle& oracle : kOracles) {
    SCOPED_TRACE(oracle.encoding);
    const std::vector<std::string> chars = kanji_test::Encodable(all, oracle.encoding);
    // The plain encodings lack only row 13 and a handful of CP932's own symbols.
    EXPECT_GT(chars.size(), all.size() - 100);
    const std::string sjis = Join(chars);
    const auto encoded = Convert(sjis, oracle.encoding, "CP932");
    ASSERT_TRUE(encoded);
    CKanjiConverter converter(encoded->c_str());
    const std::string converted = (converter.*oracle.convert)();
    EXPECT_TRUE(converted == sjis) << Difference(converted, sjis);
  }
}

TEST(KanjiOracle, MegabytesOfMixedText) {
  const std::vector<std::string> all = kanji_test::Cp932Characters();
  for (const Oracle& oracle : kOracles) {
    SCOPED_TRACE(oracle.encoding);
    // ISO-2022-JP has no half-width katakana.
    const bool halfWidth = oracle.code == KANJI_EUC;
    const std::string sjis =
        kanji_test::MixedText(4 << 20, kanji_test::Encodable(all, oracle.encoding), halfWidth);
    const auto encoded = Convert(sjis, oracle.encoding, "CP932");
    ASSERT_TRUE(encoded);
    CKanjiConverter converter(encoded->c_str());
    converter.DetectCode();
    EXPECT_EQ(converter.m_nCode, oracle.code);
    const std::string converted = (converter.*oracle.convert)();
    EXPECT_TRUE(converted == sjis) << Difference(converted, sjis);

    CKanjiConverter original(sjis.c_str());
    original.DetectCode();
    EXPECT_EQ(original.m_nCode, KANJI_SJIS);
  }
}

}  // namespace
