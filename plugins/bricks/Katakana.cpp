#include "plugins/bricks/Katakana.h"

#include <array>
#include <cstddef>
#include <cstring>

#include "plugins/common/LargeOutput.h"
#include "plugins/common/ShiftJis.h"

namespace bricks {
namespace {

struct Kana {
  std::string_view hiragana;
  std::string_view katakana;
};

// Shift-JIS. "う゛" comes first so that it wins over "う". 「ゎ」「ゐ」「ゑ」 are left
// out on purpose: they stay hiragana.
constexpr Kana kTable[] = {
    {"\x82\xA4\x81\x4A", "\x83\x94"},  // う゛ -> ヴ
    {"\x82\x9F", "\x83\x40"},          // ぁ -> ァ
    {"\x82\xA0", "\x83\x41"},          // あ -> ア
    {"\x82\xA1", "\x83\x42"},          // ぃ -> ィ
    {"\x82\xA2", "\x83\x43"},          // い -> イ
    {"\x82\xA3", "\x83\x44"},          // ぅ -> ゥ
    {"\x82\xA4", "\x83\x45"},          // う -> ウ
    {"\x82\xA5", "\x83\x46"},          // ぇ -> ェ
    {"\x82\xA6", "\x83\x47"},          // え -> エ
    {"\x82\xA7", "\x83\x48"},          // ぉ -> ォ
    {"\x82\xA8", "\x83\x49"},          // お -> オ
    {"\x82\xA9", "\x83\x4A"},          // か -> カ
    {"\x82\xAA", "\x83\x4B"},          // が -> ガ
    {"\x82\xAB", "\x83\x4C"},          // き -> キ
    {"\x82\xAC", "\x83\x4D"},          // ぎ -> ギ
    {"\x82\xAD", "\x83\x4E"},          // く -> ク
    {"\x82\xAE", "\x83\x4F"},          // ぐ -> グ
    {"\x82\xAF", "\x83\x50"},          // け -> ケ
    {"\x82\xB0", "\x83\x51"},          // げ -> ゲ
    {"\x82\xB1", "\x83\x52"},          // こ -> コ
    {"\x82\xB2", "\x83\x53"},          // ご -> ゴ
    {"\x82\xB3", "\x83\x54"},          // さ -> サ
    {"\x82\xB4", "\x83\x55"},          // ざ -> ザ
    {"\x82\xB5", "\x83\x56"},          // し -> シ
    {"\x82\xB6", "\x83\x57"},          // じ -> ジ
    {"\x82\xB7", "\x83\x58"},          // す -> ス
    {"\x82\xB8", "\x83\x59"},          // ず -> ズ
    {"\x82\xB9", "\x83\x5A"},          // せ -> セ
    {"\x82\xBA", "\x83\x5B"},          // ぜ -> ゼ
    {"\x82\xBB", "\x83\x5C"},          // そ -> ソ
    {"\x82\xBC", "\x83\x5D"},          // ぞ -> ゾ
    {"\x82\xBD", "\x83\x5E"},          // た -> タ
    {"\x82\xBE", "\x83\x5F"},          // だ -> ダ
    {"\x82\xBF", "\x83\x60"},          // ち -> チ
    {"\x82\xC0", "\x83\x61"},          // ぢ -> ヂ
    {"\x82\xC1", "\x83\x62"},          // っ -> ッ
    {"\x82\xC2", "\x83\x63"},          // つ -> ツ
    {"\x82\xC3", "\x83\x64"},          // づ -> ヅ
    {"\x82\xC4", "\x83\x65"},          // て -> テ
    {"\x82\xC5", "\x83\x66"},          // で -> デ
    {"\x82\xC6", "\x83\x67"},          // と -> ト
    {"\x82\xC7", "\x83\x68"},          // ど -> ド
    {"\x82\xC8", "\x83\x69"},          // な -> ナ
    {"\x82\xC9", "\x83\x6A"},          // に -> ニ
    {"\x82\xCA", "\x83\x6B"},          // ぬ -> ヌ
    {"\x82\xCB", "\x83\x6C"},          // ね -> ネ
    {"\x82\xCC", "\x83\x6D"},          // の -> ノ
    {"\x82\xCD", "\x83\x6E"},          // は -> ハ
    {"\x82\xCE", "\x83\x6F"},          // ば -> バ
    {"\x82\xCF", "\x83\x70"},          // ぱ -> パ
    {"\x82\xD0", "\x83\x71"},          // ひ -> ヒ
    {"\x82\xD1", "\x83\x72"},          // び -> ビ
    {"\x82\xD2", "\x83\x73"},          // ぴ -> ピ
    {"\x82\xD3", "\x83\x74"},          // ふ -> フ
    {"\x82\xD4", "\x83\x75"},          // ぶ -> ブ
    {"\x82\xD5", "\x83\x76"},          // ぷ -> プ
    {"\x82\xD6", "\x83\x77"},          // へ -> ヘ
    {"\x82\xD7", "\x83\x78"},          // べ -> ベ
    {"\x82\xD8", "\x83\x79"},          // ぺ -> ペ
    {"\x82\xD9", "\x83\x7A"},          // ほ -> ホ
    {"\x82\xDA", "\x83\x7B"},          // ぼ -> ボ
    {"\x82\xDB", "\x83\x7C"},          // ぽ -> ポ
    {"\x82\xDC", "\x83\x7D"},          // ま -> マ
    {"\x82\xDD", "\x83\x7E"},          // み -> ミ
    {"\x82\xDE", "\x83\x80"},          // む -> ム
    {"\x82\xDF", "\x83\x81"},          // め -> メ
    {"\x82\xE0", "\x83\x82"},          // も -> モ
    {"\x82\xE1", "\x83\x83"},          // ゃ -> ャ
    {"\x82\xE2", "\x83\x84"},          // や -> ヤ
    {"\x82\xE3", "\x83\x85"},          // ゅ -> ュ
    {"\x82\xE4", "\x83\x86"},          // ゆ -> ユ
    {"\x82\xE5", "\x83\x87"},          // ょ -> ョ
    {"\x82\xE6", "\x83\x88"},          // よ -> ヨ
    {"\x82\xE7", "\x83\x89"},          // ら -> ラ
    {"\x82\xE8", "\x83\x8A"},          // り -> リ
    {"\x82\xE9", "\x83\x8B"},          // る -> ル
    {"\x82\xEA", "\x83\x8C"},          // れ -> レ
    {"\x82\xEB", "\x83\x8D"},          // ろ -> ロ
    {"\x82\xED", "\x83\x8F"},          // わ -> ワ
    {"\x82\xF0", "\x83\x92"},          // を -> ヲ
    {"\x82\xF1", "\x83\x93"},          // ん -> ン
};
static_assert(std::size(kTable) == 81);

// Every single-character entry is 0x82 b -> 0x83 c, so a table indexed by b finds
// the katakana of a hiragana in one step.
constexpr std::array<unsigned char, 256> BuildSecondBytes() {
  std::array<unsigned char, 256> secondBytes{};
  for (std::size_t i = 1; i < std::size(kTable); ++i) {
    secondBytes[static_cast<unsigned char>(kTable[i].hiragana[1])] =
        static_cast<unsigned char>(kTable[i].katakana[1]);
  }
  return secondBytes;
}

constexpr bool SingleEntriesAreRow82To83() {
  for (std::size_t i = 1; i < std::size(kTable); ++i) {
    if (kTable[i].hiragana.size() != 2 || kTable[i].katakana.size() != 2 ||
        kTable[i].hiragana[0] != '\x82' || kTable[i].katakana[0] != '\x83') {
      return false;
    }
  }
  return true;
}
static_assert(SingleEntriesAreRow82To83());

constexpr std::array<unsigned char, 256> kKatakanaSecondByte = BuildSecondBytes();
constexpr Kana kVu = kTable[0];

}  // namespace

std::string ToKatakana(std::string_view text) {
  std::string out = wpi::ReservedOutput(text.size());
  out.resize(text.size());
  auto* o = reinterpret_cast<unsigned char*>(out.data());
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  const unsigned char* end = p + text.size();
  while (p < end) {
    if (*p == 0x82 && end - p >= 2) {
      if (wpi::StartsWith(p, end, kVu.hiragana)) {
        o[0] = static_cast<unsigned char>(kVu.katakana[0]);
        o[1] = static_cast<unsigned char>(kVu.katakana[1]);
        o += 2;
        p += kVu.hiragana.size();
        continue;
      }
      if (const unsigned char second = kKatakanaSecondByte[p[1]]) {
        o[0] = 0x83;
        o[1] = second;
        o += 2;
        p += 2;
        continue;
      }
    }
    const std::size_t length = wpi::CharLength(p, end);
    std::memcpy(o, p, length);
    o += length;
    p += length;
  }
  out.resize(static_cast<std::size_t>(o - reinterpret_cast<unsigned char*>(out.data())));
  return out;
}

}  // namespace bricks
