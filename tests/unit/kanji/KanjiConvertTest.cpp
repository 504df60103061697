#include "KanjiModel.h"
#include "kanji/KanjiConverter.h"

#include <gtest/gtest.h>

#include <cstring>
#include <iterator>
#include <memory>
#include <random>
#include <string>

namespace {

enum class From { Jis, Euc };

std::string ConvertWith(CKanjiConverter& converter, From from) {
  return from == From::Jis ? converter.JisToSjis() : converter.EucToSjis();
}

std::string Convert(From from, const std::string& text) {
  CKanjiConverter converter(text.c_str());
  return ConvertWith(converter, from);
}

TEST(KanjiConvert, PairRule) {
  const struct {
    int j1, j2, s1, s2;
  } cases[] = {{0x30, 0x21, 0x88, 0x9F}, {0x24, 0x22, 0x82, 0xA0}, {0x7E, 0x7E, 0xEF, 0xFC},
               {0x5F, 0x60, 0xE0, 0x80}, {0x21, 0x5F, 0x81, 0x7E}, {0x21, 0x21, 0x81, 0x40},
               {0x5E, 0x7E, 0x9F, 0xFC}, {0x25, 0x60, 0x83, 0x80}};
  for (const auto& c : cases) {
    int first = c.j1, second = c.j2;
    CKanjiConverter::PairToSjis(first, second);
    EXPECT_EQ(first, c.s1) << std::hex << c.j1 << " " << c.j2;
    EXPECT_EQ(second, c.s2) << std::hex << c.j1 << " " << c.j2;
  }
}

TEST(KanjiConvert, EdgeCases) {
  const struct {
    From from;
    const char* source;
    const char* output;
  } cases[] = {
      {From::Jis, "\x1B$B0!\x1B(Babc",
       "\x88\x9F"
       "abc"},
      {From::Jis, "\x1B$B%\"%$\x1B(B\r\n", "\x83\x41\x83\x43\r\n"},
      {From::Jis, "\x1B(I12\r\n", "\xB1\xB2\r\n"},
      {From::Jis,
       "\x0E"
       "12\x0F"
       "ab",
       "\xB1\xB2"
       "ab"},
      {From::Jis, "\x1B$B0", ""},
      {From::Jis, "\x1B$B0\n!", "\n"},
      {From::Jis, "\x1B$Aab", "ab"},
      {From::Jis, "\x1B(Xab", "ab"},
      {From::Jis, "\x1Bzab", "ab"},
      {From::Jis,
       "\x82\xA0"
       "ab\x7F\x01",
       "ab"},
      {From::Euc, "\xB0\xA1\xA4\xA2\r\n", "\x88\x9F\x82\xA0\r\n"},
      {From::Euc, "\x8E\xB1\x8E\xA0\x8E\xE0x", "\xB1\xA0x"},
      {From::Euc,
       "\xA1"
       "A",
       "A"},
      // JIS X 0212 characters are dropped whole, not read as JIS X 0208 ones.
      {From::Euc, "\x8F\xA1\xA1", ""},
      {From::Euc, "\x8F\xB0\xA1\xB0\xA1", "\x88\x9F"},
      {From::Euc,
       "\x8F\xB0"
       "A\x8F"
       "A",
       "AA"},
      {From::Euc, "\xFF\xFE\xFE", "\xEF\xFC"},
      {From::Euc, "\xA1", ""},
      // Kanji mode keeps spaces, TAB and line ends and stays in kanji mode.
      {From::Jis, "\x1B$B0! \t0!\r\n0!", "\x88\x9F \t\x88\x9F\r\n\x88\x9F"},
      // An ESC cutting a pair short is still obeyed.
      {From::Jis, "\x1B$B0\x1B(Ba", "a"},
      // Katakana: a space becomes 0xA0; any other byte ends the run and is then judged.
      {From::Jis,
       "\x1B(I \x5F\x60\x1B(I1\x01"
       "1",
       "\xA0\xDF\x60\xB1"
       "1"},
      {From::Jis,
       "\x1B$B\x1B(I1\x0F"
       "1",
       "\xB1"
       "1"},
      // Unfinished escape sequences at the end.
      {From::Jis, "a\x1B", "a"},
      {From::Jis, "a\x1B$", "a"},
      {From::Jis, "a\x1B(", "a"},
      // Control bytes other than TAB, LF, FF and CR are dropped by both.
      {From::Jis, "\x01\x08\t\n\x0B\x0C\r\x7F", "\t\n\x0C\r"},
      {From::Euc, "\x01\x08\t\n\x0B\x0C\r\x7F\x80\xA0", "\t\n\x0C\r"},
      // Single shift 2 or 3 at the very end.
      {From::Euc, "a\x8E", "a"},
      {From::Euc, "a\x8F", "a"},
      {From::Euc, "a\x8F\xA1", "a"},
      {From::Euc, "", ""},
      {From::Jis, "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::string(c.source)));
    EXPECT_EQ(Convert(c.from, c.source), c.output);
  }
}

TEST(KanjiConvert, EachConversionStartsAfresh) {
  const std::string jis = "\x1B$B0!%\"\x1B(B\r\nabc";
  CKanjiConverter converter(jis.c_str());
  EXPECT_STREQ(converter.Output(), "");
  const std::string first = converter.JisToSjis();
  EXPECT_EQ(first, "\x88\x9F\x83\x41\r\nabc");
  EXPECT_EQ(converter.JisToSjis(), first);
  // Read as EUC-JP only the ASCII is left, which is longer; the JIS output that follows
  // overwrites it, NUL included.
  EXPECT_STREQ(converter.EucToSjis(), "$B0!%\"(B\r\nabc");
  EXPECT_EQ(converter.JisToSjis(), first);
  EXPECT_EQ(converter.Output(), first);
}

// Random texts made of pieces that start and end the converters' runs: pairs of both
// encodings in runs of odd and even length, escapes, shifts, line ends, stray bytes.
std::string RandomText(std::mt19937& random) {
  static const char* const kPieces[] = {
      "\x1B$B", "\x1B(B",   "\x1B(I", "\x1B$",        "\x1B", "\x0E", "\x0F", "\r\n",
      " ",      "\x8E\xB1", "\x8E",   "\x8F\xB0\xA1", "\x8F", "\x7F", "\x80", "\xFF"};
  std::string text;
  const int pieces = random() % 40;
  for (int i = 0; i < pieces; ++i) {
    switch (random() % 4) {
      case 0: text += kPieces[random() % std::size(kPieces)]; break;
      case 1: text += static_cast<char>(1 + random() % 255); break;
      default: {
        // A run of EUC-JP or of JIS bytes, long enough to fill blocks.
        const bool euc = random() % 2;
        for (int n = random() % 80; n > 0; --n) {
          text += static_cast<char>((euc ? 0xA1 : 0x21) + random() % 94);
        }
      }
    }
  }
  return text;
}

// Against the byte-at-a-time model, each text in a heap block of exactly its length + 1
// so that the sanitizer build catches any read past the NUL.
TEST(KanjiConvert, AnyBytesAsTheModelSays) {
  std::mt19937 random(7);
  for (int round = 0; round < 5000; ++round) {
    const std::string text = RandomText(random);
    auto source = std::make_unique<char[]>(text.size() + 1);
    std::memcpy(source.get(), text.c_str(), text.size() + 1);
    const std::size_t length = std::strlen(source.get());
    SCOPED_TRACE(testing::PrintToString(text));

    CKanjiConverter converter(source.get());
    converter.DetectCode();
    EXPECT_TRUE(converter.m_nCode >= KANJI_JIS && converter.m_nCode <= KANJI_EUC);
    const std::string jis = converter.JisToSjis();
    EXPECT_EQ(jis, kanji_test::ModelConverter(text).JisToSjis());
    EXPECT_LE(jis.size(), length);
    const std::string euc = converter.EucToSjis();
    EXPECT_EQ(euc, kanji_test::ModelConverter(text).EucToSjis());
    EXPECT_LE(euc.size(), length);
    if (HasFailure()) break;
  }
}

}  // namespace
