#include "app/CommandLine.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>

namespace {

bool EqualNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

constexpr std::array<std::string_view, 7> kSwitches = {
    "pt", "p", "dde", "Automation", "Embedding", "Unregister", "Unregserver"};

bool IsKnownSwitch(std::string_view name) {
  return std::any_of(kSwitches.begin(), kSwitches.end(),
                     [name](std::string_view s) { return EqualNoCase(s, name); });
}

}  // namespace

CommandLineInfo ParseCommandLine(const std::vector<std::string>& args) {
  CommandLineInfo info;
  bool unregister = false;
  int extraParams = 0;  // printer, driver, port after the file name of "pt"
  for (const std::string& arg : args) {
    const bool dashSwitch = arg.size() > 1 && arg[0] == '-';
    const bool slashSwitch = arg.size() > 1 && arg[0] == '/' && IsKnownSwitch(arg.substr(1));
    if (dashSwitch || slashSwitch) {
      const std::string_view name = std::string_view(arg).substr(1);
      if (EqualNoCase(name, "pt")) {
        info.action = CommandLineInfo::Action::FilePrintTo;
      } else if (EqualNoCase(name, "p")) {
        info.action = CommandLineInfo::Action::FilePrint;
      } else if (EqualNoCase(name, "Unregister") || EqualNoCase(name, "Unregserver")) {
        unregister = true;
      } else if (EqualNoCase(name, "Embedding")) {
        info.embedding = true;
      }
      // "dde", "Automation" and unknown switches start the program normally.
      continue;
    }
    if (info.fileName.empty()) {
      info.fileName = arg;
      if (info.action == CommandLineInfo::Action::FileNew)
        info.action = CommandLineInfo::Action::FileOpen;
    } else if (info.action == CommandLineInfo::Action::FilePrintTo && extraParams < 3) {
      std::string* fields[] = {&info.printerName, &info.driverName, &info.portName};
      *fields[extraParams++] = arg;
    }
  }
  const bool printing = info.action == CommandLineInfo::Action::FilePrint ||
                        info.action == CommandLineInfo::Action::FilePrintTo;
  if (printing && info.fileName.empty()) info.action = CommandLineInfo::Action::FileNew;
  if (unregister) info.action = CommandLineInfo::Action::Unregister;
  return info;
}
