#include <gtest/gtest.h>

#include "tests/unit/plugins/WpiLibrary.h"

namespace {

using wpitest::Sjis;
using wpitest::WpiLibrary;

class PlainerTest : public testing::Test {
 protected:
  WpiLibrary m_plainer{"Plainer"};
};

TEST_F(PlainerTest, RemovesTagsAndCommentsToTheirFirstEnd) {
  EXPECT_EQ(m_plainer.Run("a<b>c</b>d"), "acd");
  EXPECT_EQ(m_plainer.Run("x<!-- <p>note</p> -->y"), "xy");
  EXPECT_EQ(m_plainer.Run("a<!-->b-->c"), "ac");
  EXPECT_EQ(m_plainer.Run("a<b title=\">\">c"), "a\">c");
  EXPECT_EQ(m_plainer.Run("a<b<c>d"), "ad");
  EXPECT_EQ(m_plainer.Run("1 > 0<br>"), "1 > 0");
  EXPECT_EQ(m_plainer.Run("ab<cd"), "ab");
  EXPECT_EQ(m_plainer.Run("ab<!-- c>d -- >"), "ab");
  EXPECT_EQ(m_plainer.Run("ab<!-"), "ab");
}

TEST_F(PlainerTest, DecodesEntitiesBeforeRemovingTags) {
  EXPECT_EQ(m_plainer.Run("&lt;b&gt;bold&lt;/b&gt;"), "bold");
  EXPECT_EQ(m_plainer.Run("a &gt; b"), "a > b");
  EXPECT_EQ(m_plainer.Run("5 &lt; 6"), "5 ");
  EXPECT_EQ(m_plainer.Run("&quot;q&quot; &amp; r"), "\"q\" & r");
  EXPECT_EQ(m_plainer.Run("&amp;lt;"), "&lt;");
  EXPECT_EQ(m_plainer.Run("x&lt;&lt;"), "x");
  EXPECT_EQ(m_plainer.Run("x&amp;&lt;"), "x&");
  EXPECT_EQ(m_plainer.Run("&nbsp;&#38;&LT;&Amp;&lt&"), "&nbsp;&#38;&LT;&Amp;&lt&");
}

TEST_F(PlainerTest, WorksByteWiseOnShiftJis) {
  EXPECT_EQ(m_plainer.Run(Sjis("<p>日本語の「テキスト」だ。</p>\r\n<!--注-->ソ&amp;表")),
            Sjis("日本語の「テキスト」だ。\r\nソ&表"));
  // No markup byte can be a second byte, so a lone lead byte does not hide one.
  EXPECT_EQ(m_plainer.Run("\x82&amp;\x82<b>"), "\x82&\x82");
}

TEST_F(PlainerTest, TextWithoutMarkupComesBackWithItsOwnLength) {
  const std::string text = Sjis("ただの文章です。\r\n二行目 > 1");
  int32_t size = -1;
  EXPECT_EQ(m_plainer.Run(text, &size), text);
  EXPECT_EQ(size, static_cast<int32_t>(text.size()));
}

}  // namespace
