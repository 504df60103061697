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
  const std::size_t switchCount = SwitchCount(args);
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (i == switchCount) continue;  // the "--" itself
    const bool mayBeSwitch = i < switchCount;
    const bool dashSwitch = mayBeSwitch && arg.size() > 1 && arg[0] == '-';
    const bool slashSwitch =
        mayBeSwitch && arg.size() > 1 && arg[0] == '/' && IsKnownSwitch(arg.substr(1));
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

std::size_t SwitchCount(const std::vector<std::string>& args) {
  return static_cast<std::size_t>(std::find(args.begin(), args.end(), "--") - args.begin());
}

InfoRequest FindInfoRequest(const std::vector<std::string>& args) {
  const auto switches = args.begin() + static_cast<std::ptrdiff_t>(SwitchCount(args));
  for (auto arg = args.begin(); arg != switches; ++arg) {
    if (*arg == "--help") return InfoRequest::Help;
    if (*arg == "--version") return InfoRequest::Version;
  }
  return InfoRequest::None;
}

std::string UsageText() {
  return "使い方: wex [スイッチ] [--] [ファイル名]\n"
         "Usage: wex [switches] [--] [file]\n"
         "\n"
         "  ファイル名                      そのファイルを開きます\n"
         "  file                            open the file\n"
         "  /p ファイル名                   既定のプリンタで印刷して終了します\n"
         "  /p file                         print the file on the default printer and exit\n"
         "  /pt ファイル名 プリンタ ドライバ ポート\n"
         "                                  指定のプリンタで印刷して終了します\n"
         "  /pt file printer driver port    print the file on the named printer and exit\n"
         "  /Unregister, /Unregserver       登録の削除を知らせて終了します\n"
         "                                  report that the registration is removed and exit\n"
         "  --                              これより後はすべてファイル名です\n"
         "                                  every argument after it is a file name\n"
         "  --help                          この説明を表示します / show this help\n"
         "  --version                       バージョンを表示します / show the version\n"
         "\n"
         "スイッチは \"/\" か \"-\" で始め、大文字と小文字を区別しません。\n"
         "Switches start with \"/\" or \"-\"; their case does not matter.\n"
         "\n"
         "ツールキット (Qt) のオプションはツールキットが受け取ります:\n"
         "The toolkit (Qt) takes its own options:\n"
         "  -style スタイル / style, -platform プラットフォーム / platform,\n"
         "  -display ディスプレイ / display, -geometry ジオメトリ / geometry,\n"
         "  -qwindowgeometry ジオメトリ / geometry, -qwindowtitle タイトル / title,\n"
         "  -reverse, -session セッション / session など / and others\n"
         "\n"
         "Wayland のセッションでは、X サーバー (XWayland) があればその上で動きます\n"
         "(常に手前に表示のため)。Wayland のまま動かすには -platform wayland を付けます。\n"
         "In a Wayland session Wex runs on the X server (XWayland) when there is one, so\n"
         "that always on top works; -platform wayland runs it on Wayland itself.\n"
         "\n"
         "詳しくは man wex / See man wex for the files and the environment.\n";
}

std::string VersionText() { return "Wex " WEX_VERSION "\n"; }
