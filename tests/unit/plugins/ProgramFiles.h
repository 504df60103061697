#pragma once
// The files Markwell keeps in the program directory (the test executable's own).

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/unit/plugins/WpiLibrary.h"

namespace wpitest {

inline std::string ProgramFile(const char* name) {
  return ProgramDirectoryLock::ProgramDirectory() + "/" + name;
}

inline std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

/// Removes the data file and the settings file (whatever they are).
inline void RemoveMarkwellFiles() {
  std::filesystem::remove_all(ProgramFile("wpi.dat"));
  std::filesystem::remove_all(ProgramFile("Wex.ini"));
}

inline const std::string kDefaultHeadLine =
    "<HTML>\\n<HEAD>\\n<TITLE>@title</TITLE>\\n</HEAD>\\n<BODY>\\n";
inline const std::string kDefaultFootLine = "\\n</BODY>\\n</HTML>";

/// The data file as the plug-in first writes it: six default templates, each line
/// followed by CR CR LF.
inline std::string DefaultDataFile() {
  std::string file;
  for (int t = 0; t < 6; ++t) {
    file += kDefaultHeadLine + "\r\r\n" + kDefaultFootLine + "\r\r\n";
  }
  return file;
}

}  // namespace wpitest
