#include "plugins/cooer/BabyTalk.h"

#include <array>
#include <cstring>

#include "plugins/common/LargeOutput.h"
#include "plugins/common/ShiftJis.h"

namespace cooer {
namespace {

// Shift-JIS. Rules 8 and 12 share a pattern: which one takes "とか。" depends on
// where in a cycle of the scan it is met (right after rules 8-11 it is rule 12).
constexpr wpi::Rule kRules[] = {
    {"\x82\xB3", "\x82\xBF\x82\xE1"},  // さ -> ちゃ
    {"\x82\xB5", "\x82\xBF"},          // し -> ち
    {"\x82\xB7", "\x82\xBF\x82\xE3"},  // す -> ちゅ
    {"\x82\xB9", "\x82\xBF\x82\xA5"},  // せ -> ちぇ
    {"\x82\xBB", "\x82\xBF\x82\xE5"},  // そ -> ちょ
    {"\x82\xBA", "\x82\xB6\x82\xA5"},  // ぜ -> じぇ
    {"\x82\xBD\x82\xE6\x81\x42",
     "\x82\xBD\x82\xC5\x82\xBF\x82\xE3\x82\xE6\x81\x42"},  // たよ。 -> たでちゅよ。
    {"\x82\xC6\x82\xA9\x81\x42",
     "\x82\xC6\x82\xA9\x82\xC5\x82\xBF\x82\xE3\x81\x42"},  // とか。 -> とかでちゅ。
    {"\x82\xC8\x82\xA2\x82\xAF\x82\xC7\x81\x42",
     "\x82\xC8\x82\xA2\x82\xC5\x82\xBF\x82\xE3\x82\xAF\x82\xC7\x81\x42"},  // ないけど。 ->
                                                                           // ないでちゅけど。
    {"\x82\xBE\x81\x42", "\x82\xC5\x82\xBF\x82\xE3\x81\x42"},  // だ。 -> でちゅ。
    {"\x82\xBE\x82\xBC\x81\x42",
     "\x82\xC5\x82\xBF\x82\xE3\x82\xE6\x81\x42"},  // だぞ。 -> でちゅよ。
    {"\x82\xC6\x82\xA9\x81\x42", "\x82\xBF\x82\xE5\x82\xA9\x81\x42"},  // とか。 -> ちょか。
};
// Rules 8 and 12 by their index: "とか。" is rule 12 when rule 8, 9, 10 or 11
// matched right before it in the same cycle, else rule 8.
constexpr int kToka = 7;
constexpr int kTokaAfterAnEnding = 11;
static_assert(kRules[kToka].pattern == kRules[kTokaAfterAnEnding].pattern);

// The rules, by the second byte of the 0x82 character that starts them: the
// first one there, or -1. Each pattern's first character starts no other
// pattern, except "だ" ("だ。", "だぞ。") and the two "とか。".
constexpr std::array<int, 256> BuildFirstRules() {
  std::array<int, 256> first{};
  first.fill(-1);
  for (int i = static_cast<int>(std::size(kRules)) - 1; i >= 0; --i) {  // the first wins
    first[static_cast<unsigned char>(kRules[i].pattern[1])] = i;
  }
  return first;
}
constexpr std::array<int, 256> kFirstRule = BuildFirstRules();

// The rule that stands at `at`, whose first character is that of `first`: the
// rules are tried in table order, and in the cycle where rule `last` matched
// just before, those up to it wait for the next cycle, which matters for
// "とか。" alone.
int RuleAt(std::string_view at, int first, int last) {
  for (int i = first; i < static_cast<int>(std::size(kRules)); ++i) {
    if (kRules[i].pattern[1] == kRules[first].pattern[1] && at.starts_with(kRules[i].pattern)) {
      return i == kToka && last >= kToka && last < kTokaAfterAnEnding ? kTokaAfterAnEnding : i;
    }
  }
  return -1;
}

// The replacements padded to 16 bytes, the longest of them, so that each is one
// copy of a fixed size.
constexpr std::size_t kPiece = 16;
constexpr std::array<std::array<char, kPiece>, std::size(kRules)> BuildPieces() {
  std::array<std::array<char, kPiece>, std::size(kRules)> pieces{};
  for (std::size_t i = 0; i < std::size(kRules); ++i) {
    kRules[i].replacement.copy(pieces[i].data(), kPiece);
  }
  return pieces;
}
constexpr auto kPieces = BuildPieces();

}  // namespace

std::span<const wpi::Rule> BabyTalkRules() { return kRules; }

// The replacement scan of kRules in one pass, character by character: every
// pattern starts with a hiragana (0x82 and a second byte), so only those are
// looked at, and the cycle of the scan shows only in which rule takes "とか。".
std::string ToBabyTalk(std::string_view text) {
  const auto* t = reinterpret_cast<const unsigned char*>(text.data());
  const std::size_t size = text.size();
  std::string out = wpi::ReservedOutput(size + size / 2 + 16);
  out.resize(size + size / 2 + 16);
  std::size_t used = 0;
  int last = -1;  // the rule that matched last in the cycle under way, or -1
  std::size_t i = 0;
  while (i < size) {
    if (out.size() - used < kPiece) {
      out.resize(out.size() + out.size() / 2 + kPiece);
      wpi::PreferHugePages(out);
    }
    const int first = t[i] == 0x82 && i + 1 < size ? kFirstRule[t[i + 1]] : -1;
    const int rule = first < 0 ? -1 : RuleAt(text.substr(i), first, last);
    if (rule >= 0) {
      std::memcpy(out.data() + used, kPieces[static_cast<std::size_t>(rule)].data(), kPiece);
      used += kRules[rule].replacement.size();
      i += kRules[rule].pattern.size();
    } else {
      // Two bytes whenever there are two: a one-byte character's next byte is
      // written over.
      const std::size_t length = wpi::CharLength(t + i, t + size);
      std::memcpy(out.data() + used, t + i, i + 1 < size ? 2 : 1);
      used += length;
      i += length;
    }
    last = rule;
  }
  out.resize(used);
  return out;
}

}  // namespace cooer
