// The recovery journal's cost in a 16 MB document: one keystroke with the journal
// on against the same keystroke with it off (the event loop runs after each, so
// the journal's snapshot every second is paid for in the figure), and one update
// of the record: what the GUI thread pays (the snapshot, against a copy of the
// whole text), and a key and the update written at once as before a plug-in
// run, with the bytes that adds to the disk.

#include "editor/RecoveryJournal.h"
#include "editor/WEXDoc.h"
#include "editor/WEXView.h"
#include "framework/TextBoundary.h"
#include "settings/SettingsFile.h"
#include "tests/support/TempDir.h"

#include <benchmark/benchmark.h>
#include <sys/stat.h>
#include <QApplication>
#include <QKeyEvent>
#include <filesystem>
#include <memory>

namespace {

constexpr std::size_t kTextBytes = 16u << 20;

// Lines of about 70 bytes of kana, kanji and ASCII, 16 MB in Shift-JIS.
std::string SjisText() {
  const std::string line = TextToSjis(QString::fromUtf8(
      "吾輩は猫である。名前はまだ無い。どこで生れたかとんと見当がつかぬ。abc 123\n"));
  std::string all;
  while (all.size() < kTextBytes) all += line;
  return all;
}

// A 16 MB document, modified, with or without a journal.
struct Editor {
  PluginFileTable plugins = {};
  SettingsFile settings = SettingsFile::InSettingsDirectory();
  CWEXView view{nullptr, nullptr, plugins, settings};
  CWEXDoc doc{settings};
  TempDir dir;
  std::unique_ptr<RecoveryJournal> journal;

  explicit Editor(bool withJournal) {
    view.resize(800, 600);
    view.show();
    doc.SetView(&view);
    view.SetWholeText(SjisText());
    view.SetCaret(view.Buffer().End());
    if (withJournal) journal = std::make_unique<RecoveryJournal>(doc, dir.path());
    view.SetModified(true);
  }
  void Type() {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QApplication::sendEvent(&view, &press);
    QApplication::processEvents();
  }
};

void Keystroke(benchmark::State& state, bool withJournal) {
  Editor editor(withJournal);
  for (auto _ : state) editor.Type();
  if (editor.journal) editor.journal->WaitForWriter();
}

void BM_KeystrokeJournalOff(benchmark::State& state) { Keystroke(state, false); }
void BM_KeystrokeJournalOn(benchmark::State& state) { Keystroke(state, true); }

// The baseline: a copy of the whole text, what a snapshot could cost at most.
void BM_WholeTextCopy(benchmark::State& state) {
  Editor editor(false);
  for (auto _ : state) {
    const text::TextBuffer& text = editor.view.Buffer();
    benchmark::DoNotOptimize(text.Text(text.Whole()));
  }
}

// What the GUI thread pays for each background update, after some typing.
void BM_UpdateSnapshotOnGuiThread(benchmark::State& state) {
  Editor editor(false);
  for (int i = 0; i < 100; ++i) editor.Type();
  for (auto _ : state) benchmark::DoNotOptimize(TakeSnapshot(editor.view.Buffer(), {}, 1, 0));
}

std::uint64_t RecoveryBytes(const std::string& folder) {
  std::uint64_t bytes = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) bytes += entry.file_size();
  return bytes;
}

// A key and the update done at once (snapshot, encoding, checksum, write, flush,
// rename), after the first update has written the loaded text.
void BM_KeyAndUpdateWrittenAtOnce(benchmark::State& state) {
  Editor editor(true);
  editor.journal->UpdateNow();
  const std::string folder = std::filesystem::path(editor.journal->RecordPath()).parent_path();
  const std::uint64_t before = RecoveryBytes(folder);
  for (auto _ : state) {
    editor.Type();
    editor.journal->UpdateNow();
  }
  state.counters["first"] = static_cast<double>(before);
  state.counters["added"] =
      static_cast<double>(RecoveryBytes(folder) - before) / static_cast<double>(state.iterations());
}

BENCHMARK(BM_KeystrokeJournalOff)->Unit(benchmark::kMicrosecond)->MinTime(3);
BENCHMARK(BM_KeystrokeJournalOn)->Unit(benchmark::kMicrosecond)->MinTime(3);
BENCHMARK(BM_WholeTextCopy)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_UpdateSnapshotOnGuiThread)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_KeyAndUpdateWrittenAtOnce)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
