// CP932 decode and encode throughput on a 16 MB Japanese text, against glibc iconv on
// the same text in the same run. Throughput is counted in CP932 bytes both ways.
#include <benchmark/benchmark.h>
#include <iconv.h>

#include <array>
#include <cstdint>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/Cp932Codec.h"

namespace {

constexpr std::size_t kTextBytes = 16u << 20;

/// Converts all of `in` with iconv; `outCapacity` bytes must be enough.
std::string Iconv(iconv_t cd, std::string_view in, std::size_t outCapacity) {
  std::string out(outCapacity, '\0');
  char* inPtr = const_cast<char*>(in.data());
  std::size_t inLeft = in.size();
  char* outPtr = out.data();
  std::size_t outLeft = out.size();
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) {
    throw std::runtime_error("iconv failed on the benchmark text");
  }
  out.resize(out.size() - outLeft);
  return out;
}

class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv_open failed");
  }
  ~Converter() { iconv_close(cd_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  std::string operator()(std::string_view in, std::size_t outCapacity) const {
    return Iconv(cd_, in, outCapacity);
  }

 private:
  iconv_t cd_;
};

/// Lines of kanji, kana (full and half width), ASCII words and digits, CR LF at each end.
const std::string& JapaneseText() {
  static const std::string text = [] {
    static constexpr std::array<const char*, 24> kPieces = {
        "吾輩は猫である。", "名前はまだ無い。", "どこで生れたかとんと見当がつかぬ。",
        "東京都千代田区丸の内", "テキストエディタ", "プログラムの設定", "漢字と仮名の混在した文章",
        "「こんにちは」と言った。", "（注）", "２０２４年３月１５日", "ﾊﾝｶｸｶﾀｶﾅ", "Shift_JIS ",
        "version 2.1 ", "C:\\Program Files\\Wex ", "1234567890", "、", "。", "データベース",
        "株式会社", "ファイルを開く", "保存しますか？", "①②③", "hello, world ", "　"};
    const Converter toCp932("CP932", "UTF-8");
    std::array<std::string, kPieces.size()> pieces;
    for (std::size_t i = 0; i < kPieces.size(); ++i) pieces[i] = toCp932(kPieces[i], 256);
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
  const Converter decode("UTF-16LE", "CP932");
  for (auto _ : state) benchmark::DoNotOptimize(decode(bytes, 2 * bytes.size()));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

void IconvEncode(benchmark::State& state) {
  const std::string& bytes = JapaneseText();
  const std::string utf16 = Converter("UTF-16LE", "CP932")(bytes, 2 * bytes.size());
  const Converter encode("CP932", "UTF-16LE");
  for (auto _ : state) benchmark::DoNotOptimize(encode(utf16, bytes.size()));
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
