#pragma once
// The command line as the program reads it. Plain C++.
//
// A switch starts with "-", or with "/" followed by one of the known switch
// names; any other argument is a file name (so an absolute path such as
// "/home/a.txt" is a file, not a switch). Switch names compare without case.
// "--" ends the switches: every argument after it is a file name or a printer field.
// The toolkit's own options never get here: main hands the toolkit the arguments
// before "--" first and passes on what it leaves.

#include <cstddef>
#include <string>
#include <vector>

struct CommandLineInfo {
  enum class Action { FileNew, FileOpen, FilePrint, FilePrintTo, Unregister };
  Action action = Action::FileNew;
  std::string fileName;
  std::string printerName, driverName, portName;
  bool embedding = false;  // "Embedding": the unregister message is not shown
};

/// Parses the arguments after the program name.
CommandLineInfo ParseCommandLine(const std::vector<std::string>& args);

/// How many of the arguments come before "--" (all of them when there is none).
std::size_t SwitchCount(const std::vector<std::string>& args);

/// "--help" or "--version" before "--": the program prints the text and ends.
enum class InfoRequest { None, Help, Version };
InfoRequest FindInfoRequest(const std::vector<std::string>& args);

/// The usage, in Japanese and in English (UTF-8, for a terminal).
std::string UsageText();
/// "Wex <version>" and a line end.
std::string VersionText();
