#include "plugins/cooer/BabyTalk.h"

#include "plugins/common/ReplacementScan.h"

namespace cooer {
namespace {

// Shift-JIS. Rules 8 and 12 share a pattern: which one takes "とか。" depends on
// where in a cycle of the scan it is met (right after rules 8-11 it is rule 12).
constexpr wpi::Rule kRules[] = {
    {"\x82\xB3", "\x82\xBF\x82\xE1"},                                  // さ -> ちゃ
    {"\x82\xB5", "\x82\xBF"},                                          // し -> ち
    {"\x82\xB7", "\x82\xBF\x82\xE3"},                                  // す -> ちゅ
    {"\x82\xB9", "\x82\xBF\x82\xA5"},                                  // せ -> ちぇ
    {"\x82\xBB", "\x82\xBF\x82\xE5"},                                  // そ -> ちょ
    {"\x82\xBA", "\x82\xB6\x82\xA5"},                                  // ぜ -> じぇ
    {"\x82\xBD\x82\xE6\x81\x42", "\x82\xBD\x82\xC5\x82\xBF\x82\xE3\x82\xE6\x81\x42"},  // たよ。 -> たでちゅよ。
    {"\x82\xC6\x82\xA9\x81\x42", "\x82\xC6\x82\xA9\x82\xC5\x82\xBF\x82\xE3\x81\x42"},  // とか。 -> とかでちゅ。
    {"\x82\xC8\x82\xA2\x82\xAF\x82\xC7\x81\x42",
     "\x82\xC8\x82\xA2\x82\xC5\x82\xBF\x82\xE3\x82\xAF\x82\xC7\x81\x42"},  // ないけど。 -> ないでちゅけど。
    {"\x82\xBE\x81\x42", "\x82\xC5\x82\xBF\x82\xE3\x81\x42"},          // だ。 -> でちゅ。
    {"\x82\xBE\x82\xBC\x81\x42", "\x82\xC5\x82\xBF\x82\xE3\x82\xE6\x81\x42"},  // だぞ。 -> でちゅよ。
    {"\x82\xC6\x82\xA9\x81\x42", "\x82\xBF\x82\xE5\x82\xA9\x81\x42"},  // とか。 -> ちょか。
};

}  // namespace

std::string ToBabyTalk(std::string_view text) {
  static const wpi::ReplacementScan scan(kRules);
  return scan.Run(text);
}

}  // namespace cooer
