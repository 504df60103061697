// Markwell's page body and Cooer's rewriting, compiled in directly: each one-pass
// transform gives what the replacement scan of its rules gives, on texts crowded
// with the bytes that decide a cycle (whole patterns next to each other, CR, LF,
// 0x81, lead bytes before ASCII and at the very end). Markwell's whole page is also
// compared, on markup-dense texts long and short, with a scan written out here cycle
// by cycle.

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "plugins/common/ReplacementScan.h"
#include "plugins/common/ShiftJis.h"
#include "plugins/cooer/BabyTalk.h"
#include "plugins/markwell/MarkwellPage.h"

namespace {

// Texts of up to 32 pieces drawn from `pieces` and every rule's pattern.
void ExpectSameAsScan(const std::function<std::string(std::string_view)>& transform,
                      std::span<const wpi::Rule> rules, std::vector<std::string> pieces) {
  for (const wpi::Rule& rule : rules) pieces.emplace_back(rule.pattern);
  const wpi::ReplacementScan scan(rules);
  std::mt19937 random(2024);
  for (int round = 0; round < 20000; ++round) {
    std::string text;
    for (std::size_t count = random() % 32; count > 0; --count)
      text += pieces[random() % pieces.size()];
    ASSERT_EQ(transform(text), scan.Run(text)) << ::testing::PrintToString(text);
  }
}

// The replacement scan as its cycles are described, without the shortcuts of
// wpi::ReplacementScan.
std::string ScanCycleByCycle(std::string_view text, std::span<const wpi::Rule> rules) {
  std::string out;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t cycleStart = pos;
    for (const wpi::Rule& rule : rules) {
      if (text.substr(pos).starts_with(rule.pattern)) {
        out += rule.replacement;
        pos += rule.pattern.size();
      }
    }
    if (pos == cycleStart) {
      const bool twoBytes =
          wpi::IsLeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size();
      out += text.substr(pos, twoBytes ? 2 : 1);
      pos += twoBytes ? 2 : 1;
    }
  }
  return out;
}

std::string ExpectedPage(std::string_view text, std::string_view head, std::string_view foot) {
  const std::string_view title = text.substr(0, text.find_first_of("\r\n"));
  const wpi::Rule titleRule[] = {{"@title", title}};
  return ScanCycleByCycle(head, titleRule) + ScanCycleByCycle(text, markwell::BodyRules()) +
         std::string(foot);
}

TEST(OnePassTransforms, MarkwellBodyIsWhatTheScanOfItsRulesGives) {
  ExpectSameAsScan(
      [](std::string_view text) { return markwell::BuildPage(text, "", ""); },
      markwell::BodyRules(),
      {"\r", "\n", "<", "\"", "a", " ", "\x81", "\x82", "\x40", "\xA0", "\xE0", "\xFC"});
}

// Lines of tags, entities and kana, as a user's HTML page has them, with the bytes
// that decide a cycle among them; texts from a few bytes (often one line, so the
// title is all of it) to several hundred kilobytes, for which room is made in
// many steps while the page is written.
TEST(OnePassTransforms, MarkwellPageOfMarkupDenseTextIsHeadThenScannedBodyThenFoot) {
  const std::vector<std::string> pieces = {
      "<p class=\"body\">",
      "</p>",
      "<a href=\"x.html\">",
      "&amp;",
      "&lt;",
      "&quot;",
      "&nbsp;",
      ">",
      "\r\n",
      "\n",
      "\r",
      "\n\r\n",
      " ",
      "abc",
      "@title",
      "\x82\xB7\x82\xB5\x82\xF0",  // すしを: second bytes that could be lead bytes
      "\x83\x74\x83\x40\x83\x43",  // ファイ
      "\x81\x42",
      "\x81\x41",
      "\x81\x40",  // 。、and the ideographic space
      "\x81\x81",
      "\x81\x81\x81\x81\x81\x81",  // ＝ and ＝＝＝
      "\x81",
      "\x82",
      "\xE0",
      "\xFC",
      "\x9F",
      "\xB1\xB2",  // lone lead bytes, half-width kana
      "\x82\x3C",
      "\x82\x0D",
      "\x81\x0A",
      "\x81\x22"};  // a lead byte eats a special
  const std::pair<std::string, std::string> templates[] = {
      {"", ""},
      {"<HTML>\r\n<HEAD>\r\n<TITLE>@title</TITLE>\r\n</HEAD>\r\n<BODY>\r\n",
       "\r\n</BODY>\r\n</HTML>"},
      {"@title@title|@titl|\x81@title", "@title"}};
  std::mt19937 random(158);
  for (int round = 0; round < 6000; ++round) {
    const std::size_t count = round % 200 == 0 ? 40000 : random() % 64;
    std::string text;
    for (std::size_t i = 0; i < count; ++i) text += pieces[random() % pieces.size()];
    const auto& [head, foot] = templates[round % std::size(templates)];
    ASSERT_EQ(markwell::BuildPage(text, head, foot), ExpectedPage(text, head, foot))
        << ::testing::PrintToString(text.substr(0, 2000));
  }
}

TEST(OnePassTransforms, CooerRewritingIsWhatTheScanOfItsRulesGives) {
  // The characters (Shift-JIS) that patterns start or continue with.
  ExpectSameAsScan(cooer::ToBabyTalk, cooer::BabyTalkRules(),
                   {"\x82\xB3", "\x82\xB5", "\x82\xBA", "\x82\xBD", "\x82\xE6", "\x81\x42",
                    "\x82\xC6", "\x82\xA9", "\x82\xC8", "\x82\xA2", "\x82\xAF", "\x82\xC7",
                    "\x82\xBE", "\x82\xBC", "\x82", "\x81", "a", "\x8E\x82"});
}

}  // namespace
