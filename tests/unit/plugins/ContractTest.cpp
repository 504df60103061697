#include <gtest/gtest.h>

#include <vector>

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

TEST_P(ContractTest, NamesItself) {
  EXPECT_EQ(m_library.Name(), GetParam().name);
}

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

INSTANTIATE_TEST_SUITE_P(Delivered, ContractTest,
                         testing::Values(Plugin{"Plainer", 0}, Plugin{"Bricks", 0}, Plugin{"Cooer", 0},
                                         Plugin{"Markwell", 1024}),
                         [](const testing::TestParamInfo<Plugin>& info) { return std::string(info.param.name); });

}  // namespace
