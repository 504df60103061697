#include "tests/e2e/support/Desktop.h"

#include "tests/e2e/support/E2E.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <chrono>
#include <thread>

namespace {

std::string Quoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

void Pause(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

}  // namespace

void PressKeys(const std::string& window, const std::string& keys, int delayMs) {
  RunCommand("xdotool windowactivate --sync " + window + " key --delay " + std::to_string(delayMs) +
             " " + keys + " 2>/dev/null");
}

void TypeText(const std::string& window, const std::string& text) {
  RunCommand("xdotool windowactivate --sync " + window + " type --delay 80 " + Quoted(text) + " 2>/dev/null");
}

void ClickAt(const std::string& window, int x, int y) {
  RunCommand("xdotool windowactivate --sync " + window + " mousemove --window " + window + " " +
             std::to_string(x) + " " + std::to_string(y) + " click 1 2>/dev/null");
}

std::string TransientFor(const std::string& window) {
  const std::string property = RunCommand("xprop -id " + window + " WM_TRANSIENT_FOR");
  const std::size_t hex = property.find("0x");
  return hex == std::string::npos ? std::string() : std::to_string(std::stoul(property.substr(hex), nullptr, 16));
}

bool IsAbove(const std::string& window) {
  return RunCommand("xprop -id " + window + " _NET_WM_STATE").find("_NET_WM_STATE_ABOVE") != std::string::npos;
}

QImage Screenshot(const std::string& window) {
  return QGuiApplication::primaryScreen()->grabWindow(static_cast<WId>(std::stoul(window))).toImage();
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
