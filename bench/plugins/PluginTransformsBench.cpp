// The four plug-in transforms on 16 MB Japanese texts, against memcpy and strlen of
// the same text in the same run. Throughput is counted in input bytes. Two texts:
// prose, where little is rewritten, and a dense one, where every line holds tags,
// entities and the kana each plug-in rewrites, as a user's HTML page does (and,
// for Markwell, that text as one line, whose title is all of it). Big blocks are
// allocated as in the program. Markwell also runs the dense text under the template
// read from its data file. Prints each transform's speed and its share of memcpy's
// at the end.
//
// RelWithDebInfo on the shared 2-core build machine, big blocks mapped afresh as
// in the program (runs vary by a quarter with the load; memcpy 20-35 GB/s):
// Markwell dense 731-842 MB/s (1/31 of memcpy), one_line 585-758, under the data
// file's template 730, prose 1045-1399; Bricks dense 908, Cooer dense 579-601,
// Plainer dense 632-704. Before results asked for huge pages, every plug-in spent
// most of its time in page faults on its fresh result: Markwell dense 161 MB/s,
// one_line 112, Bricks dense 242, Cooer dense 151, Plainer dense 175.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <initializer_list>
#include <map>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <unistd.h>

#include "platform/LargeBlocks.h"
#include "plugins/bricks/Katakana.h"
#include "plugins/cooer/BabyTalk.h"
#include "plugins/markwell/MarkwellPage.h"
#include "plugins/markwell/TemplateFile.h"
#include "plugins/plainer/RemoveMarkup.h"
#include "tests/support/Iconv.h"

namespace {

constexpr std::size_t kTextBytes = 16u << 20;

std::string ToCp932(std::string_view utf8) {
  std::optional<std::string> out = Convert(utf8, "CP932", "UTF-8");
  if (!out) throw std::runtime_error("iconv failed on a benchmark piece");
  return *std::move(out);
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

#define JAPANESE_PIECES                                                                           \
  "吾輩は猫である。", "名前はまだ無い。", "どこで生れたかとんと見当がつかぬ。",                   \
      "何でも薄暗いじめじめした所でニャーニャー泣いていた事だけは記憶している。",                 \
      "すしを食べたよ。", "そうだ。", "行かないけど。", "あれとか。", "これだぞ。",               \
      "ファイルを保存しますか？", "２０２４年３月１５日", "東京都千代田区", "（注）", "ﾊﾝｶｸｶﾀｶﾅ", \
      "version 2.1 ", "、", "\r\n", "\r\n", "　", "＝＝＝", "う゛ぁいおりん"

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

// Lines each of which has something for every plug-in: tags, a comment and
// entities for Plainer; <, >, &, " and "＝＝＝" for Markwell; hiragana for Bricks;
// さしすせそぜ and the sentence ends for Cooer.
const std::string& DenseText() {
  static const std::string text =
      Compose({"<p class=\"body\">すしを食べたよ。&amp; そうだ。</p>\r\n",
               "<li><a href=\"page.html\">あれとか。</a> &lt;せんせい&gt; 行かないけど。</li>\r\n",
               "<tr><td>これだぞ。</td><td>&quot;ぜんぶ&quot; さしすせそ</td></tr>\r\n",
               "<!-- 注釈 --><b>ファイルを保存しますか？</b>&nbsp;まだ。＝＝＝<br>\r\n",
               "<h2 id=\"s1\">吾輩は猫である。</h2><p>名前はまだ無い。&gt;&gt; したよ。</p>\r\n"});
  return text;
}

// The dense text as one line, as a minified page comes: its title is all of it.
const std::string& DenseOneLineText() {
  static const std::string text = [] {
    std::string oneLine = DenseText();
    std::erase_if(oneLine, [](char c) { return c == '\r' || c == '\n'; });
    return oneLine;
  }();
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

// The first template as the plug-in reads it: from a data file created with the
// default lines in a directory of this run's own, which is removed again.
const std::pair<std::string, std::string>& DataFileTemplate() {
  static const std::pair<std::string, std::string> lines = [] {
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("wex-markwell-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "wpi.dat").string();
    markwell::EnsureTemplateFile(path);
    std::optional<std::string> head = markwell::ReadTemplateLine(path, 0);
    std::optional<std::string> foot = markwell::ReadTemplateLine(path, 1);
    std::filesystem::remove_all(dir);
    if (!head || !foot) throw std::runtime_error("the Markwell data file cannot be read");
    return std::pair(*std::move(head), *std::move(foot));
  }();
  return lines;
}

std::string MarkwellPage(std::string_view text) {
  return markwell::BuildPage(text,
                             "<HTML>\r\n<HEAD>\r\n<TITLE>@title</TITLE>\r\n</HEAD>\r\n<BODY>\r\n",
                             "\r\n</BODY>\r\n</HTML>");
}

std::string MarkwellPageOfDataFileTemplate(std::string_view text) {
  const auto& [head, foot] = DataFileTemplate();
  return markwell::BuildPage(text, head, foot);
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

void BM_Bricks(benchmark::State& state, const std::string& (*text)()) {
  Run(state, text(), bricks::ToKatakana);
}

void BM_Cooer(benchmark::State& state, const std::string& (*text)()) {
  Run(state, text(), cooer::ToBabyTalk);
}

void BM_Markwell(benchmark::State& state, const std::string& (*text)()) {
  Run(state, text(), MarkwellPage);
}

// The dense text under the template read from the data file, as the plug-in has it.
void BM_MarkwellDataFileTemplate(benchmark::State& state) {
  DataFileTemplate();  // the file is read once, outside the timing
  Run(state, DenseText(), MarkwellPageOfDataFileTemplate);
}

void BM_Plainer(benchmark::State& state, const std::string& (*text)()) {
  Run(state, text(), plainer::RemoveMarkup);
}

// Console output plus, at the end, each transform's input bytes per second (CPU
// time, which other processes disturb less) and its share of memcpy's.
class ShareOfMemcpyReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Iteration) {
        m_bytesPerSecond[run.benchmark_name()] = run.counters.at("bytes_per_second");
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    const auto baseline = m_bytesPerSecond.find("BM_MemcpyBaseline");
    if (baseline == m_bytesPerSecond.end()) {
      return;
    }
    for (const auto& [name, bytesPerSecond] : m_bytesPerSecond) {
      std::printf("%-28s %8.0f MB/s  1/%.1f of memcpy\n", name.c_str(), bytesPerSecond / 1e6,
                  baseline->second / bytesPerSecond);
    }
  }

 private:
  std::map<std::string, double> m_bytesPerSecond;
};

}  // namespace

BENCHMARK(BM_MemcpyBaseline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StrlenBaseline)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Bricks, prose, PlainText)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Bricks, dense, DenseText)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Cooer, prose, PlainText)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Cooer, dense, DenseText)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Markwell, prose, PlainText)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Markwell, dense, DenseText)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Markwell, one_line, DenseOneLineText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MarkwellDataFileTemplate)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Plainer, html, HtmlText)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Plainer, dense, DenseText)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  // The plug-ins run inside the program, whose big blocks are mapped afresh:
  // a page's memory is new to the process each time, as it is there.
  ReturnLargeBlocksToTheSystem();
  benchmark::Initialize(&argc, argv);
  ShareOfMemcpyReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
}
