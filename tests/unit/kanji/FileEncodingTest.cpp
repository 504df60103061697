// Files in UTF-8 and UTF-16 converted to Shift-JIS, and the editor's text written
// in every encoding and line end, checked against glibc iconv.

#include "kanji/FileEncoder.h"
#include "kanji/UnicodeText.h"
#include "platform/Cp932Codec.h"
#include "tests/support/JapaneseText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <string>

namespace {

using kanji_test::Convert;

std::u16string U16(const char* utf8) { return DecodeUnicode(utf8, TextEncoding::Utf8); }

// The whole of `text` through FileEncoder in small pieces, as a file is written.
std::string Write(const std::u16string& text, const TextFormat& format) {
  FileEncoder encoder(format);
  std::string out;
  std::size_t next = 0;
  do {
    std::size_t end = std::min(text.size(), next + 3);
    if (end < text.size() && text[end - 1] >= 0xD800 && text[end - 1] <= 0xDBFF) --end;
    std::string chunk(encoder.MaxBytesPerUnit() * (end - next) + 32, '\0');
    std::size_t n =
        encoder.Encode(std::u16string_view(text).substr(next, end - next), chunk.data());
    next = end;
    if (next == text.size()) n += encoder.Finish(chunk.data() + n);
    out.append(chunk, 0, n);
  } while (next < text.size());
  return out;
}

// The whole of `text` through FileEncoder in one piece, as a long text is written.
std::string WriteWhole(const std::u16string& text, const TextFormat& format) {
  FileEncoder encoder(format);
  std::string out(encoder.MaxBytesPerUnit() * text.size() + 32, '\0');
  std::size_t n = encoder.Encode(text, out.data());
  n += encoder.Finish(out.data() + n);
  out.resize(n);
  return out;
}

// The view's text of a file: Shift-JIS decoded with paragraph ends, as the control holds it.
std::u16string ViewText(const std::string& sjis) {
  return cp932::Decode(sjis, cp932::LineEnds::Paragraphs);
}

TEST(UnicodeToShiftJis, ConvertsAndCountsWhatShiftJisCannotHold) {
  // U+301C (wave dash) is CP932's U+FF5E; an emoji, Hangul, a no-break space and a
  // byte that is no UTF-8 have no Shift-JIS form.
  const ShiftJisText text = UnicodeToShiftJis(
      "\xE3\x81\x82\xE3\x80\x9C\xF0\x9F\x98\x80\xED\x95\x9C\xC2\xA0\xF0\x9F\x98\x80\xFF"
      "a\n",
      TextEncoding::Utf8);
  EXPECT_EQ(text.sjis,
            "\x82\xA0\x81\x60\x81\xAC\x81\xAC\x81\xAC\x81\xAC\x81\xAC"
            "a\n");
  EXPECT_EQ(text.replaced, 5u);
  EXPECT_EQ(text.samples, u"😀한\u00A0\uFFFD");  // each one once

  const std::u16string utf16 = u"\uFEFFかな\r\n漢字";
  const std::string le(reinterpret_cast<const char*>(utf16.data()), 2 * utf16.size());
  EXPECT_EQ(UnicodeToShiftJis(le, TextEncoding::Utf16Le).sjis,
            "\x82\xA9\x82\xC8\r\n\x8A\xBF\x8E\x9A");
  const std::string be = *Convert(le, "UTF-16BE", "UTF-16LE");
  EXPECT_EQ(UnicodeToShiftJis(be, TextEncoding::Utf16Be).sjis,
            "\x82\xA9\x82\xC8\r\n\x8A\xBF\x8E\x9A");
  // A lone surrogate and an odd last byte are no characters.
  const ShiftJisText broken = UnicodeToShiftJis(std::string("\x00\xD8"
                                                            "a\0"
                                                            "b",
                                                            5),
                                                TextEncoding::Utf16Le);
  EXPECT_EQ(broken.sjis,
            "\x81\xAC"
            "a\x81\xAC");
  EXPECT_EQ(broken.replaced, 2u);
}

TEST(FileEncoder, UnicodeFilesComeBackByteForByte) {
  // The wave dash and the minus sign as JIS X 0208 has them, as Linux programs write them.
  const std::string utf8 = "#!/usr/bin/perl\nprint \"日本語、ｶﾀｶﾅ①〜−\";\n\n";
  for (const LineEnd lineEnd : kLineEnds) {
    std::string file = utf8;
    if (lineEnd != LineEnd::Lf)
      for (std::size_t at = 0; (at = file.find('\n', at)) != std::string::npos; at += 2)
        file.replace(at, 1, lineEnd == LineEnd::Cr ? "\r" : "\r\n"), at -= lineEnd == LineEnd::Cr;
    const std::string bom = "\xEF\xBB\xBF";
    const std::string le = "\xFF\xFE" + *Convert(file, "UTF-16LE", "UTF-8");
    const std::string be = *Convert(file, "UTF-16BE", "UTF-8");
    const struct {
      std::string bytes;
      TextFormat format;
    } files[] = {
        {file, {TextEncoding::Utf8, lineEnd, true, true}},
        {bom + file, {TextEncoding::Utf8Bom, lineEnd, true, true}},
        {le, {TextEncoding::Utf16Le, lineEnd, true, true}},
        {be, {TextEncoding::Utf16Be, lineEnd, false, true}},
    };
    for (const auto& [bytes, format] : files) {
      const ShiftJisText text = UnicodeToShiftJis(bytes, format.encoding);
      EXPECT_EQ(text.replaced, 0u);
      EXPECT_TRUE(text.jisCodePoints);
      EXPECT_EQ(FirstLineEnd(text.sjis), lineEnd);
      EXPECT_EQ(Write(ViewText(text.sjis), format), bytes) << FormatName(format);
    }
  }
  // A file with CP932's code points (U+FF5E) keeps them.
  const std::string cp932Style = "〜～～\n";
  const ShiftJisText text = UnicodeToShiftJis(cp932Style, TextEncoding::Utf8);
  EXPECT_FALSE(text.jisCodePoints);
  EXPECT_EQ(Write(ViewText(text.sjis), {TextEncoding::Utf8, LineEnd::Lf}), "～～～\n");
  // An empty file keeps its mark.
  EXPECT_EQ(Write(u"", {TextEncoding::Utf8Bom}), "\xEF\xBB\xBF");
  EXPECT_EQ(Write(u"", {TextEncoding::Utf16Be}), "\xFE\xFF");
}

TEST(FileEncoder, EveryEncodingIsWhatIconvWrites) {
  // Kana, kanji, symbols CP932 keeps under other code points, "〓", ASCII; the
  // control's paragraph ends and no-break space.
  const std::u16string view = U16("吾輩は猫である。〜−‖¢£¬―〓\u2029abc \u00A0x\u2029");
  std::u16string canonical = view;
  cp932::MakeRepresentable(canonical);
  // The text as a Linux file has it: JIS X 0208's code points, CR LF made LF.
  const std::string jisStyle = "吾輩は猫である。〜−‖¢£¬―〓\nabc  x\n";
  for (const LineEnd lineEnd : kLineEnds) {
    std::string lines = jisStyle;
    const char* end = lineEnd == LineEnd::CrLf ? "\r\n" : lineEnd == LineEnd::Lf ? "\n" : "\r";
    for (std::size_t at = 0; (at = lines.find('\n', at)) != std::string::npos;
         at += std::strlen(end))
      lines.replace(at, 1, end);
    const std::string cp932Lines = *Convert(lines, "CP932", "UTF-8");
    EXPECT_EQ(Write(canonical, {TextEncoding::ShiftJis, lineEnd}), cp932Lines);
    EXPECT_EQ(Write(canonical, {TextEncoding::Utf8, lineEnd}),
              *Convert(cp932Lines, "UTF-8", "CP932"));
    EXPECT_EQ(Write(canonical, {TextEncoding::Utf16Le, lineEnd}),
              "\xFF\xFE" + *Convert(cp932Lines, "UTF-16LE", "CP932"));
    EXPECT_EQ(Write(canonical, {TextEncoding::EucJp, lineEnd}), *Convert(lines, "EUC-JP", "UTF-8"));
    EXPECT_EQ(Write(canonical, {TextEncoding::Jis, lineEnd}),
              *Convert(lines, "ISO-2022-JP", "UTF-8"));
    EXPECT_EQ(FileEncoder::CountUnholdable(canonical, TextEncoding::EucJp), 0u);
    EXPECT_EQ(FileEncoder::CountUnholdable(canonical, TextEncoding::Jis), 0u);
  }
}

TEST(FileEncoder, CharactersAnEncodingCannotHoldAreCountedAndWrittenAsGeta) {
  // NEC and IBM extensions, half-width katakana, and a byte that is no character.
  const std::u16string text = u"①㈱ｶ" + std::u16string(1, char16_t{0xDC80}) + u"a";
  EXPECT_EQ(FileEncoder::CountUnholdable(text, TextEncoding::EucJp), 3u);  // ① ㈱ and the byte
  EXPECT_EQ(FileEncoder::CountUnholdable(text, TextEncoding::Jis), 4u);    // and ｶ
  EXPECT_EQ(FileEncoder::CountUnholdable(text, TextEncoding::Utf8), 1u);   // the byte
  EXPECT_EQ(FileEncoder::CountUnholdable(text, TextEncoding::ShiftJis), 0u);
  EXPECT_EQ(Write(text, {TextEncoding::EucJp}), *Convert("〓〓ｶ〓a", "EUC-JP", "UTF-8"));
  EXPECT_EQ(Write(text, {TextEncoding::Jis}), *Convert("〓〓〓〓a", "ISO-2022-JP", "UTF-8"));
  EXPECT_EQ(Write(text, {TextEncoding::Utf8}), "①㈱ｶ〓a");
  EXPECT_EQ(Write(text, {TextEncoding::ShiftJis}),
            "\x87\x40\x87\x8A\xB6\x80"
            "a");
  // A character CP932 cannot hold is "?" in every encoding, as in Shift-JIS.
  EXPECT_EQ(Write(u"😀x", {TextEncoding::Utf8}), "?x");
  EXPECT_EQ(Write(u"😀x", {TextEncoding::ShiftJis}), "?x");
}

TEST(FileEncoder, LongPiecesAndEscapeCountsAreRightWhereverTheOddUnitsFall) {
  // In one piece the units go four at a time where they can; in Write's pieces of
  // three, one at a time. Surrogates, escapes and line ends fall at every place of a
  // group of four, and at the end of a text.
  const std::u16string parts[] = {u"a",      u"吾",     u"ｶ",      u"\u2029", u"\n",     u"😀",
                                  u"\xD800", u"\xDC80", u"\xDC0A", u"\u4E02", u"\u00A0", u"~"};
  const TextFormat formats[] = {{TextEncoding::Utf8, LineEnd::Lf},
                                {TextEncoding::Utf8Bom, LineEnd::CrLf},
                                {TextEncoding::Utf8, LineEnd::Cr, true, true}};
  std::mt19937 random(20261208);
  for (int round = 0; round < 500; ++round) {
    std::u16string text;
    for (int k = static_cast<int>(random() % 24); k > 0; --k)
      text += parts[random() % std::size(parts)];
    for (const TextFormat& format : formats)
      ASSERT_EQ(WriteWhole(text, format), Write(text, format))
          << round << " " << FormatName(format);
    const auto escapes = static_cast<std::size_t>(std::count_if(
        text.begin(), text.end(), [](char16_t c) { return c == 0xDC80 || c == 0xDC0A; }));
    ASSERT_EQ(FileEncoder::CountUnholdable(text, TextEncoding::Utf16Be), escapes) << round;
  }
}

}  // namespace
