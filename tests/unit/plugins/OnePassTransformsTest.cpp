// Markwell's page body and Cooer's rewriting, compiled in directly: each one-pass
// transform gives what the replacement scan of its rules gives, on texts crowded
// with the bytes that decide a cycle (whole patterns next to each other, CR, LF,
// 0x81, lead bytes before ASCII and at the very end).

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "plugins/common/ReplacementScan.h"
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
    for (std::size_t count = random() % 32; count > 0; --count) text += pieces[random() % pieces.size()];
    ASSERT_EQ(transform(text), scan.Run(text)) << ::testing::PrintToString(text);
  }
}

TEST(OnePassTransforms, MarkwellBodyIsWhatTheScanOfItsRulesGives) {
  ExpectSameAsScan([](std::string_view text) { return markwell::BuildPage(text, "", ""); },
                   markwell::BodyRules(),
                   {"\r", "\n", "<", "\"", "a", " ", "\x81", "\x82", "\x40", "\xA0", "\xE0", "\xFC"});
}

TEST(OnePassTransforms, CooerRewritingIsWhatTheScanOfItsRulesGives) {
  // The characters (Shift-JIS) that patterns start or continue with.
  ExpectSameAsScan(cooer::ToBabyTalk, cooer::BabyTalkRules(),
                   {"\x82\xB3", "\x82\xB5", "\x82\xBA", "\x82\xBD", "\x82\xE6", "\x81\x42", "\x82\xC6",
                    "\x82\xA9", "\x82\xC8", "\x82\xA2", "\x82\xAF", "\x82\xC7", "\x82\xBE", "\x82\xBC",
                    "\x82", "\x81", "a", "\x8E\x82"});
}

}  // namespace
