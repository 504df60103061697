#include "tests/e2e/support/Desktop.h"

#include "tests/e2e/support/E2E.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <chrono>
#include <cstdio>
#include <map>
#include <set>
#include <sstream>
#include <thread>
#include <vector>

namespace {

std::string Quoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

void Pause(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// xdotool types a character that the keyboard map lacks by binding it to a spare
// key for that one press and unbinding it at once. The toolkit reads the map anew
// when told that it changed, which may already be after the unbinding: the
// character is then lost. So the characters of a text are bound beforehand, to
// keys of their own that stay bound, and xdotool finds them in the map.
void BindCharacters(const std::string& utf8) {
  static std::vector<int> spare;  // keys without symbols, in this test's X server
  static std::map<char32_t, int> bound;
  static std::size_t next = 0;  // the spare key to take next, round and round
  if (spare.empty()) {
    std::istringstream keys(RunCommand("xmodmap -pke 2>/dev/null"));
    for (std::string line; std::getline(keys, line);) {
      std::istringstream words(line);
      std::string keycode, equals, symbol;
      int code = 0;
      if (words >> keycode >> code >> equals && keycode == "keycode" && !(words >> symbol) &&
          code > 8)
        spare.push_back(code);
    }
    if (spare.empty()) return;
  }
  std::string bindings;
  std::set<int> taken;
  for (char32_t c : QString::fromStdString(utf8).toStdU32String()) {
    if (c < 0x80 || bound.count(c) || taken.size() == spare.size()) continue;
    const int code = spare[next++ % spare.size()];
    std::erase_if(bound, [code](const auto& entry) { return entry.second == code; });
    bound[c] = code;
    taken.insert(code);
    char binding[48];
    std::snprintf(binding, sizeof binding, " -e 'keycode %d = U%04X'", code,
                  static_cast<unsigned>(c));
    bindings += binding;
  }
  if (!bindings.empty()) RunCommand("xmodmap" + bindings + " 2>/dev/null");
}

}  // namespace

void PressKeys(const std::string& window, const std::string& keys, int delayMs) {
  RunCommand("xdotool windowactivate --sync " + window + " key --delay " + std::to_string(delayMs) +
             " " + keys + " 2>/dev/null");
}

void TypeText(const std::string& window, const std::string& text) {
  BindCharacters(text);
  RunCommand("xdotool windowactivate --sync " + window + " type --delay 80 " + Quoted(text) +
             " 2>/dev/null");
}

void ClickAt(const std::string& window, int x, int y) {
  RunCommand("xdotool windowactivate --sync " + window + " mousemove --window " + window + " " +
             std::to_string(x) + " " + std::to_string(y) + " click 1 2>/dev/null");
}

std::string TransientFor(const std::string& window) {
  const std::string property = RunCommand("xprop -id " + window + " WM_TRANSIENT_FOR");
  const std::size_t hex = property.find("0x");
  return hex == std::string::npos ? std::string()
                                  : std::to_string(std::stoul(property.substr(hex), nullptr, 16));
}

bool IsAbove(const std::string& window) {
  return RunCommand("xprop -id " + window + " _NET_WM_STATE").find("_NET_WM_STATE_ABOVE") !=
         std::string::npos;
}

QImage Screenshot(const std::string& window) {
  return QGuiApplication::primaryScreen()
      ->grabWindow(static_cast<WId>(std::stoul(window)))
      .toImage();
}

std::string WaitForMainWindow(const std::string& title) {
  const std::string window = WaitForWindow(title);
  if (window.empty()) return window;
  for (int i = 0; i < 50 && RunCommand("xdotool getactivewindow 2>/dev/null") != window; ++i) {
    RunCommand("xdotool windowactivate --sync " + window + " 2>/dev/null");
    Pause(100);
  }
  Pause(300);  // the toolkit takes the focus after the window manager has given it
  return window;
}
