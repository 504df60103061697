#include "settings/IniText.h"

#include <climits>

#include <gtest/gtest.h>

using namespace std::string_literals;

namespace {

std::string ValueOr(std::string_view text, std::string_view section, std::string_view key,
                    std::string_view missing = "<missing>") {
  return std::string(FindIniValue(text, section, key).value_or(missing));
}

TEST(IniText, LeadingNumber) {
  EXPECT_EQ(ParseLeadingInt("12abc"), 12);
  EXPECT_EQ(ParseLeadingInt("-7"), -7);
  EXPECT_EQ(ParseLeadingInt("abc"), 0);
  EXPECT_EQ(ParseLeadingInt("-"), 0);
  EXPECT_EQ(ParseLeadingInt(""), 0);
  EXPECT_EQ(ParseLeadingInt("+5"), 0);
  EXPECT_EQ(ParseLeadingInt("--1"), 0);
  EXPECT_EQ(ParseLeadingInt("0640"), 640);
  EXPECT_EQ(ParseLeadingInt("1024 px"), 1024);
  EXPECT_EQ(ParseLeadingInt("2147483647"), INT_MAX);
  EXPECT_EQ(ParseLeadingInt("-2147483648"), INT_MIN);
  EXPECT_EQ(ParseLeadingInt("2147483648"), INT_MAX);
  EXPECT_EQ(ParseLeadingInt("-99999999999999999999999"), INT_MIN);
}

TEST(IniText, NamesWithoutCaseAndBlanksTrimmed) {
  const std::string text =
      "[SeTTing]\r\n  sIZE =  3 \r\nPosx=-20\r\n[ font ]\nFaceName\t=\tTerminal\t\n";
  EXPECT_EQ(ValueOr(text, "setting", "Size"), "3");
  EXPECT_EQ(ValueOr(text, "SETTING", "posX"), "-20");
  EXPECT_EQ(ValueOr(text, "Font", "facename"), "Terminal");
  EXPECT_EQ(ValueOr(text, "font", "Size"), "<missing>");
  EXPECT_EQ(ValueOr(text, "tools", "Size"), "<missing>");
  // The second byte of a Shift-JIS character is not a letter: "\x83\x41" and
  // "\x83\x61" are two different katakana.
  const std::string sjis = "[\x83\x41]\r\nk=1\r\n";
  EXPECT_EQ(ValueOr(sjis, "\x83\x41", "K"), "1");
  EXPECT_EQ(ValueOr(sjis, "\x83\x61", "k"), "<missing>");
  // A single-byte character after a double-byte one folds again.
  EXPECT_EQ(ValueOr("[\x83\x41x]\nk=2\n", "\x83\x41X", "k"), "2");
}

TEST(IniText, ValuesAreBytesAndFirstOccurrenceWins) {
  const std::string text =
      "k=outside\r\n"
      "[a]\r\n"
      "v=\x95\x5C\\\"quoted\"=more\r\n"
      "k=first\r\n"
      "k=second\r\n"
      "[b]\r\n"
      "only=b\r\n"
      "[A]\r\n"
      "k=third\r\n"
      "late=found\r\n";
  EXPECT_EQ(ValueOr(text, "a", "v"), "\x95\x5C\\\"quoted\"=more");
  EXPECT_EQ(ValueOr(text, "a", "k"), "first");
  EXPECT_EQ(ValueOr(text, "a", "late"), "found");
  EXPECT_EQ(ValueOr(text, "a", "only"), "<missing>");
  EXPECT_EQ(ValueOr("[a]\r\nempty=\r\n", "a", "empty"), "");
}

TEST(IniText, GarbageIsIgnoredByReads) {
  const std::string text =
      "\x00\xFF\xFE garbage\r\n"
      "[a\r\n"
      "no equals sign\r\n"
      "[a]\r\n"
      "\x81\r\n"
      "=no key\r\n"
      "k\r\n"
      "k=1\x00tail\r\n"s
      "\r\r\n";
  EXPECT_EQ(ValueOr(text, "a", "k"), "1\x00tail"s);
  EXPECT_EQ(ValueOr(text, "a", "no equals sign"), "<missing>");
  EXPECT_EQ(ValueOr(text, "a", ""), "<missing>");
  EXPECT_EQ(ValueOr(text, "", "k"), "<missing>");
}

TEST(IniText, WriteReplacesOnlyTheValue) {
  const std::string text = "[a]\nx = 1\ny=2\r\n";
  EXPECT_EQ(SetIniValue(text, "A", "X", "10"), "[a]\nx =10\ny=2\r\n");
  EXPECT_EQ(SetIniValue(text, "a", "y", ""), "[a]\nx = 1\ny=\r\n");
  EXPECT_EQ(SetIniValue("[a]\r\nx=1", "a", "x", "22"), "[a]\r\nx=22");
}

TEST(IniText, WriteAppendsKeysToTheirSectionAndSectionsToTheEnd) {
  EXPECT_EQ(SetIniValue("", "setting", "Size", "1"), "[setting]\r\nSize=1\r\n");
  EXPECT_EQ(SetIniValue("[a]\r\nx=1\r\n\r\n[b]\r\ny=2\r\n", "a", "z", "3"),
            "[a]\r\nx=1\r\nz=3\r\n\r\n[b]\r\ny=2\r\n");
  // The first section of the name gets it; garbage counts as part of the section.
  EXPECT_EQ(SetIniValue("[a]\nnoise\n[b]\n[a]\n", "a", "z", "3"), "[a]\nnoise\nz=3\r\n[b]\n[a]\n");
  EXPECT_EQ(SetIniValue("[a]\r\nx=1", "a", "z", "3"), "[a]\r\nx=1\r\nz=3\r\n");
  EXPECT_EQ(SetIniValue("[a]\r\nx=1", "b", "z", "3"), "[a]\r\nx=1\r\n[b]\r\nz=3\r\n");
  EXPECT_EQ(SetIniValue("[a]\n", " b ", " z ", " 3"), "[a]\n[b]\r\nz= 3\r\n");
}

TEST(IniText, WriteKeepsEveryOtherByte) {
  const std::string garbage =
      "\xEF\xBB\xBFjunk line\n"
      "\x00\x01\x02\xFF\r\n"s
      "[setting]\r\n"
      "no equals sign here\r\n"
      "Size=1\r\n"
      "\x81\x40\x82\xA0=\x95\x5C\r\n"
      "  [broken\r\n"
      "Size=second\r\n"
      "trailing\r";
  std::string expected = garbage;
  expected.replace(expected.find("Size=1") + 5, 1, "2");
  EXPECT_EQ(SetIniValue(garbage, "setting", "size", "2"), expected);
}

TEST(IniText, NamesThatCannotBeStoredAreRefusedAndValuesCutAtLineBreaks) {
  const std::string text = "[a]\r\nx=1\r\n";
  EXPECT_FALSE(SetIniValue(text, "", "x", "1"));
  EXPECT_FALSE(SetIniValue(text, "a", " ", "1"));
  EXPECT_FALSE(SetIniValue(text, "a", "x=y", "1"));
  EXPECT_FALSE(SetIniValue(text, "a", "[x]", "1"));
  EXPECT_FALSE(SetIniValue(text, "a\r\n[b", "x", "1"));
  EXPECT_FALSE(SetIniValue(text, "a", "x\ny", "1"));
  EXPECT_FALSE(SetIniValue(text, "a", "x\0"s, "1"));
  EXPECT_EQ(SetIniValue(text, "a", "x", "2\r\n[tools]\r\nfile_1=evil"), "[a]\r\nx=2\r\n");
  EXPECT_EQ(SetIniValue(text, "a", "x", "3\0tail"s), "[a]\r\nx=3\r\n");
  // A section name may hold "]": the last one closes it.
  const auto odd = SetIniValue("", "a]b", "k", "v");
  ASSERT_TRUE(odd);
  EXPECT_EQ(ValueOr(*odd, "a]b", "k"), "v");
}

}  // namespace
