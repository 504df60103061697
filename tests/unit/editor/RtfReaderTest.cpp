// The rich-text reader: what plain text a "{\rtf" file gives.

#include "editor/RtfReader.h"

#include <gtest/gtest.h>

namespace {

TEST(RtfReader, ParagraphsLinesTabsAndEscapedCharacters) {
  EXPECT_EQ(RtfToText("{\\rtf1\\ansi Hello\\par World\\line x\\tab y\\par}"),
            "Hello\r\nWorld\r\nx\ty\r\n");
  // Source line breaks mean nothing; a backslash before one is a paragraph end.
  EXPECT_EQ(RtfToText("{\\rtf1 a\r\nb\\\nc}"), "ab\r\nc");
  EXPECT_EQ(RtfToText("{\\rtf1 \\\\ \\{ \\} \\~x\\_y\\-z}"), "\\ { }  x-yz");
  // A control word eats one blank as its delimiter, not two.
  EXPECT_EQ(RtfToText("{\\rtf1\\b  bold\\b0 plain}"), " boldplain");
}

TEST(RtfReader, HexBytesAreCodePage932) {
  // "あ" is 82 A0 in Shift-JIS; the two hex escapes make one character.
  EXPECT_EQ(RtfToText("{\\rtf1\\ansicpg932 \\'82\\'a0\\'b1}"), "\x82\xA0\xB1");
  // A NUL byte is never part of the text.
  EXPECT_EQ(RtfToText("{\\rtf1 a\\'00b}"), "ab");
  // A malformed escape is dropped, the text after it stays.
  EXPECT_EQ(RtfToText("{\\rtf1 a\\'zzb\\'4}"), "azzb4");
}

TEST(RtfReader, UnicodeWithFallback) {
  // \u12354 is "あ"; the "?" after it is the fallback for older readers.
  EXPECT_EQ(RtfToText("{\\rtf1 \\u12354?x}"), "\x82\xA0x");
  // Negative values count from 65536; \uc2 skips two fallback characters,
  // where a hex escape counts as one.
  EXPECT_EQ(RtfToText("{\\rtf1\\uc2 \\u-162\\'82\\'a0z}"), "\x81\x60z");  // U+FF5E
}

TEST(RtfReader, UnicodeFallbackEndsWithTheGroup) {
  EXPECT_EQ(RtfToText("{\\rtf1 {\\u12354}b}"),
            "\x82\xA0"
            "b");
  // A character outside Shift-JIS (and a surrogate pair) becomes one "?".
  EXPECT_EQ(RtfToText("{\\rtf1 \\u8364?\\u-10179?\\u-8704?!}"),
            "?"
            "?!");
}

TEST(RtfReader, DestinationsAreSkipped) {
  const std::string rtf =
      "{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil MS Gothic;}}{\\colortbl;\\red255\\green0\\blue0;}"
      "{\\stylesheet{\\s0 Normal;}}{\\info{\\title T}{\\author A}}"
      "{\\*\\generator Writer;}{\\pict\\pngblip 89504e47}"
      "{\\pict\\bin4 }}{x}text{\\*\\unknown {nested}}\\par end}";
  EXPECT_EQ(RtfToText(rtf), "text\r\nend");
}

TEST(RtfReader, MalformedInputNeverFails) {
  EXPECT_EQ(RtfToText(""), "");
  EXPECT_EQ(RtfToText("{\\rtf1 unclosed {group"), "unclosed group");
  EXPECT_EQ(RtfToText("{\\rtf1 a}}} after"), "a");
  EXPECT_EQ(RtfToText("{\\rtf1 x\\"), "x");
  EXPECT_EQ(RtfToText("{\\rtf1 \\bin999999999"), "");
  EXPECT_EQ(RtfToText("{\\rtf1 \\u99999999999999999999 y}"), "?");
  EXPECT_EQ(RtfToText("{\\rtf1 \\u0 a\\u-70000 b}"), "?");
  // Deep nesting costs no stack.
  EXPECT_EQ(RtfToText("{\\rtf1 " + std::string(1'000'000, '{') + "deep"), "deep");
  const std::string longWord = "{\\rtf1 \\" + std::string(100, 'p') + " z}";
  EXPECT_EQ(RtfToText(longWord), "z");
}

TEST(RtfReader, RecognisesOnlyTheExactSignature) {
  EXPECT_TRUE(IsRichText("{\\rtf1 x"));
  EXPECT_TRUE(IsRichText("{\\rtf"));
  EXPECT_FALSE(IsRichText("{\\rt"));
  EXPECT_FALSE(IsRichText("{\\RTF1"));
  EXPECT_FALSE(IsRichText(" {\\rtf1"));
}

}  // namespace
