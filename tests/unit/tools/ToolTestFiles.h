#pragma once
// Temporary folders and programs for the launch tests.
#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

class TempFolder {
 public:
  const std::filesystem::path& path() const { return path_; }

  /// Creates `relative` (and its folders) as a shell script, executable or not.
  std::string Program(const std::string& relative, bool executable = true) const {
    const std::filesystem::path file = path_ / relative;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file) << "#!/bin/sh\n";
    std::filesystem::permissions(
        file, executable ? std::filesystem::perms::owner_all : std::filesystem::perms::owner_read);
    return file;
  }

 private:
  TempDir dir_;
  std::filesystem::path path_ = dir_.path();
};
