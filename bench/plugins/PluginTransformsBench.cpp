// The four plug-in transforms on 16 MB Japanese texts, against memcpy and strlen of
// the same text in the same run. Throughput is counted in input bytes.
#include <benchmark/benchmark.h>
#include <iconv.h>

#include <cstring>
#include <initializer_list>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "plugins/bricks/Katakana.h"
#include "plugins/cooer/BabyTalk.h"
#include "plugins/markwell/MarkwellPage.h"
#include "plugins/plainer/RemoveMarkup.h"

namespace {

constexpr std::size_t kTextBytes = 16u << 20;

std::string ToCp932(std::string_view utf8) {
  iconv_t cd = iconv_open("CP932", "UTF-8");
  std::string out(utf8.size() * 2, '\0');
  char* in = const_cast<char*>(utf8.data());
  std::size_t inLeft = utf8.size();
  char* o = out.data();
  std::size_t outLeft = out.size();
  const bool failed = iconv(cd, &in, &inLeft, &o, &outLeft) == static_cast<std::size_t>(-1);
  iconv_close(cd);
  if (failed) {
    throw std::runtime_error("iconv failed on a benchmark piece");
  }
  out.resize(out.size() - outLeft);
  return out;
}

/// Pieces drawn at random (fixed seed) until the text holds 16 MB.
std::string Compose(std::initializer_list<const char*> utf8Pieces) {
  std::vector<std::string> pieces;
  for (const char* piece : utf8Pieces) {
    pieces.push_back(ToCp932(piece));
  }
  std::mt19937 random(932);
  std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
  std::string text;
  text.reserve(kTextBytes + 256);
  while (text.size() < kTextBytes) {
    text += pieces[pick(random)];
  }
  text.resize(kTextBytes);
  return text;
}

#define JAPANESE_PIECES                                                                     \
  "吾輩は猫である。", "名前はまだ無い。", "どこで生れたかとんと見当がつかぬ。",             \
      "何でも薄暗いじめじめした所でニャーニャー泣いていた事だけは記憶している。",         \
      "すしを食べたよ。", "そうだ。", "行かないけど。", "あれとか。", "これだぞ。",         \
      "ファイルを保存しますか？", "２０２４年３月１５日", "東京都千代田区", "（注）",       \
      "ﾊﾝｶｸｶﾀｶﾅ", "version 2.1 ", "、", "\r\n", "\r\n", "　", "＝＝＝", "う゛ぁいおりん"

const std::string& PlainText() {
  static const std::string text = Compose({JAPANESE_PIECES});
  return text;
}

const std::string& HtmlText() {
  static const std::string text =
      Compose({JAPANESE_PIECES, "<p>", "</p>\r\n", "<b>", "</b>", "<a href=\"x.html\">", "</a>",
               "<!-- 注釈 -->", "&amp;", "&lt;", "&gt;", "&quot;", "&nbsp;"});
  return text;
}

template <typename Transform>
void Run(benchmark::State& state, const std::string& text, Transform transform) {
  for (auto _ : state) {
    std::string result = transform(text);
    benchmark::DoNotOptimize(result.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

void BM_MemcpyBaseline(benchmark::State& state) {
  const std::string& text = PlainText();
  std::string copy(text.size(), '\0');
  for (auto _ : state) {
    std::memcpy(copy.data(), text.data(), text.size());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

void BM_StrlenBaseline(benchmark::State& state) {
  const std::string& text = PlainText();
  for (auto _ : state) {
    const char* data = text.c_str();
    benchmark::DoNotOptimize(data);
    benchmark::DoNotOptimize(std::strlen(data));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

void BM_Bricks(benchmark::State& state) {
  Run(state, PlainText(), bricks::ToKatakana);
}

void BM_Cooer(benchmark::State& state) {
  Run(state, PlainText(), cooer::ToBabyTalk);
}

void BM_Markwell(benchmark::State& state) {
  Run(state, PlainText(), [](const std::string& text) {
    return markwell::BuildPage(text, "<HTML>\r\n<HEAD>\r\n<TITLE>@title</TITLE>\r\n</HEAD>\r\n<BODY>\r\n",
                               "\r\n</BODY>\r\n</HTML>");
  });
}

void BM_Plainer(benchmark::State& state) {
  Run(state, HtmlText(), plainer::RemoveMarkup);
}

}  // namespace

BENCHMARK(BM_MemcpyBaseline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StrlenBaseline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Bricks)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Cooer)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Markwell)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Plainer)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
