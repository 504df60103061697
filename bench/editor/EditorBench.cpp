// Whole-text operations of the editor on 16 MB texts, each against the bare
// edit control doing the least it must (putting in or reading out the same
// text), measured in the same run.
//
// Each figure is followed by its ratio to the floor. Peak memory: "--memory"
// runs every phase once in a child process of its own, builds the phase's
// input, and then measures how far the measured part raises the resident size.

#include "app/MainFrame.h"
#include "editor/WEXDoc.h"
#include "editor/WEXView.h"
#include "framework/ModalSeam.h"
#include "framework/StatusBar.h"
#include "framework/TextBoundary.h"
#include "kanji/TextFormat.h"
#include "platform/LargeBlocks.h"
#include "resources/CommandIds.h"
#include "settings/Settings.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsKeys.h"
#include "tests/support/Iconv.h"
#include "textview/TextEdit.h"

#include <benchmark/benchmark.h>
#include <unistd.h>
#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr std::size_t kTextBytes = 16u << 20;

// A Japanese text of lines of about 70 bytes: kana, kanji, ASCII.
const std::string& SjisText() {
  static const std::string text = [] {
    const QString line = QString::fromUtf8(
        "吾輩は猫である。名前はまだ無い。どこで生れたかとんと見当がつかぬ。abc 123\n");
    const std::string bytes = TextToSjis(line);
    std::string all;
    while (all.size() < kTextBytes) all += bytes;
    return all;
  }();
  return text;
}

const std::string& EucText() {
  static const std::string text = *Convert(SjisText(), "EUC-JP", "CP932");
  return text;
}

// Eight megabytes of markup in one line, as minified pages are.
const std::string& LongLineText() {
  static const std::string text = [] {
    const std::string piece = "<div class=\"a\">\x93\xfa\x96\x7b\x8c\xea</div>";
    std::string line;
    while (line.size() < (8u << 20)) line += piece;
    return line;
  }();
  return text;
}

// The same text as a Linux file has it: UTF-8 with LF line ends.
const std::string& Utf8Text() {
  static const std::string text = [] {
    std::string utf8 = *Convert(SjisText(), "UTF-8", "CP932");
    std::erase(utf8, '\r');
    return utf8;
  }();
  return text;
}

// A 64 MB UTF-8 file in memory, for recognition.
const std::string& BigUtf8Text() {
  static const std::string text = [] {
    std::string all;
    while (all.size() < (64u << 20)) all += Utf8Text();
    return all;
  }();
  return text;
}

// Recognises `bytes` a thousand times, so that the figure is in milliseconds.
void RecogniseUtf8(const std::string& bytes) {
  for (int i = 0; i < 1000; ++i)
    if (RecognizeEncoding(bytes) != TextEncoding::Utf8) std::abort();
}

std::string Dir() { return GetProgramDirectory(); }

void WriteFile(const std::string& path, const std::string& bytes) {
  FILE* f = std::fopen(path.c_str(), "wb");
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

void PrepareFiles() {
  SettingsFile::InSettingsDirectory().WriteInt(section::kSetting, key::kKanjiAuto, 1);
  WriteFile(Dir() + "/bench-sjis.txt", SjisText());
  WriteFile(Dir() + "/bench-euc.txt", EucText());
  WriteFile(Dir() + "/bench-utf8.txt", Utf8Text());
}

// The editor's document and view, as the program pairs them.
struct Editor {
  PluginFileTable plugins = {};
  SettingsFile settings = SettingsFile::InSettingsDirectory();
  CWEXView view{nullptr, nullptr, plugins, settings};
  CWEXDoc doc{settings};
  Editor() {
    view.resize(800, 600);
    view.show();
    doc.SetView(&view);
  }
};

// The bare control at the editor's size, shown: the floor's counterpart of Editor.
struct BareEdit {
  textview::TextEdit edit;
  BareEdit() {
    edit.resize(800, 600);
    edit.show();
  }
  explicit BareEdit(const std::string& sjis) : BareEdit() { edit.SetText(Utf16(sjis)); }
  static std::u16string Utf16(const std::string& sjis) {
    const QString text = SjisToText(sjis);
    return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
  }
};

// The whole main window, whose status bar gets the caret's line and column.
struct Window {
  SettingsFile settings = SettingsFile::InSettingsDirectory();
  CWEXDoc doc{settings};
  PluginFileTable plugins = {};
  CMainFrame frame{&doc, plugins, settings};
  Window() {
    frame.Create();
    frame.resize(800, 600);
    frame.show();
    frame.View()->SetWholeText(SjisText());
  }
  CWEXView& view() { return *frame.View(); }
};

// Lets the sliced line count run until the caret pane shows it.
void WaitForLineColumn(Window& window) {
  CStatusBar* bar = window.frame.StatusBar();
  const int pane = bar->CommandToIndex(cmd::ID_INDICATOR_LINECOL);
  while (bar->GetPaneText(pane).isEmpty()) QCoreApplication::processEvents();
}

// Types 200 characters at the caret, as key presses and releases.
void Type(QWidget& target) {
  for (int i = 0; i < 200; ++i) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QCoreApplication::sendEvent(&target, &press);
    QCoreApplication::sendEvent(&target, &release);
  }
}

// A phase sets up its input (untimed), then does the measured work. Each phase
// of the editor names the bare control's floor it is compared with.
using Switch = std::function<void(bool)>;  // false: pause timing, true: resume
struct Phase {
  std::string name;
  std::function<void(const Switch&)> run;
  std::string floor;  // empty for a floor
};

// Opens `file` (in the benchmark's folder) answering Yes to the conversion prompt,
// timed until the whole text is in the view or, with `firstScreenful`, until the
// window can show its start.
std::function<void(const Switch&)> OpenConvertingOnYes(const char* file,
                                                       bool firstScreenful = false) {
  return [file, firstScreenful](const Switch& timing) {
    timing(false);
    auto editor = std::make_unique<Editor>();
    ModalScript script;
    script.QueueResult(QMessageBox::Yes);
    timing(true);
    editor->doc.OnOpenDocument(QString::fromStdString(Dir() + file));
    // Untimed, the rest still comes in: its thread must not run into the next phase.
    if (firstScreenful) timing(false);
    editor->doc.CompleteLoad();
    if (!firstScreenful) return;
    editor.reset();
    timing(true);
  };
}

const std::vector<Phase>& Phases() {
  static const std::vector<Phase> phases = {
      {"Floor_SetText_Sjis",
       [](const Switch& timing) {
         timing(false);
         const std::u16string text = BareEdit::Utf16(SjisText());
         BareEdit bare;
         timing(true);
         bare.edit.SetText(text);
       },
       ""},
      {"Open_Sjis_WithRecognition",
       [](const Switch& timing) {
         timing(false);
         Editor editor;
         timing(true);
         editor.doc.OnOpenDocument(QString::fromStdString(Dir() + "/bench-sjis.txt"));
         editor.doc.CompleteLoad();
       },
       "Floor_SetText_Sjis"},
      {"Open_Sjis_FirstScreenful",  // what the window waits for; the rest loads from the event loop
       [](const Switch& timing) {
         timing(false);
         Editor editor;
         timing(true);
         editor.doc.OnOpenDocument(QString::fromStdString(Dir() + "/bench-sjis.txt"));
       },
       "Floor_SetText_Sjis"},
      {"Open_Euc_ConvertOnYes", OpenConvertingOnYes("/bench-euc.txt"), "Floor_SetText_Sjis"},
      // the same text as UTF-8 with LF, a third longer in bytes
      {"Open_Utf8_ConvertOnYes", OpenConvertingOnYes("/bench-utf8.txt"),
       "Open_Sjis_WithRecognition"},
      {"Open_Utf8_FirstScreenful", OpenConvertingOnYes("/bench-utf8.txt", true),
       "Open_Utf8_ConvertOnYes"},
      {"Recognise_Utf8_8KB_x1000",
       [](const Switch& timing) {
         timing(false);
         const std::string head = BigUtf8Text().substr(0, 8192);
         timing(true);
         RecogniseUtf8(head);
       },
       ""},
      {"Recognise_Utf8_64MB_x1000",
       [](const Switch& timing) {
         timing(false);
         const std::string& all = BigUtf8Text();
         timing(true);
         RecogniseUtf8(all);
       },
       "Recognise_Utf8_8KB_x1000"},
      {"Floor_Text_Set_Set",
       [](const Switch& timing) {
         timing(false);
         BareEdit bare(EucText());
         textview::TextEdit& edit = bare.edit;
         timing(true);
         const std::u16string text = edit.Buffer().Text(edit.Buffer().Whole());
         edit.SetText(text);
         QCoreApplication::processEvents();  // the repaint the command's pending events bring
         edit.SetText(text);
       },
       ""},
      {"ConvertEucCommand_AndUndo",
       [](const Switch& timing) {
         timing(false);
         Editor editor;
         editor.view.SetWholeText(EucText());
         timing(true);
         editor.view.OnCmdMsg(cmd::ID_EUC_TO_SJIS);
         QCoreApplication::processEvents();
         editor.view.OnCmdMsg(cmd::ID_EDIT_UNDO);
       },
       "Floor_Text_Set_Set"},
      {"Floor_Text",
       [](const Switch& timing) {
         timing(false);
         BareEdit bare(SjisText());
         timing(true);
         benchmark::DoNotOptimize(bare.edit.Buffer().Text(bare.edit.Buffer().Whole()));
       },
       ""},
      {"Floor_CaretToEnd",
       [](const Switch& timing) {
         timing(false);
         BareEdit bare(SjisText());
         textview::TextEdit& edit = bare.edit;
         timing(true);
         edit.SetCaret(edit.Buffer().End());
       },
       ""},
      {"CaretToEnd_FirstTime",  // what the key press blocks: one slice of the line count
       [](const Switch& timing) {
         timing(false);
         Window window;
         timing(true);
         window.view().SetCaret(window.view().Buffer().End());
       },
       "Floor_CaretToEnd"},
      {"CaretToEnd_UntilPaneCounted",  // every paragraph laid out, in slices, for the line number
       [](const Switch& timing) {
         timing(false);
         Window window;
         timing(true);
         window.view().SetCaret(window.view().Buffer().End());
         WaitForLineColumn(window);
       },
       "Floor_CaretToEnd"},
      {"Floor_Type200AtEnd",
       [](const Switch& timing) {
         timing(false);
         BareEdit bare(SjisText());
         textview::TextEdit& edit = bare.edit;
         edit.SetCaret(edit.Buffer().End());
         timing(true);
         Type(edit);
       },
       ""},
      {"Type200AtEnd",
       [](const Switch& timing) {
         timing(false);
         Window window;
         window.view().SetCaret(window.view().Buffer().End());
         WaitForLineColumn(window);
         timing(true);
         Type(window.view());
       },
       "Floor_Type200AtEnd"},
      {"LongLine8MB_KeyAtEnd",  // one key at the end of an 8 MB line, until it is painted
       [](const Switch& timing) {
         timing(false);
         Editor editor;
         editor.view.SetWholeText(LongLineText());
         editor.view.SetCaret(editor.view.Buffer().End());
         QCoreApplication::processEvents();
         timing(true);
         QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
         QCoreApplication::sendEvent(&editor.view, &press);
         editor.view.viewport()->repaint();
       },
       ""},
      {"Save",
       [](const Switch& timing) {
         timing(false);
         Editor editor;
         editor.view.SetWholeText(SjisText());
         editor.doc.SetPathName(QString::fromStdString(Dir() + "/bench-out.txt"));
         timing(true);
         editor.doc.DoFileSave();
       },
       "Floor_Text"},
      {"Save_Utf8_Lf",
       [](const Switch& timing) {
         timing(false);
         Editor editor;
         editor.view.SetWholeText(SjisText());
         editor.doc.SetPathName(QString::fromStdString(Dir() + "/bench-out.txt"));
         editor.doc.SetFormat({TextEncoding::Utf8, LineEnd::Lf});
         timing(true);
         editor.doc.DoFileSave();
       },
       "Save"},
  };
  return phases;
}

const Phase* FindPhase(const std::string& name) {
  const auto found = std::find_if(Phases().begin(), Phases().end(),
                                  [&name](const Phase& phase) { return phase.name == name; });
  return found == Phases().end() ? nullptr : &*found;
}

// One run of `phase`, timed by its own clock: milliseconds while timing is on.
double TimeOnce(const Phase& phase) {
  using Clock = std::chrono::steady_clock;
  Clock::duration total{};
  Clock::time_point start = Clock::now();
  bool running = true;
  phase.run([&](bool on) {
    if (on && !running) start = Clock::now();
    if (!on && running) total += Clock::now() - start;
    running = on;
  });
  if (running) total += Clock::now() - start;
  return std::chrono::duration<double, std::milli>(total).count();
}

// A phase with a floor runs its floor (untimed by the benchmark, timed on its
// own) before each of its own runs, so that both meet the process in the same
// state; the floor's mean is the counter "floor_ms".
void RunPhase(benchmark::State& state, const Phase& phase) {
  double floorMs = 0;
  for (auto _ : state) {
    if (!phase.floor.empty()) {
      state.PauseTiming();
      floorMs += TimeOnce(*FindPhase(phase.floor));
      QCoreApplication::processEvents();
      state.ResumeTiming();
    }
    phase.run([&state](bool on) {
      if (on)
        state.ResumeTiming();
      else
        state.PauseTiming();
    });
    state.PauseTiming();  // tear-down is not the phase's
    QCoreApplication::processEvents();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kTextBytes));
  if (!phase.floor.empty())
    state.counters["floor_ms"] = floorMs / static_cast<double>(state.iterations());
}

// Each phase's figure and its floor's, and their ratio.
using Figures = std::map<std::string, std::pair<double, double>>;  // phase: figure, floor
void PrintRatios(const Figures& figures, const char* unit) {
  std::printf("\n%-28s %10s %10s  %s\n", "Phase", unit, "floor", "ratio");
  for (const Phase& phase : Phases()) {
    const auto found = figures.find(phase.name);
    if (found == figures.end()) continue;
    const auto [figure, floor] = found->second;
    if (floor >= 1)
      std::printf("%-28s %10.1f %10.1f  %.2fx  (%s)\n", phase.name.c_str(), figure, floor,
                  figure / floor, phase.floor.c_str());
    else
      std::printf("%-28s %10.1f %10.1f  -      (%s)\n", phase.name.c_str(), figure, floor,
                  phase.floor.c_str());
  }
}

// The console's report, and each phase's time per iteration with its floor's.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (const auto floor = run.counters.find("floor_ms"); floor != run.counters.end())
        m_figures[run.run_name.function_name] = {run.GetAdjustedRealTime(), floor->second.value};
    }
  }
  const Figures& Milliseconds() const { return m_figures; }

 private:
  Figures m_figures;
};

// A field of /proc/self/status in kB ("VmRSS", "VmHWM").
long StatusKb(const char* field) {
  FILE* status = std::fopen("/proc/self/status", "r");
  if (!status) return -1;
  char line[256];
  long kb = -1;
  const std::size_t length = std::strlen(field);
  while (std::fgets(line, sizeof line, status)) {
    if (std::strncmp(line, field, length) == 0 && line[length] == ':') {
      kb = std::strtol(line + length + 1, nullptr, 10);
      break;
    }
  }
  std::fclose(status);
  return kb;
}

// Starts the high-water mark of the resident size afresh at the current size.
bool ResetPeak() {
  FILE* clear = std::fopen("/proc/self/clear_refs", "w");
  if (!clear) return false;
  const bool reset = std::fputs("5", clear) >= 0;
  return std::fclose(clear) == 0 && reset;
}

// Child: one phase once. Its input is built first; the peak is what the
// measured part adds to the resident size at the moment it starts.
int MeasureOne(const std::string& name) {
  const Phase* phase = FindPhase(name);
  if (!phase) return 1;
  long start = -1;
  phase->run([&start](bool on) {
    if (on) start = ResetPeak() ? StatusKb("VmRSS") : -1;
  });
  if (start < 0) {
    std::fprintf(stderr, "%s: the peak resident size cannot be reset here\n", name.c_str());
    return 1;
  }
  // The counters behind both figures are updated lazily; a phase that adds
  // nothing may read a few pages below its start.
  std::printf("%ld\n", std::max(0L, StatusKb("VmHWM") - start));
  return 0;
}

// Each phase in a child of its own, so that one phase's memory is not another's.
int MeasureAll() {
  char self[4096];
  const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
  if (length <= 0) return 1;
  self[length] = '\0';
  std::map<std::string, double> megabytes;
  for (const Phase& phase : Phases()) {
    const std::string command = std::string(self) + " --memory-phase=" + phase.name;
    FILE* child = popen(command.c_str(), "r");
    long kb = -1;
    if (!child || std::fscanf(child, "%ld", &kb) != 1 || pclose(child) != 0 || kb < 0) {
      std::fprintf(stderr, "%s: no peak measured\n", phase.name.c_str());
      return 1;
    }
    megabytes[phase.name] = kb / 1024.0;
    std::printf("%-28s peak +%6.1f MB\n", phase.name.c_str(), megabytes[phase.name]);
  }
  Figures figures;
  for (const Phase& phase : Phases()) {
    if (!phase.floor.empty())
      figures[phase.name] = {megabytes.at(phase.name), megabytes.at(phase.floor)};
  }
  PrintRatios(figures, "MB");
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  ReturnLargeBlocksToTheSystem();  // as the program does, for the floors as well
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], "--memory-phase=", 15) == 0) return MeasureOne(argv[i] + 15);
    if (std::strcmp(argv[i], "--memory") == 0) {
      PrepareFiles();
      return MeasureAll();
    }
  }
  PrepareFiles();
  for (const Phase& phase : Phases()) {
    benchmark::RegisterBenchmark(phase.name.c_str(),
                                 [&phase](benchmark::State& s) { RunPhase(s, phase); })
        ->Unit(benchmark::kMillisecond)
        ->Iterations(3);
  }
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  PrintRatios(reporter.Milliseconds(), "ms");
  return 0;
}
