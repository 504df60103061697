// The plug-in example of the README's plug-in section builds with its own one-line command
// (without a warning) and works in the editor's calling sequence.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "tests/unit/plugins/WpiLibrary.h"

namespace {

using wpitest::WpiLibrary;

std::string Between(const std::string& text, const std::string& open, const std::string& close) {
  const std::size_t start = text.find(open);
  EXPECT_NE(start, std::string::npos) << open;
  const std::size_t end = text.find(close, start + open.size());
  return text.substr(start + open.size(), end - start - open.size());
}

TEST(ReadmeExampleTest, UpperBuildsWithOneCommandAndWorks) {
  std::ifstream readme(WEX_SOURCE_DIR "/README.md");
  const std::string readmeText{std::istreambuf_iterator<char>(readme),
                               std::istreambuf_iterator<char>()};
  const std::size_t section = readmeText.find("## Writing a plug-in");
  ASSERT_NE(section, std::string::npos);
  const std::string text = readmeText.substr(section);
  const std::string source = Between(text, "```c\n", "```\n");
  std::string command = Between(Between(text, "```sh\n", "```\n"), "", "\n");
  ASSERT_EQ(command.rfind("cc ", 0), 0u) << command;
  command.replace(command.find("-I plugin_host"), 14, "-I " WEX_SOURCE_DIR "/plugin_host");

  const std::string dir = testing::TempDir() + "/readme-example";
  ASSERT_EQ(std::system(("rm -rf " + dir + " && mkdir -p " + dir).c_str()), 0);
  std::ofstream(dir + "/upper.c") << source;
  ASSERT_EQ(std::system(("cd " + dir + " && " + command + " -Wall -Wextra -Werror").c_str()), 0)
      << command;

  WpiLibrary upper("Upper", dir);
  EXPECT_EQ(upper.Name(), "Upper");
  char untouched[8] = "rest";
  EXPECT_EQ(upper.Transport(untouched), 0);
  EXPECT_STREQ(untouched, "rest");
  // 「ハ」 is 83 6E and 「表」 95 5C: second bytes that look like "n" and "\\".
  int32_t size = -1;
  EXPECT_EQ(upper.Run("abc \x83\x6E\x95\x5Cxyz\r\n", &size), "ABC \x83\x6E\x95\x5CXYZ\r\n");
  EXPECT_EQ(size, 13);
  EXPECT_EQ(upper.Run("a\x83"), "A\x83");
}

}  // namespace
