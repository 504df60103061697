#include "tests/unit/tools/ToolTestFiles.h"
#include "tools/CommandLineRules.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;

namespace {

TEST(CommandLineRules, QuotedProgramWithArguments) {
  TempFolder dir;
  const std::string program = dir.Program("my tools/run");
  auto command = ResolveCommandLine("  \"" + program + "\" -x \"a b\" c", "");
  ASSERT_TRUE(command);
  EXPECT_EQ(command->program, program);
  EXPECT_THAT(command->argv, ElementsAre(program, "-x", "a b", "c"));

  // An unclosed quote takes the rest of the line as the program.
  command = ResolveCommandLine("\"" + program, "");
  ASSERT_TRUE(command);
  EXPECT_THAT(command->argv, ElementsAre(program));
  EXPECT_FALSE(ResolveCommandLine("\"" + program + " x\"", ""));
}

TEST(CommandLineRules, UnquotedPathWithBlanksTakesTheShortestProgramPrefix) {
  TempFolder dir;
  const std::string root = dir.path();
  const std::string longer = dir.Program("my tools/run");
  auto command = ResolveCommandLine(root + "/my tools/run  one\ttwo", "");
  ASSERT_TRUE(command);
  EXPECT_EQ(command->program, longer);
  EXPECT_THAT(command->argv, ElementsAre(longer, "one", "two"));

  // With a program named by a shorter prefix, that one wins.
  const std::string shorter = dir.Program("my");
  command = ResolveCommandLine(root + "/my tools/run one", "");
  ASSERT_TRUE(command);
  EXPECT_EQ(command->program, shorter);
  EXPECT_THAT(command->argv, ElementsAre(shorter, "tools/run", "one"));

  // Folders and files that may not be run are no programs.
  dir.Program("plain", false);
  EXPECT_FALSE(ResolveCommandLine(root + "/plain", ""));
  EXPECT_FALSE(ResolveCommandLine(root, ""));
  EXPECT_FALSE(ResolveCommandLine(root + "/missing arg", ""));
  EXPECT_FALSE(ResolveCommandLine(" \t ", ""));
}

TEST(CommandLineRules, BareNamesAreLookedUpInTheSearchPathOnly) {
  TempFolder first, second;
  second.Program("tool");
  const std::string found = second.path() / "tool";
  const std::string path = first.path().string() + ":/nonexistent:" + second.path().string();
  auto command = ResolveCommandLine("tool --help", path);
  ASSERT_TRUE(command);
  EXPECT_EQ(command->program, found);
  EXPECT_THAT(command->argv, ElementsAre("tool", "--help"));

  // The first folder that holds it wins.
  first.Program("tool");
  EXPECT_EQ(ResolveCommandLine("tool", path)->program, (first.path() / "tool").string());
  EXPECT_FALSE(ResolveCommandLine("tool", "/nonexistent"));
  EXPECT_FALSE(ResolveCommandLine("no-such-program-here", path));
}

TEST(CommandLineRules, ArgumentsAreSplitLikeShellWords) {
  EXPECT_THAT(SplitArguments(R"(  a 'b  c' "d \"e\" \\ \n" f\ g h"i"'j' '' )"),
              ElementsAre("a", "b  c", R"(d "e" \ \n)", "f g", "hij", ""));
  EXPECT_THAT(SplitArguments("$HOME *.txt ~ a|b;c"), ElementsAre("$HOME", "*.txt", "~", "a|b;c"));
  EXPECT_THAT(SplitArguments("'unclosed  x"), ElementsAre("unclosed  x"));
  EXPECT_THAT(SplitArguments("\"unclosed  x"), ElementsAre("unclosed  x"));
  EXPECT_TRUE(SplitArguments(" \t").empty());
}

}  // namespace
