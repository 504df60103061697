// EUC-JP and JIS to Shift-JIS against glibc iconv on the same 16 MB Japanese text, and
// recognition on a 64 MB text against an 8 KB one. Prints the ratios at the end.

#include "kanji/KanjiConverter.h"
#include "tests/support/JapaneseText.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <stdexcept>
#include <string>

namespace {

struct Texts {
  std::string sjis, euc, jis;
};

const Texts& JapaneseTexts() {
  static const Texts texts = [] {
    using namespace kanji_test;
    const auto chars = Encodable(Encodable(Cp932Characters(), "EUC-JP"), "ISO-2022-JP");
    Texts t;
    t.sjis = MixedText(16 << 20, chars, false);
    const auto euc = Convert(t.sjis, "EUC-JP", "CP932");
    const auto jis = Convert(t.sjis, "ISO-2022-JP", "CP932");
    if (!euc || !jis) throw std::runtime_error("iconv cannot encode the test text");
    t.euc = *euc;
    t.jis = *jis;
    return t;
  }();
  return texts;
}

void Converter(benchmark::State& state, const std::string& source,
               const char* (CKanjiConverter::*convert)()) {
  CKanjiConverter converter(source.c_str());
  (converter.*convert)();  // touches the output buffer once, as iconv's is below
  for (auto _ : state) benchmark::DoNotOptimize((converter.*convert)());
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * source.size()));
}

void Iconv(benchmark::State& state, const std::string& source, const char* from) {
  kanji_test::Iconv cd("CP932", from);
  cd.Convert(source);
  for (auto _ : state) benchmark::DoNotOptimize(cd.Convert(source));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * source.size()));
}

void BM_EucToSjis(benchmark::State& s) {
  Converter(s, JapaneseTexts().euc, &CKanjiConverter::EucToSjis);
}
void BM_IconvEucToCp932(benchmark::State& s) { Iconv(s, JapaneseTexts().euc, "EUC-JP"); }
void BM_JisToSjis(benchmark::State& s) {
  Converter(s, JapaneseTexts().jis, &CKanjiConverter::JisToSjis);
}
void BM_IconvJisToCp932(benchmark::State& s) { Iconv(s, JapaneseTexts().jis, "ISO-2022-JP"); }

// Recognition on the EUC-JP text: the scoring runs in full, no escape cuts it short.
void DetectCode(benchmark::State& state, std::size_t bytes) {
  std::string text = JapaneseTexts().euc;
  while (text.size() < bytes) text += JapaneseTexts().euc;
  text.resize(bytes);
  CKanjiConverter converter(text.c_str());
  for (auto _ : state) {
    converter.DetectCode();
    benchmark::DoNotOptimize(converter.m_nCode);
  }
  if (converter.m_nCode != KANJI_EUC) state.SkipWithError("not recognised as EUC-JP");
}

void BM_DetectCode8KB(benchmark::State& s) { DetectCode(s, 8 << 10); }
void BM_DetectCode64MB(benchmark::State& s) { DetectCode(s, 64 << 20); }

BENCHMARK(BM_EucToSjis)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IconvEucToCp932)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JisToSjis)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IconvJisToCp932)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DetectCode8KB);
BENCHMARK(BM_DetectCode64MB);

// Console output plus, at the end, how many times faster (in CPU time, which other
// processes on the machine disturb less) each first run is than its baseline.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) m_times[run.benchmark_name()] = run.GetAdjustedCPUTime();
    ConsoleReporter::ReportRuns(runs);
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    Ratio("BM_EucToSjis", "BM_IconvEucToCp932");
    Ratio("BM_JisToSjis", "BM_IconvJisToCp932");
    Ratio("BM_DetectCode64MB", "BM_DetectCode8KB");
  }

 private:
  void Ratio(const std::string& ours, const std::string& baseline) {
    if (m_times.count(ours) && m_times.count(baseline)) {
      std::printf("%s takes 1/%.2f of the time of %s\n", ours.c_str(),
                  m_times[baseline] / m_times[ours], baseline.c_str());
    }
  }
  std::map<std::string, double> m_times;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
}
