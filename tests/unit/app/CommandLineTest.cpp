#include "app/CommandLine.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using Action = CommandLineInfo::Action;

TEST(CommandLine, FileNamesAndSwitches) {
  EXPECT_EQ(ParseCommandLine({}).action, Action::FileNew);

  CommandLineInfo open = ParseCommandLine({"/home/user/a b.txt", "second.txt"});
  EXPECT_EQ(open.action, Action::FileOpen);
  EXPECT_EQ(open.fileName, "/home/user/a b.txt");  // an absolute path is not a switch

  CommandLineInfo print = ParseCommandLine({"/P", "memo.txt"});
  EXPECT_EQ(print.action, Action::FilePrint);
  EXPECT_EQ(print.fileName, "memo.txt");

  CommandLineInfo printTo = ParseCommandLine({"-pt", "memo.txt", "lp0", "drv", "port", "extra"});
  EXPECT_EQ(printTo.action, Action::FilePrintTo);
  EXPECT_EQ(printTo.printerName, "lp0");
  EXPECT_EQ(printTo.driverName, "drv");
  EXPECT_EQ(printTo.portName, "port");

  // Printing with nothing to print starts normally.
  EXPECT_EQ(ParseCommandLine({"/p"}).action, Action::FileNew);
}

TEST(CommandLine, UnregisterWinsAndEmbeddingSilencesIt) {
  CommandLineInfo unregister = ParseCommandLine({"memo.txt", "/unregister"});
  EXPECT_EQ(unregister.action, Action::Unregister);
  EXPECT_FALSE(unregister.embedding);

  CommandLineInfo silent = ParseCommandLine({"-Unregserver", "-embedding"});
  EXPECT_EQ(silent.action, Action::Unregister);
  EXPECT_TRUE(silent.embedding);

  for (const char* sw : {"/dde", "/Automation", "/Embedding", "-whatever"})
    EXPECT_EQ(ParseCommandLine({sw}).action, Action::FileNew) << sw;
  // "/whatever" is not a known switch, so it names a file in the root.
  EXPECT_EQ(ParseCommandLine({"/whatever"}).action, Action::FileOpen);
}

TEST(CommandLine, DoubleDashEndsTheSwitches) {
  CommandLineInfo dash = ParseCommandLine({"--", "-notes.txt"});
  EXPECT_EQ(dash.action, Action::FileOpen);
  EXPECT_EQ(dash.fileName, "-notes.txt");

  // Switches before it still count; after it even a known switch is a name.
  CommandLineInfo printTo = ParseCommandLine({"/pt", "--", "-a.txt", "/p", "--", "-port"});
  EXPECT_EQ(printTo.action, Action::FilePrintTo);
  const std::vector<std::string> fields{printTo.fileName, printTo.printerName, printTo.driverName,
                                        printTo.portName};
  EXPECT_EQ(fields, (std::vector<std::string>{"-a.txt", "/p", "--", "-port"}));
  EXPECT_EQ(ParseCommandLine({"--", "/Unregister"}).action, Action::FileOpen);
  EXPECT_EQ(ParseCommandLine({"--"}).action, Action::FileNew);

  EXPECT_EQ(SwitchCount({"-style", "x", "--", "--"}), 2u);
  EXPECT_EQ(SwitchCount({"a", "b"}), 2u);
}

TEST(CommandLine, HelpAndVersionOnlyAmongTheSwitches) {
  EXPECT_EQ(FindInfoRequest({"memo.txt", "--help"}), InfoRequest::Help);
  EXPECT_EQ(FindInfoRequest({"--version", "--help"}), InfoRequest::Version);
  EXPECT_EQ(FindInfoRequest({"--", "--help"}), InfoRequest::None);
  EXPECT_EQ(FindInfoRequest({"-help", "/help", "--Help"}), InfoRequest::None);
  EXPECT_THAT(VersionText(), testing::MatchesRegex("Wex [0-9]+\\.[0-9.]+\n"));
  const std::string usage = UsageText();
  for (const char* shown : {"/p ", "/pt ", "/Unregister", "--help", "--version", "-style",
                            "-display", "使い方", "Usage"})
    EXPECT_NE(usage.find(shown), std::string::npos) << shown;
}

}  // namespace
