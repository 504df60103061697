#include <gtest/gtest.h>

#include "tests/unit/plugins/WpiLibrary.h"

namespace {

using wpitest::Sjis;
using wpitest::Utf8;
using wpitest::WpiLibrary;

class CooerTest : public testing::Test {
 protected:
  std::string BabyTalk(std::string_view utf8) const { return Utf8(m_cooer.Run(Sjis(utf8))); }

  WpiLibrary m_cooer{"Cooer"};
};

TEST_F(CooerTest, LispsAndRewritesEndings) {
  EXPECT_EQ(BabyTalk("さしすせそぜ"), "ちゃちちゅちぇちょじぇ");
  EXPECT_EQ(BabyTalk("すしを食べたよ。"), "ちゅちを食べたでちゅよ。");
  EXPECT_EQ(BabyTalk("そうだ。"), "ちょうでちゅ。");
  EXPECT_EQ(BabyTalk("だぞ。"), "でちゅよ。");
  EXPECT_EQ(BabyTalk("行かないけど。"), "行かないでちゅけど。");
}

// A rule is tried once per cycle: "とか。" right after rules 8-11 falls to rule 12.
TEST_F(CooerTest, SecondToKaInACycleBecomesChoka) {
  EXPECT_EQ(BabyTalk("とか。"), "とかでちゅ。");
  EXPECT_EQ(BabyTalk("だ。とか。"), "でちゅ。ちょか。");
  EXPECT_EQ(BabyTalk("ないけど。とか。"), "ないでちゅけど。ちょか。");
  EXPECT_EQ(BabyTalk("たよ。とか。"), "たでちゅよ。とかでちゅ。");
  EXPECT_EQ(BabyTalk("とか。とか。とか。"), "とかでちゅ。ちょか。とかでちゅ。");
  EXPECT_EQ(BabyTalk("さとか。"), "ちゃとかでちゅ。");
}

TEST_F(CooerTest, OtherEndingsAndOtherBytesStayAsTheyAre) {
  EXPECT_EQ(BabyTalk("だ．だ.とか、たよ!"), "だ．だ.とか、たよ!");
  const std::string plain = Sjis("ハローワールド、今日は晴れ。abc\r\n");
  int32_t size = -1;
  EXPECT_EQ(m_cooer.Run(plain, &size), plain);
  EXPECT_EQ(size, static_cast<int32_t>(plain.size()));
  // 「モ」 (83 82) then 「ｳ」 (B3): the bytes 82 B3 in between are not 「さ」.
  EXPECT_EQ(m_cooer.Run("\x83\x82\xB3"), "\x83\x82\xB3");
  EXPECT_EQ(m_cooer.Run("\x82\xB3\x82"), Sjis("ちゃ") + "\x82");
  EXPECT_EQ(m_cooer.Run(""), "");
}

}  // namespace
