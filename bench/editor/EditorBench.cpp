// Whole-text operations of the editor on 16 MB texts, each against the bare
// control doing the least it must (QPlainTextEdit::setPlainText / toPlainText
// of the same text), measured in the same run.
//
// Peak memory: "--memory" runs every phase once in a child process of its own
// and prints the child's peak resident size (getrusage ru_maxrss) less that of
// the bare application, so the figures are the phase's own peak.

#include "app/MainFrame.h"
#include "app/Settings.h"
#include "editor/TextBoundary.h"
#include "editor/WEXDoc.h"
#include "editor/WEXView.h"
#include "framework/CommandIds.h"
#include "framework/ModalSeam.h"
#include "framework/StatusBar.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>
#include <functional>
#include <iconv.h>
#include <map>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

constexpr std::size_t kTextBytes = 16u << 20;

std::string Convert(const char* to, const std::string& in) {
  iconv_t cd = iconv_open(to, "CP932");
  std::string out(in.size() * 2, '\0');
  char* inPtr = const_cast<char*>(in.data());
  std::size_t inLeft = in.size();
  char* outPtr = out.data();
  std::size_t outLeft = out.size();
  iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
  iconv_close(cd);
  out.resize(out.size() - outLeft);
  return out;
}

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
  static const std::string text = Convert("EUC-JP", SjisText());
  return text;
}

std::string Dir() { return GetProgramDirectory(); }

void WriteFile(const std::string& path, const std::string& bytes) {
  FILE* f = std::fopen(path.c_str(), "wb");
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

void PrepareFiles() {
  std::string settings = Dir();
  MakeSettingsPath(settings, "Wex.ini");
  WriteSettingInt(settings, "setting", "Kanji_auto", 1);
  WriteFile(Dir() + "/bench-sjis.txt", SjisText());
  WriteFile(Dir() + "/bench-euc.txt", EucText());
}

// The editor's document and view, as the program pairs them.
struct Editor {
  CWEXView view;
  CWEXDoc doc;
  Editor() {
    view.resize(800, 600);
    view.show();
    doc.SetView(&view);
  }
};

// The bare control at the editor's size, shown: the floor's counterpart of Editor.
struct BareEdit {
  QPlainTextEdit edit;
  BareEdit() {
    edit.resize(800, 600);
    edit.show();
  }
  explicit BareEdit(const std::string& sjis) : BareEdit() { edit.setPlainText(SjisToText(sjis)); }
};

// The whole main window, whose status bar gets the caret's line and column.
struct Window {
  CWEXDoc doc;
  CMainFrame frame{&doc};
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

// Each phase: setup (untimed), then the measured work.
const std::map<std::string, std::function<void(const std::function<void(bool)>&)>>& Phases() {
  using Switch = std::function<void(bool)>;  // false: pause timing, true: resume
  static const std::map<std::string, std::function<void(const Switch&)>> phases = {
      {"Floor_SetPlainText_Sjis",
       [](const Switch& timing) {
         timing(false);
         const QString text = SjisToText(SjisText());
         BareEdit bare;
         timing(true);
         bare.edit.setPlainText(text);
       }},
      {"Open_Sjis_WithRecognition",
       [](const Switch& timing) {
         timing(false);
         Editor editor;
         timing(true);
         editor.doc.OnOpenDocument(QString::fromStdString(Dir() + "/bench-sjis.txt"));
       }},
      {"Open_Euc_ConvertOnYes",
       [](const Switch& timing) {
         timing(false);
         Editor editor;
         ModalScript script;
         script.QueueResult(QMessageBox::Yes);
         timing(true);
         editor.doc.OnOpenDocument(QString::fromStdString(Dir() + "/bench-euc.txt"));
       }},
      {"Floor_ToPlainText_Set_Set",
       [](const Switch& timing) {
         timing(false);
         BareEdit bare(EucText());
         QPlainTextEdit& edit = bare.edit;
         timing(true);
         const QString text = edit.toPlainText();
         edit.setPlainText(text);
         edit.setPlainText(text);
       }},
      {"ConvertEucCommand_AndUndo",
       [](const Switch& timing) {
         timing(false);
         Editor editor;
         editor.view.SetWholeText(EucText());
         timing(true);
         editor.view.OnCmdMsg(cmd::ID_EUC_TO_SJIS);
         QCoreApplication::processEvents();
         editor.view.OnCmdMsg(cmd::ID_EDIT_UNDO);
       }},
      {"Floor_ToPlainText",
       [](const Switch& timing) {
         timing(false);
         QPlainTextEdit edit;
         edit.setPlainText(SjisToText(SjisText()));
         timing(true);
         benchmark::DoNotOptimize(edit.toPlainText());
       }},
      {"Floor_CaretToEnd",
       [](const Switch& timing) {
         timing(false);
         BareEdit bare(SjisText());
         QPlainTextEdit& edit = bare.edit;
         timing(true);
         edit.moveCursor(QTextCursor::End);
       }},
      {"CaretToEnd_FirstTime",  // what the key press blocks: one slice of the line count
       [](const Switch& timing) {
         timing(false);
         Window window;
         timing(true);
         window.view().moveCursor(QTextCursor::End);
       }},
      {"CaretToEnd_UntilPaneCounted",  // every paragraph laid out, in slices, for the line number
       [](const Switch& timing) {
         timing(false);
         Window window;
         timing(true);
         window.view().moveCursor(QTextCursor::End);
         WaitForLineColumn(window);
       }},
      {"Floor_Type200AtEnd",
       [](const Switch& timing) {
         timing(false);
         BareEdit bare(SjisText());
         QPlainTextEdit& edit = bare.edit;
         edit.moveCursor(QTextCursor::End);
         timing(true);
         Type(edit);
       }},
      {"Type200AtEnd",
       [](const Switch& timing) {
         timing(false);
         Window window;
         window.view().moveCursor(QTextCursor::End);
         WaitForLineColumn(window);
         timing(true);
         Type(window.view());
       }},
      {"Save",
       [](const Switch& timing) {
         timing(false);
         Editor editor;
         editor.view.SetWholeText(SjisText());
         editor.doc.SetPathName(QString::fromStdString(Dir() + "/bench-out.txt"));
         timing(true);
         editor.doc.DoFileSave();
       }},
  };
  return phases;
}

void RunPhase(benchmark::State& state, const std::string& name) {
  const auto& phase = Phases().at(name);
  for (auto _ : state) {
    phase([&state](bool on) {
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
}

long MaxRssKb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

// Child: one phase once; prints its peak above the bare application's.
int MeasureOne(const std::string& name) {
  const long bare = MaxRssKb();
  if (name != "Bare") Phases().at(name)([](bool) {});
  std::printf("%-28s peak +%6ld MB\n", name.c_str(), (MaxRssKb() - bare) / 1024);
  return 0;
}

int MeasureAll(const char* self) {
  for (const auto& [name, phase] : Phases()) {
    (void)phase;
    std::string arg = "--memory-phase=" + name;
    char* argv[] = {const_cast<char*>(self), arg.data(), nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, "/proc/self/exe", nullptr, nullptr, argv, environ) != 0) return 1;
    int status = 0;
    waitpid(pid, &status, 0);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], "--memory-phase=", 15) == 0) return MeasureOne(argv[i] + 15);
    if (std::strcmp(argv[i], "--memory") == 0) {
      PrepareFiles();
      return MeasureAll(argv[0]);
    }
  }
  PrepareFiles();
  for (const auto& [name, phase] : Phases()) {
    (void)phase;
    benchmark::RegisterBenchmark(name.c_str(), [name](benchmark::State& s) { RunPhase(s, name); })
        ->Unit(benchmark::kMillisecond)
        ->Iterations(3);
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
