#include <gtest/gtest.h>

#include <filesystem>

#include "tests/unit/plugins/ProgramFiles.h"
#include "tests/unit/plugins/WpiLibrary.h"

namespace {

using namespace wpitest;

const std::string kHead = "<HTML>\r\n<HEAD>\r\n<TITLE>";
const std::string kHeadEnd = "</TITLE>\r\n</HEAD>\r\n<BODY>\r\n";
const std::string kFoot = "\r\n</BODY>\r\n</HTML>";

class MarkwellTest : public testing::Test {
 protected:
  void SetUp() override { RemoveMarkwellFiles(); }

  /// The page of `text` with the data file's lines: `head` and `foot` for every template.
  std::string PageWith(const std::string& head, const std::string& foot, const std::string& text) {
    std::string file;
    for (int t = 0; t < 6; ++t) {
      file += head + "\r\n" + foot + "\r\n";
    }
    WriteBytes(ProgramFile("wpi.dat"), file);
    return m_markwell.Run(text);
  }

  std::string Body(const std::string& text) { return PageWith("", "", text); }

  ProgramDirectoryLock m_lock;
  WpiLibrary m_markwell{"Markwell"};
};

TEST_F(MarkwellTest, BuildsThePageFromTheDefaultTemplateItCreates) {
  int32_t size = 0;
  const std::string page = m_markwell.Run("Hello\r\nA<B & C\r\n" + Sjis("＝＝＝"), &size);
  EXPECT_EQ(page, kHead + "Hello" + kHeadEnd + "Hello<BR>\r\nA&lt;B &amp; C<BR>\r\n<HR>" + kFoot);
  EXPECT_EQ(page.size(), 108u);
  EXPECT_EQ(size, 1132);
  EXPECT_EQ(ReadBytes(ProgramFile("wpi.dat")), DefaultDataFile());

  EXPECT_EQ(m_markwell.Run("", &size), kHead + kHeadEnd + kFoot);
  EXPECT_EQ(size, 1092);
}

TEST_F(MarkwellTest, TitleIsTheFirstLineUnescaped) {
  EXPECT_EQ(m_markwell.Run("a<b>&c"), kHead + "a<b>&c" + kHeadEnd + "a&lt;b&gt;&amp;c" + kFoot);
  EXPECT_EQ(m_markwell.Run("\r\nx"), kHead + kHeadEnd + "<BR>\r\nx" + kFoot);
  EXPECT_EQ(m_markwell.Run("t\ry\nz"), kHead + "t" + kHeadEnd + "t<BR>\ry<BR>\nz" + kFoot);
  EXPECT_EQ(PageWith("[@title|@title]", "@title", "T\r\n"), "[T|T]T<BR>\r\n@title");
  // 「　」 is 81 40: its second byte followed by "title" is not "@title".
  EXPECT_EQ(PageWith(Sjis("　title@title"), "", "T"), Sjis("　title") + "TT");
}

TEST_F(MarkwellTest, EscapesTheBodyOneRuleAfterAnotherInEachCycle) {
  EXPECT_EQ(Body("\"q\" 1<2>0 & 3=== "), "&quot;q&quot; 1&lt;2&gt;0 &amp; 3=== ");
  EXPECT_EQ(Body(Sjis("＝＝＝＝")), "<HR>" + Sjis("＝"));
  EXPECT_EQ(Body(Sjis("＝＝＝＝＝＝")), "<HR><HR>");
  EXPECT_EQ(Body(Sjis("ア＝＝＝")), Sjis("ア") + "<HR>");
  EXPECT_EQ(Body("\n\r\n"), "<BR>\n<BR>\r<BR>\n");
  EXPECT_EQ(Body("\r\r\n\n"), "<BR>\r<BR>\r\n<BR>\n");
  // 「＝」 is 81 81; with an odd byte before, 81 81 81 81 81 81 is not at a boundary.
  EXPECT_EQ(Body("\x88\x81\x81\x81\x81\x81\x81"), "\x88\x81\x81\x81\x81\x81\x81");
  EXPECT_EQ(Body(Sjis("日本語の文章。")), Sjis("日本語の文章。"));
}

TEST_F(MarkwellTest, UsesTheTemplateChosenInTheSettingsFile) {
  std::string file;
  for (int k = 0; k < 12; ++k) {
    file += "L" + std::to_string(k) + "\r\n";
  }
  const auto pageWithChoice = [&](const std::string& value) {
    WriteBytes(ProgramFile("wpi.dat"), file);
    WriteBytes(ProgramFile("Wex.ini"), "[Markwell]\r\nTemplate=" + value + "\r\n");
    return m_markwell.Run("x");
  };
  EXPECT_EQ(pageWithChoice("2"), "L4xL5");
  EXPECT_EQ(pageWithChoice("5"), "L10xL11");
  EXPECT_EQ(pageWithChoice("6"), "L0xL1");
  EXPECT_EQ(pageWithChoice("-1"), "L0xL1");
}

TEST_F(MarkwellTest, ReadsDataFileLinesByTheirFirstLineBreakOrCarriageReturn) {
  // Backslash-n is a line break, but not after a character whose second byte is 5C.
  EXPECT_EQ(PageWith("a\\nb\x81\x5Cn", "\\n", "x"), "a\r\nb\x81\x5Cnx\r\n");
  EXPECT_EQ(PageWith("head\rcomment", "foot\r", "x"), "headxfoot");
}

TEST_F(MarkwellTest, CutsOverLongLinesAndKeepsALastLineWithoutLineFeed) {
  std::string hiragana;
  for (int i = 0; i < 600; ++i) {
    hiragana += Sjis("あ");
  }
  // 1023 bytes would end inside the 512th character; the rest is not the next line.
  EXPECT_EQ(PageWith(hiragana, "F", "x"), hiragana.substr(0, 1022) + "xF");

  std::string twelve;
  for (int k = 0; k < 12; ++k) {
    twelve += (k > 0 ? "\r\n" : "") + std::string(k % 2 == 0 ? "H" : "F") + std::to_string(k);
  }
  WriteBytes(ProgramFile("wpi.dat"), twelve + "\r\nextra\r\nlines\r\n");
  WriteBytes(ProgramFile("Wex.ini"), "[Markwell]\r\nTemplate=5\r\n");
  EXPECT_EQ(m_markwell.Run("x"), "H10xF11");
  WriteBytes(ProgramFile("wpi.dat"), twelve);
  EXPECT_EQ(m_markwell.Run("x"), "H10xF11");
  EXPECT_EQ(ReadBytes(ProgramFile("wpi.dat")), twelve);
}

TEST_F(MarkwellTest, CompletesAShortDataFileWithDefaultLines) {
  const std::string five = "L0\r\nL1\r\nL2\r\nL3\r\nL4";
  WriteBytes(ProgramFile("wpi.dat"), five);
  WriteBytes(ProgramFile("Wex.ini"), "[Markwell]\r\nTemplate=2\r\n");
  EXPECT_EQ(m_markwell.Run("x"), "L4x" + kFoot);
  std::string expected = five + "\r\n" + kDefaultFootLine + "\r\r\n";
  for (int t = 3; t < 6; ++t) {
    expected += kDefaultHeadLine + "\r\r\n" + kDefaultFootLine + "\r\r\n";
  }
  EXPECT_EQ(ReadBytes(ProgramFile("wpi.dat")), expected);
}

TEST_F(MarkwellTest, UnreadableDataFileLeavesHeadAndFootEmpty) {
  std::filesystem::create_directory(ProgramFile("wpi.dat"));
  int32_t size = 0;
  EXPECT_EQ(m_markwell.Run("a<b", &size), "a&lt;b");
  EXPECT_EQ(size, 6 + 1024);
}

}  // namespace
