#include "tests/unit/tools/ToolTestFiles.h"
#include "tools/StartProgram.h"

#include <gtest/gtest.h>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <sstream>
#include <thread>

namespace {

bool WaitForExit(const StartedProgram& program) {
  for (int i = 0; i < 500 && !program.HasExited(); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  return program.HasExited();
}

std::string ReadAll(const std::filesystem::path& file) {
  std::ifstream in(file);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(StartProgram, RunsTheProgramWithItsArgumentsInTheCurrentDirectory) {
  TempFolder dir;
  // The recorder, copied into a folder whose name holds a blank, started unquoted.
  const std::filesystem::path recorder = dir.path() / "my tools" / "recorder";
  std::filesystem::create_directories(recorder.parent_path());
  std::filesystem::copy_file(TOOL_RECORDER, recorder);
  const std::filesystem::path record = dir.path() / "record.txt";
  ::setenv("WEX_RECORD", record.c_str(), 1);
  const std::filesystem::path cwd = std::filesystem::current_path();
  std::filesystem::current_path(dir.path());

  auto started = StartProgram(recorder.string() + " 'one two' \"$HOME\" *");
  std::filesystem::current_path(cwd);
  ASSERT_TRUE(started);
  EXPECT_GT(started->pid, 0);
  ASSERT_TRUE(WaitForExit(*started));
  EXPECT_EQ(ReadAll(record),
            recorder.string() + "\none two\n$HOME\n*\n" + dir.path().string() + "\n");
  ::unsetenv("WEX_RECORD");
}

TEST(StartProgram, NothingStartsWithoutAProgram) {
  TempFolder dir;
  EXPECT_FALSE(StartProgram(""));
  EXPECT_FALSE(StartProgram((dir.path() / "missing").string()));
  EXPECT_FALSE(StartProgram(dir.Program("plain", false)));
  // Executable but not a program the system can run: refused, not handed to a shell.
  const std::filesystem::path text = dir.path() / "text";
  std::ofstream(text) << "touch " << (dir.path() / "ran").string() << "\n";
  std::filesystem::permissions(text, std::filesystem::perms::owner_all);
  EXPECT_FALSE(StartProgram(text.string()));
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "ran"));
}

TEST(StartProgram, AnIgnoredChildSignalDoesNotEndARunningTool) {
  // With SIGCHLD ignored the kernel reaps the tool itself and the wait for it
  // reports "no such child": the tool still counts as running until it is gone.
  const auto previous = std::signal(SIGCHLD, SIG_IGN);
  auto started = StartProgram("/bin/sleep 0.5");
  ASSERT_TRUE(started);
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  EXPECT_FALSE(started->HasExited());
  EXPECT_TRUE(WaitForExit(*started));
  std::signal(SIGCHLD, previous);
}

}  // namespace
