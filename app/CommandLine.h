#pragma once
// The command line as the program reads it. Plain C++.
//
// A switch starts with "-", or with "/" followed by one of the known switch
// names; any other argument is a file name (so an absolute path such as
// "/home/a.txt" is a file, not a switch). Switch names compare without case.

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
