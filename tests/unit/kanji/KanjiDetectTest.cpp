#include "kanji/KanjiConverter.h"

#include <gtest/gtest.h>

#include <string>

namespace {

int Detect(const std::string& text) {
  CKanjiConverter converter(text.c_str());
  converter.DetectCode();
  return converter.m_nCode;
}

TEST(KanjiDetect, WorkedExamples) {
  EXPECT_EQ(Detect("\xA4\xA2\xA4\xA4xx"), KANJI_EUC);   // kana in EUC-JP
  EXPECT_EQ(Detect("\x82\xA0\x82\xA2xx"), KANJI_SJIS);  // the same kana in Shift-JIS
  EXPECT_EQ(Detect("\x8E\xB1\x8E\xB2xx"), KANJI_SJIS);  // half-width katakana in EUC-JP
  EXPECT_EQ(Detect("\xD0\xA1\xD0\xA1zz"), KANJI_EUC);   // second-level kanji in EUC-JP
  EXPECT_EQ(Detect("\xB1\xB2\xB3xx"), KANJI_EUC);
  EXPECT_EQ(Detect("x\x1B$Bxx"), KANJI_JIS);
  EXPECT_EQ(Detect("plain ASCII text"), KANJI_SJIS);
  EXPECT_EQ(Detect("\x80xx"), KANJI_SJIS);  // a tie (10 against 10) goes to Shift-JIS
}

TEST(KanjiDetect, ShortTextsAreShiftJisWithoutScanning) {
  EXPECT_EQ(Detect(""), KANJI_SJIS);
  EXPECT_EQ(Detect("\xA4"), KANJI_SJIS);
  EXPECT_EQ(Detect("\xA4\xA2"), KANJI_SJIS);
  EXPECT_EQ(Detect("\x1B$"), KANJI_SJIS);
}

TEST(KanjiDetect, EscapeSequences) {
  EXPECT_EQ(Detect("\x1B$B"), KANJI_JIS);  // the window is one byte: the ESC
  EXPECT_EQ(Detect("ab\x1B$B"), KANJI_JIS);
  EXPECT_EQ(Detect("\x1B$@xx"), KANJI_JIS);
  EXPECT_EQ(Detect("\x1B(Bxx"), KANJI_JIS);
  EXPECT_EQ(Detect("\x1B(Jxx"), KANJI_JIS);
  EXPECT_EQ(Detect("\x1B(Ixx"), KANJI_JIS);
  EXPECT_EQ(Detect("\x1B$(Dxx"), KANJI_SJIS);
  EXPECT_EQ(Detect("\x1B$Axx"), KANJI_SJIS);
  EXPECT_EQ(Detect("\x1B(Xxx"), KANJI_SJIS);
  EXPECT_EQ(Detect("xx\x1B"), KANJI_SJIS);
  // The first escape wins over any penalty.
  EXPECT_EQ(Detect("\xA4\xA2\xA4\xA4\x1B(B"), KANJI_JIS);
}

TEST(KanjiDetect, OnlyTheFirst8192BytesAreLookedAt) {
  const std::string padding(8191, 'x');
  EXPECT_EQ(Detect(padding + "\x1B$Bxx"), KANJI_JIS);
  EXPECT_EQ(Detect(padding + "x\x1B$Bxx"), KANJI_SJIS);
  // EUC-JP kana just past the window do not count, however many there are.
  std::string euc = padding + "x";
  for (int i = 0; i < 1000; ++i) euc += "\xA4\xA2";
  EXPECT_EQ(Detect(euc), KANJI_SJIS);
  EXPECT_EQ(Detect(std::string(8190, 'x') + euc.substr(8192)), KANJI_EUC);
}

TEST(KanjiDetect, LeadByteAtTheWindowsLastPosition) {
  // L = 5, N = 3: an EUC-JP lead byte at position 2 is not paired with byte 3, which is
  // judged alone (E = 10 against S = 3). Pairing them would make it EUC-JP.
  EXPECT_EQ(Detect("\xB0\xA1\xB0\xA1x"), KANJI_SJIS);
  // A single shift 2 there costs 10 when the byte after it has its top bit set.
  EXPECT_EQ(Detect("\xB0\xA1\x8E\xB1x"), KANJI_SJIS);
  EXPECT_EQ(Detect("\xB0\xA1\x8E"
                   "Ax"),
            KANJI_EUC);
  // An EUC-JP lead byte at the last position followed by 0x8E: that 0x8E is judged as a
  // single shift against the byte after it (E = 0 or 10 against S = 5).
  EXPECT_EQ(Detect("\xA4\xA2\xA4\xA2\xA4\x8E"
                   "A"),
            KANJI_EUC);
  EXPECT_EQ(Detect("\xA4\xA2\xA4\xA2\xA4\x8E\xB1"), KANJI_SJIS);
  // A Shift-JIS lead byte at the last position: the byte after it is judged alone
  // (0xF0 costs 10, so S = 14 against E = 10); pairing would give S = 4.
  EXPECT_EQ(Detect("\xB0\xA1\xB0\xA1\x88\xF0x"), KANJI_EUC);
}

TEST(KanjiDetect, PenaltyDetails) {
  // EUC-JP pairs from lead 0xD0 cost 1; 0x8E 0xB1 costs 1 as EUC-JP and nothing as
  // Shift-JIS; 0xD0 0xA1 costs 2 as Shift-JIS (two half-width katakana).
  EXPECT_EQ(Detect("\xD0\xA1\x8E\xB1xx"), KANJI_SJIS);  // 2 against 2: a tie
  EXPECT_EQ(Detect("\xCF\xA1\x8E\xB1xx"), KANJI_EUC);   // E = 1, S = 2
  // Shift-JIS pairs from 0x989F cost 1: E = 4, S = 3 + 2.
  EXPECT_EQ(Detect("\xE0\xA1\xE0\xA1\xE0\xA1\xD0\xA1xx"), KANJI_EUC);
  // 0x7F is no Shift-JIS trail byte: 0x88 0x7F costs 10 (S = 6 + 10 against E = 10).
  EXPECT_EQ(Detect("\xB0\xA1\xB0\xA1\xB0\xA1\x88\x7Fxx"), KANJI_EUC);
  // 0xF0-0xFC are no Shift-JIS lead bytes: E = 2, S = 22 (a pair would cost 1 each).
  EXPECT_EQ(Detect("\xF0\xA1\xF0\xA1xx"), KANJI_EUC);
}

TEST(KanjiDetect, RepeatableAndLeavesTheOutputAlone) {
  const std::string text = "\xA4\xA2\xA4\xA4xx";
  CKanjiConverter converter(text.c_str());
  converter.EucToSjis();
  const std::string before = converter.Output();
  converter.DetectCode();
  EXPECT_EQ(converter.m_nCode, KANJI_EUC);
  converter.DetectCode();
  EXPECT_EQ(converter.m_nCode, KANJI_EUC);
  EXPECT_EQ(converter.Output(), before);
}

}  // namespace
