#include <gtest/gtest.h>

#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "tests/support/Sanitizers.h"
#include "tests/unit/plugins/WpiLibrary.h"

namespace {

using wpitest::WpiLibrary;

// Markwell reports 1024 bytes more than its result; the others the exact length.
struct Plugin {
  const char* name;
  int32_t slack;
};

class ContractTest : public testing::TestWithParam<Plugin> {
 protected:
  wpitest::ProgramDirectoryLock m_lock;  // Markwell reads its files in GetSize
  WpiLibrary m_library{GetParam().name};
};

TEST_P(ContractTest, NamesItself) { EXPECT_EQ(m_library.Name(), GetParam().name); }

TEST_P(ContractTest, TransportWithoutPendingResultWritesNothing) {
  std::vector<char> buffer(64, '\x7F');
  const std::vector<char> untouched = buffer;
  EXPECT_EQ(m_library.Transport(buffer.data()), 0);
  EXPECT_EQ(buffer, untouched);

  const int32_t size = m_library.GetSize("abc");
  ASSERT_GE(size, 3);
  std::vector<char> first(static_cast<std::size_t>(size) + WPI_OUTPUT_SLACK);
  EXPECT_EQ(m_library.Transport(first.data()), 1);
  EXPECT_EQ(m_library.Transport(buffer.data()), 0);
  EXPECT_EQ(buffer, untouched);
}

TEST_P(ContractTest, ResultFillsTheReportedSizeWithFourBytesLeft) {
  const std::string text = "x\r\ny";
  const int32_t size = m_library.GetSize(text);
  ASSERT_GE(size, GetParam().slack);
  std::vector<char> buffer(static_cast<std::size_t>(size) + WPI_OUTPUT_SLACK, '\x7F');
  ASSERT_EQ(m_library.Transport(buffer.data()), 1);
  const std::size_t length = static_cast<std::size_t>(size - GetParam().slack);
  EXPECT_EQ(std::string(buffer.data()).size(), length);
  EXPECT_EQ(buffer[length], '\0');
  for (std::size_t i = length + 1; i < buffer.size(); ++i) {
    EXPECT_EQ(buffer[i], '\x7F') << "byte " << i << " of " << buffer.size();
  }
}

TEST_P(ContractTest, SecondGetSizeReplacesThePendingResult) {
  m_library.GetSize(std::string(100000, 'a'));
  EXPECT_EQ(m_library.Run("<b>b</b>").find("aaa"), std::string::npos);
}

// No exception may leave an export: one that runs out of memory reports -1 and
// keeps nothing pending, not even an earlier result.
TEST_P(ContractTest, RunningOutOfMemoryGivesMinusOneAndNothingPending) {
  if (kOutOfMemoryCannotBeTested) GTEST_SKIP() << "out of memory ends a sanitizer build";
  const std::string text(32 << 20, 'a');
  const auto runWithLittleMemory = [this, &text] {
    m_library.GetSize("abc");
    long pages = 0;
    FILE* statm = std::fopen("/proc/self/statm", "r");
    const bool read = statm != nullptr && std::fscanf(statm, "%ld", &pages) == 1;
    if (statm != nullptr) std::fclose(statm);
    const rlimit limit{static_cast<rlim_t>(pages) * 4096 + (8 << 20), RLIM_INFINITY};
    if (!read || setrlimit(RLIMIT_AS, &limit) != 0) return 2;
    const int32_t size = m_library.GetSize(text);
    char buffer[8] = {};
    return size == -1 && m_library.Transport(buffer) == 0 ? 0 : 1;
  };
  EXPECT_EXIT(std::_Exit(runWithLittleMemory()), testing::ExitedWithCode(0), "");
}

INSTANTIATE_TEST_SUITE_P(Delivered, ContractTest,
                         testing::Values(Plugin{"Plainer", 0}, Plugin{"Bricks", 0},
                                         Plugin{"Cooer", 0}, Plugin{"Markwell", 1024}),
                         [](const testing::TestParamInfo<Plugin>& info) {
                           return std::string(info.param.name);
                         });

// The host loads a plug-in afresh for every command, so closing one must unload it
// and its state with it.
TEST(Unloading, DlcloseUnloadsEveryDeliveredPlugin) {
  wpitest::ProgramDirectoryLock lock;  // Markwell reads its files in GetSize
  for (const char* name : {"Plainer", "Bricks", "Cooer", "Markwell"}) {
    const std::string path = std::string(WEX_BIN_DIR) + "/" + name + ".wpi";
    {
      WpiLibrary library(name);
      library.Name();
      library.Run("<b>a</b>");
    }
    void* still = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
    EXPECT_EQ(still, nullptr) << name << " stays loaded after dlclose";
    if (still != nullptr) dlclose(still);
  }
}

}  // namespace
