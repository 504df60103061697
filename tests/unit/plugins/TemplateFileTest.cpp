// Markwell's data file, compiled in directly: what a failing rewrite leaves behind.

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>

#include "platform/FileBytes.h"
#include "plugins/markwell/TemplateFile.h"
#include "tests/support/TempDir.h"

namespace {

TEST(TemplateFile, AFailedRewriteKeepsEveryTemplate) {
  const TempDir dir;
  const std::string path = dir.file("wpi.dat");
  ASSERT_TRUE(markwell::WriteTemplateLine(path, 3, "kept"));
  std::string before;
  ASSERT_EQ(ReadWholeFile(path, before), 0);

  // A file-size limit below the file's size, as a full disk would: the write fails.
  const auto rewriteWithLimit = [&path] {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{64, 64};
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0) return 2;
    return markwell::WriteTemplateLine(path, 0, std::string(100, 'x')) ? 1 : 0;
  };
  EXPECT_EXIT(std::_Exit(rewriteWithLimit()), testing::ExitedWithCode(0), "");
  std::string after;
  EXPECT_EQ(ReadWholeFile(path, after), 0);
  EXPECT_EQ(after, before);
  EXPECT_EQ(markwell::ReadTemplateLine(path, 3), "kept");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1)
      << "a temporary file is left";
}

}  // namespace
