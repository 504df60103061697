#include "tools/ToolName.h"

#include <gtest/gtest.h>

TEST(ToolName, FileNameCutAtItsLastDot) {
  EXPECT_EQ(ToolNameFromPath("/usr/bin/grep"), "grep");
  EXPECT_EQ(ToolNameFromPath("/opt/my.tool.exe"), "my.tool");
  EXPECT_EQ(ToolNameFromPath("/opt/v1.2/run"), "run");  // a dot in a folder does not count
  EXPECT_EQ(ToolNameFromPath("/opt/run."), "run");
  EXPECT_EQ(ToolNameFromPath("grep.exe"), "");  // no folder: no name
  EXPECT_EQ(ToolNameFromPath("/opt/"), "");
  // Shift-JIS names: "ソ" and "表" end in the byte 0x5C; "ツール.sh" in a folder "表".
  EXPECT_EQ(ToolNameFromPath("/\x95\x5C/\x83\x5C\x83\x63\x81\x5B\x83\x8B.sh"),
            "\x83\x5C\x83\x63\x81\x5B\x83\x8B");
}
