#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <utility>

#include "tests/unit/plugins/WpiLibrary.h"

namespace {

using wpitest::Sjis;
using wpitest::Utf8;
using wpitest::WpiLibrary;

class BricksTest : public testing::Test {
 protected:
  std::string Katakana(std::string_view utf8) const { return Utf8(m_bricks.Run(Sjis(utf8))); }

  WpiLibrary m_bricks{"Bricks"};
};

TEST_F(BricksTest, TurnsEveryHiraganaOfTheTableIntoKatakana) {
  EXPECT_EQ(Katakana("あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよ"
                     "らりるれろわをん"),
            "アイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロ"
            "ワヲン");
  EXPECT_EQ(Katakana("がぎぐげござじずぜぞだぢづでどばびぶべぼぱぴぷぺぽ"),
            "ガギグゲゴザジズゼゾダヂヅデドバビブベボパピプペポ");
  EXPECT_EQ(Katakana("ぁぃぅぇぉっゃゅょ"), "ァィゥェォッャュョ");
  EXPECT_EQ(Katakana("ひらがな、きゃっ。"), "ヒラガナ、キャッ。");
}

TEST_F(BricksTest, JoinsUWithTheVoicedMarkIntoVu) {
  EXPECT_EQ(Katakana("う゛ぁいおりん"), "ヴァイオリン");
  EXPECT_EQ(Katakana("あう゛う゛う"), "アヴヴウ");
  EXPECT_EQ(Katakana("う゛"), "ヴ");
  EXPECT_EQ(Katakana("う"), "ウ");
  EXPECT_EQ(Katakana("か゛"), "カ゛");
  EXPECT_EQ(m_bricks.Run(Sjis("う゛")).size(), 2u);
}

TEST_F(BricksTest, LeavesEverythingElseAlone) {
  const std::string others = Sjis("ゎゐゑゝゞー　カタカナ漢字ｱｲｳ ASCII 123\r\n");
  EXPECT_EQ(m_bricks.Run(others), others);
  // 「モ」 (83 82) then 「ｱ」 (B1): the bytes 82 B1 in between are not 「こ」.
  EXPECT_EQ(m_bricks.Run("\x83\x82\xB1"), "\x83\x82\xB1");
  // A lead byte at the very end stands alone.
  EXPECT_EQ(m_bricks.Run("\x82\xA0\x82"), "\x83\x41\x82");
  int32_t size = -1;
  EXPECT_EQ(m_bricks.Run("", &size), "");
  EXPECT_EQ(size, 0);
}

// Every JIS X 0208 character in code order (so 「う」 is never followed by 「゛」),
// ASCII and half-width katakana, lines of one lead byte each.
std::string JisX0208Corpus() {
  std::string text;
  Iconv cp932("UTF-8", "CP932");
  for (const auto& [first, last] :
       {std::pair{0x81, 0x84}, std::pair{0x88, 0x9F}, std::pair{0xE0, 0xEA}}) {
    for (int lead = first; lead <= last; ++lead) {
      for (int trail = 0x40; trail <= 0xFC; ++trail) {
        const char c[2] = {static_cast<char>(lead), static_cast<char>(trail)};
        if (cp932.Convert(std::string_view(c, 2))) text.append(c, 2);
      }
      text += "\r\n";
    }
  }
  for (int b = 0x20; b < 0xE0; ++b) {
    if (b < 0x7F || b > 0xA0) {
      text += static_cast<char>(b);
    }
  }
  return text;
}

std::string RemoveCharacters(const std::string& text, std::string_view utf8) {
  std::string result = text;
  const std::string characters = Sjis(utf8);
  for (std::size_t i = 0; i < characters.size(); i += 2) {
    const std::size_t at = result.find(characters.substr(i, 2));
    EXPECT_NE(at, std::string::npos);
    result.erase(at, 2);
  }
  return result;
}

// nkf also turns 「ゎ」「ゐ」「ゑ」 and the iteration marks 「ゝ」「ゞ」 into katakana,
// which stay as they are here; it agrees on everything else.
TEST_F(BricksTest, AgreesWithNkfOnEveryJisX0208Character) {
  const std::string text = RemoveCharacters(JisX0208Corpus(), "ゎゐゑゝゞ");
  ASSERT_GT(text.size(), 13000u);

  const std::string dir = testing::TempDir();
  std::ofstream(dir + "/bricks-in.txt", std::ios::binary) << text;
  ASSERT_EQ(
      std::system(("nkf -S -s -x --katakana " + dir + "/bricks-in.txt > " + dir + "/bricks-nkf.txt")
                      .c_str()),
      0);
  std::ifstream nkfOut(dir + "/bricks-nkf.txt", std::ios::binary);
  const std::string expected{std::istreambuf_iterator<char>(nkfOut),
                             std::istreambuf_iterator<char>()};

  const std::string actual = m_bricks.Run(text);
  EXPECT_NE(actual, text);
  const auto difference =
      std::mismatch(actual.begin(), actual.end(), expected.begin(), expected.end());
  EXPECT_TRUE(actual == expected) << "first difference at byte "
                                  << difference.first - actual.begin();
}

}  // namespace
