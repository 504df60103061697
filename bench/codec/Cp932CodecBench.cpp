// CP932 decode and encode throughput on a 16 MB Japanese text, against glibc iconv on
// the same text in the same run. Throughput is counted in CP932 bytes both ways.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/Cp932Codec.h"
#include "tests/support/Iconv.h"

namespace {

constexpr std::size_t kTextBytes = 16u << 20;

/// `in` converted by `cd`; the benchmark's texts always convert.
std::string_view Converted(Iconv& cd, std::string_view in) {
  const std::optional<std::string_view> out = cd.Convert(in);
  if (!out) throw std::runtime_error("iconv failed on the benchmark text");
  return *out;
}

/// Lines of kanji, kana (full and half width), ASCII words and digits, CR LF at each end.
const std::string& JapaneseText() {
  static const std::string text = [] {
    static constexpr std::array<const char*, 24> kPieces = {"吾輩は猫である。",
                                                            "名前はまだ無い。",
                                                            "どこで生れたかとんと見当がつかぬ。",
                                                            "東京都千代田区丸の内",
                                                            "テキストエディタ",
                                                            "プログラムの設定",
                                                            "漢字と仮名の混在した文章",
                                                            "「こんにちは」と言った。",
                                                            "（注）",
                                                            "２０２４年３月１５日",
                                                            "ﾊﾝｶｸｶﾀｶﾅ",
                                                            "Shift_JIS ",
                                                            "version 2.1 ",
                                                            "C:\\Program Files\\Wex ",
                                                            "1234567890",
                                                            "、",
                                                            "。",
                                                            "データベース",
                                                            "株式会社",
                                                            "ファイルを開く",
                                                            "保存しますか？",
                                                            "①②③",
                                                            "hello, world ",
                                                            "　"};
    Iconv toCp932("CP932", "UTF-8");
    std::array<std::string, kPieces.size()> pieces;
    for (std::size_t i = 0; i < kPieces.size(); ++i) pieces[i] = Converted(toCp932, kPieces[i]);
    std::mt19937 random(932);
    std::string bytes;
    bytes.reserve(kTextBytes + 256);
    while (bytes.size() < kTextBytes) {
      const int length = 2 + static_cast<int>(random() % 12);
      for (int k = 0; k < length; ++k) bytes += pieces[random() % pieces.size()];
      bytes += "\r\n";
    }
    return bytes;
  }();
  return text;
}

void CodecDecode(benchmark::State& state, cp932::LineEnds lineEnds) {
  const std::string& bytes = JapaneseText();
  std::u16string text(bytes.size(), u'\0');
  for (auto _ : state) {
    benchmark::DoNotOptimize(cp932::DecodeTo(bytes, text.data(), lineEnds));
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

void CodecEncode(benchmark::State& state, cp932::LineEnds lineEnds) {
  const std::string& bytes = JapaneseText();
  const std::u16string text = cp932::Decode(bytes, lineEnds);
  std::string out(2 * text.size(), '\0');
  for (auto _ : state) {
    benchmark::DoNotOptimize(cp932::EncodeTo(text, out.data(), lineEnds));
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

void IconvDecode(benchmark::State& state) {
  const std::string& bytes = JapaneseText();
  Iconv decode("UTF-16LE", "CP932");
  for (auto _ : state) benchmark::DoNotOptimize(Converted(decode, bytes));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

void IconvEncode(benchmark::State& state) {
  const std::string& bytes = JapaneseText();
  Iconv decode("UTF-16LE", "CP932");
  const std::string utf16(Converted(decode, bytes));
  Iconv encode("CP932", "UTF-16LE");
  for (auto _ : state) benchmark::DoNotOptimize(Converted(encode, utf16));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

using cp932::LineEnds;
constexpr auto kMs = benchmark::kMillisecond;
BENCHMARK_CAPTURE(CodecDecode, Keep, LineEnds::Keep)->Unit(kMs);
BENCHMARK_CAPTURE(CodecDecode, Paragraphs, LineEnds::Paragraphs)->Unit(kMs);
BENCHMARK(IconvDecode)->Unit(kMs);
BENCHMARK_CAPTURE(CodecEncode, Keep, LineEnds::Keep)->Unit(kMs);
BENCHMARK_CAPTURE(CodecEncode, Paragraphs, LineEnds::Paragraphs)->Unit(kMs);
BENCHMARK(IconvEncode)->Unit(kMs);

}  // namespace

BENCHMARK_MAIN();
