// Recognition of UTF-8 and UTF-16 ahead of JIS, EUC-JP and Shift-JIS.

#include "kanji/KanjiConverter.h"
#include "kanji/TextFormat.h"
#include "kanji/UnicodeText.h"
#include "tests/support/JapaneseText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>

namespace {

using kanji_test::Convert;

// Ordinary prose: kanji, kana and punctuation, no ASCII.
const char kProse[] =
    "春の朝、駅前の小さな本屋で古い地図を一枚買った。店の主人は静かな声で、この町には"
    "かつて川が三本流れていたのだと教えてくれた。帰り道、私は地図を広げて、今はもう見え"
    "ない川の跡を探しながら歩いた。公園の石段、曲がりくねった路地、妙に低い橋げた。どれも"
    "水の記憶を残しているように思えた。昼過ぎには雨が降り始め、傘を持たない人々が軒下に"
    "集まって空を見上げていた。";

std::string Utf8(const std::u16string& text) {
  return *Convert({reinterpret_cast<const char*>(text.data()), 2 * text.size()}, "UTF-8",
                  "UTF-16LE");
}

// What recognition gave before UTF-8 and UTF-16 were known.
TextEncoding DetectCodeAlone(const std::string& bytes) {
  CKanjiConverter converter(bytes.c_str());
  converter.DetectCode();
  return converter.m_nCode == KANJI_JIS   ? TextEncoding::Jis
         : converter.m_nCode == KANJI_EUC ? TextEncoding::EucJp
                                          : TextEncoding::ShiftJis;
}

struct Form {
  const char* name;
  const char* iconvName;
  const char* mark;
  TextEncoding expected;  // Shift-JIS for the encodings DetectCode decides
};

TEST(Recognition, ShortProseInEveryEncoding) {
  const std::u16string prose = DecodeUnicode(kProse, TextEncoding::Utf8);
  const Form forms[] = {
      {"UTF-8", "UTF-8", "", TextEncoding::Utf8},
      {"UTF-8 BOM", "UTF-8", "\xEF\xBB\xBF", TextEncoding::Utf8Bom},
      {"UTF-16LE BOM", "UTF-16LE", "\xFF\xFE", TextEncoding::Utf16Le},
      {"UTF-16BE BOM", "UTF-16BE", "\xFE\xFF", TextEncoding::Utf16Be},
      {"UTF-16LE", "UTF-16LE", "", TextEncoding::Utf16Le},
      {"UTF-16BE", "UTF-16BE", "", TextEncoding::Utf16Be},
      {"JIS", "ISO-2022-JP", "", TextEncoding::ShiftJis},
      {"EUC-JP", "EUC-JP", "", TextEncoding::ShiftJis},
      {"Shift-JIS", "CP932", "", TextEncoding::ShiftJis},
  };
  const std::size_t offsets[] = {0, 3, 5, 9, 13, 21, 29, 37, 47, 55};
  std::printf("%-14s", "recognised");
  for (const int length : {4, 8, 16, 32, 64, 128}) std::printf(" %6d", length);
  std::printf("\n");
  for (const Form& form : forms) {
    const bool unicode = form.expected != TextEncoding::ShiftJis;
    std::printf("%-14s", form.name);
    for (const int length : {4, 8, 16, 32, 64, 128}) {
      int recognised = 0, total = 0;
      for (const std::size_t offset : offsets) {
        const std::string utf8 = Utf8(prose.substr(offset, static_cast<std::size_t>(length)));
        const std::string bytes = form.mark + *Convert(utf8, form.iconvName, "UTF-8");
        const TextEncoding found = RecognizeEncoding(bytes);
        ++total;
        if (!unicode) {
          // JIS, EUC-JP and Shift-JIS are what DetectCode alone makes of them.
          EXPECT_EQ(found, DetectCodeAlone(bytes)) << form.name << " " << utf8;
          recognised += found == (*form.name == 'J'   ? TextEncoding::Jis
                                  : *form.name == 'E' ? TextEncoding::EucJp
                                                      : TextEncoding::ShiftJis);
        } else {
          EXPECT_EQ(found, form.expected) << form.name << " " << utf8;
          recognised += found == form.expected;
        }
      }
      std::printf(" %3d/%-2d", recognised, total);
    }
    std::printf("\n");
  }
}

TEST(Recognition, RulesInTheirOrder) {
  // A mark decides, whatever follows.
  EXPECT_EQ(RecognizeEncoding("\xEF\xBB\xBF"
                              "abc"),
            TextEncoding::Utf8Bom);
  EXPECT_EQ(RecognizeEncoding("\xFF\xFE"
                              "a\0b\0"),
            TextEncoding::Utf16Le);
  EXPECT_EQ(RecognizeEncoding(std::string("\xFE\xFF\0a\0b", 6)), TextEncoding::Utf16Be);
  // NULs at most odd or most even positions: UTF-16 without a mark.
  const std::u16string mixed = u"id,名前\r\n1,山田\r\n2,佐藤\r\n";
  const std::string le(reinterpret_cast<const char*>(mixed.data()), 2 * mixed.size());
  EXPECT_EQ(RecognizeEncoding(le), TextEncoding::Utf16Le);
  EXPECT_EQ(RecognizeEncoding(*Convert(le, "UTF-16BE", "UTF-16LE")), TextEncoding::Utf16Be);
  // A Shift-JIS text with a few NULs stays Shift-JIS.
  EXPECT_EQ(RecognizeEncoding(std::string("\x82\xA0\x82\xA2 abc\0\0def ghi", 15)),
            TextEncoding::ShiftJis);
  // Valid UTF-8 needs a multi-byte sequence; ASCII is Shift-JIS as before.
  EXPECT_EQ(RecognizeEncoding("plain ASCII"), TextEncoding::ShiftJis);
  EXPECT_EQ(RecognizeEncoding("caf\xC3\xA9"), TextEncoding::Utf8);
  EXPECT_FALSE(DetectUnicode("\xC0\xAF overlong"));
  EXPECT_FALSE(DetectUnicode("\xED\xA0\x80 surrogate"));
  EXPECT_FALSE(DetectUnicode("\xE3\x81 cut short inside"));
  // Only the window counts: a sequence it cuts is valid, a fault past it unseen.
  std::string cut(8190, 'a');
  cut += "\xE3\x81\x82";  // its last byte is the 8193rd
  EXPECT_EQ(RecognizeEncoding(cut), TextEncoding::Utf8);
  EXPECT_EQ(RecognizeEncoding(cut + "\xFF\xFE"), TextEncoding::Utf8);
  EXPECT_EQ(RecognizeEncoding(std::string(8192, 'a') + "\xE3\x81\x82"), TextEncoding::ShiftJis);
  // UTF-8 is looked for before JIS escapes are.
  EXPECT_EQ(RecognizeEncoding("\x1B$B \xE3\x81\x82"), TextEncoding::Utf8);
  EXPECT_EQ(RecognizeEncoding("\x1B$B0!\x1B(B"), TextEncoding::Jis);
}

TEST(Recognition, Utf16WithoutMarkOrNulsNeverTakesOtherEncodings) {
  // Prose with what most often turns into kana when other bytes are read as UTF-16:
  // an ASCII "0" beside kanji, kana and half-width katakana, and ASCII words.
  const std::u16string prose = DecodeUnicode(
      "第10回の会議は2020年10月30日、0時から。資料はA0判で100部、ver 1.0と0x30を参照。"
      "ﾃﾞｰﾀは0件、ｶﾀｶﾅ0個。\r\n東京大学\r\n山田太郎\r\n" +
          std::string(kProse) + "\r\n",
      TextEncoding::Utf8);
  const char* others[] = {"CP932", "EUC-JP", "ISO-2022-JP"};
  int utf16Windows = 0, utf16Recognised = 0;
  for (std::size_t offset = 0; offset < prose.size(); ++offset) {
    for (const std::size_t length : {4, 5, 8, 13, 21, 34, 55, 89, 144}) {
      const std::string utf8 = Utf8(prose.substr(offset, length));
      const bool ascii = std::all_of(utf8.begin(), utf8.end(), [](char c) { return c >= 0; });
      EXPECT_EQ(RecognizeEncoding(utf8), ascii ? TextEncoding::ShiftJis : TextEncoding::Utf8)
          << utf8;
      for (const char* other : others) {
        // JIS holds no half-width katakana.
        if (const auto bytes = Convert(utf8, other, "UTF-8")) {
          const TextEncoding found = RecognizeEncoding(*bytes);
          EXPECT_TRUE(found != TextEncoding::Utf16Le && found != TextEncoding::Utf16Be)
              << other << " " << utf8;
        }
      }
      for (const bool bigEndian : {false, true}) {
        const TextEncoding found =
            RecognizeEncoding(*Convert(utf8, bigEndian ? "UTF-16BE" : "UTF-16LE", "UTF-8"));
        // Never the other byte order; the shortest all-kanji pieces may go unseen.
        EXPECT_NE(found, bigEndian ? TextEncoding::Utf16Le : TextEncoding::Utf16Be) << utf8;
        ++utf16Windows;
        utf16Recognised += found == (bigEndian ? TextEncoding::Utf16Be : TextEncoding::Utf16Le);
      }
    }
  }
  std::printf("UTF-16 without mark: %d of %d pieces recognised\n", utf16Recognised, utf16Windows);
  EXPECT_GT(utf16Recognised * 10, utf16Windows * 9);
  // Random Shift-JIS and EUC-JP with words of digits and "0": from 12 bytes on, never
  // UTF-16. (Below that one piece in a few thousand is: a kana from "0" beside a
  // letter in four or five code units, as a four-character phrase of prose may have.)
  const auto withDigits = [](std::string text) {
    for (std::size_t i = 1; i < text.size(); ++i) {
      if (static_cast<unsigned char>(text[i - 1]) < 0x80 && text[i] >= 'a' && text[i] <= 'm')
        text[i] = text[i] <= 'j' ? static_cast<char>('0' + text[i] - 'a') : '0';
    }
    return text;
  };
  const auto all = kanji_test::Cp932Characters();
  for (const char* other : {"CP932", "EUC-JP"}) {
    const std::string text = *Convert(
        withDigits(kanji_test::MixedText(1 << 18, kanji_test::Encodable(all, other), true)), other,
        "CP932");
    for (std::size_t offset = 0; offset + 64 < text.size(); offset += 97) {
      for (const std::size_t length : {12, 16, 64, 8192}) {
        const TextEncoding found = RecognizeEncoding(text.substr(offset, length));
        EXPECT_TRUE(found != TextEncoding::Utf16Le && found != TextEncoding::Utf16Be)
            << other << " " << offset << "+" << length;
      }
    }
  }
  EXPECT_EQ(RecognizeEncoding("A0"), TextEncoding::ShiftJis);
  EXPECT_EQ(RecognizeEncoding("A0B0\n"), TextEncoding::ShiftJis);
  EXPECT_EQ(RecognizeEncoding("B0D0F0H0J0"), TextEncoding::Utf16Le);  // あいうえお
}

TEST(Recognition, FirstLineEndAndNames) {
  EXPECT_EQ(FirstLineEnd("a\r\nb\nc"), LineEnd::CrLf);
  EXPECT_EQ(FirstLineEnd("a\nb\r\n"), LineEnd::Lf);
  EXPECT_EQ(FirstLineEnd("a\rb\r\n"), LineEnd::Cr);
  EXPECT_EQ(FirstLineEnd("a\r"), LineEnd::Cr);
  EXPECT_EQ(FirstLineEnd("no line end"), LineEnd::CrLf);
  EXPECT_EQ(FormatName({TextEncoding::Utf8, LineEnd::Lf}), "UTF-8 LF");
  EXPECT_EQ(FormatName({TextEncoding::Utf8Bom, LineEnd::CrLf}), "UTF-8 BOM CRLF");
  EXPECT_EQ(FormatName({}), "Shift-JIS CRLF");
}

}  // namespace
