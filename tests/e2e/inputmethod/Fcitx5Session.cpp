#include "tests/e2e/inputmethod/Fcitx5Session.h"

#include "tests/e2e/support/E2E.h"

#include <filesystem>
#include <fstream>

Fcitx5Session::Fcitx5Session() : InputMethodSession("fcitx") {
  std::filesystem::create_directories(configDir() + "/fcitx5");
  std::ofstream(configDir() + "/fcitx5/profile")
      << "[Groups/0]\nName=Default\nDefault Layout=us\nDefaultIM=anthy\n\n"
         "[Groups/0/Items/0]\nName=keyboard-us\nLayout=\n\n"
         "[Groups/0/Items/1]\nName=anthy\nLayout=\n\n"
         "[GroupOrder]\n0=Default\n";
  StartDaemon({"fcitx5"}, {}, [] { return State() >= 0; });
}

int Fcitx5Session::State() {
  const std::string answer = RunCommand("fcitx5-remote 2>/dev/null");
  return answer.size() == 1 && answer[0] >= '0' && answer[0] <= '2' ? answer[0] - '0' : -1;
}
