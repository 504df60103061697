#include "platform/Cp932Codec.h"
#include "tests/support/Iconv.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <iterator>
#include <optional>
#include <random>
#include <string>
#include <string_view>

namespace {

using cp932::Decode;
using cp932::Encode;
using cp932::LineEnds;

std::string Utf16Le(std::u16string_view text) {
  std::string bytes;
  for (char16_t c : text) {
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>(c >> 8);
  }
  return bytes;
}

std::u16string FromUtf16Le(std::string_view bytes) {
  std::u16string text;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    text += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                  static_cast<unsigned char>(bytes[i + 1]) << 8);
  }
  return text;
}

std::string Bytes(std::initializer_list<unsigned> values) {
  std::string bytes;
  for (unsigned v : values) bytes += static_cast<char>(v);
  return bytes;
}

constexpr bool IsEscape(char16_t c) { return c >= 0xDC00 && c <= 0xDCFF; }

TEST(Cp932Codec, EveryTwoByteSequenceComesBackUnchanged) {
  for (unsigned first = 0; first < 0x100; ++first) {
    for (unsigned second = 0; second < 0x100; ++second) {
      // Alone, and followed by a byte that could be taken as part of a pair.
      for (const std::string& bytes : {Bytes({first, second}), Bytes({first, second, 0x81})}) {
        const std::u16string text = Decode(bytes);
        ASSERT_LE(text.size(), bytes.size());
        ASSERT_EQ(Encode(text), bytes) << std::hex << first << " " << second;
      }
    }
  }
}

TEST(Cp932Codec, RandomByteStringsComeBackUnchanged) {
  // Half the strings lean on lead bytes, CR and LF, where the decisions are.
  static constexpr unsigned char kTricky[] = {0x81, 0x87, 0xED, 0xFC, 0x0D, 0x0A, 0x40, 0x7F, 0xA0};
  std::mt19937 random(20240315);
  for (int round = 0; round < 3000; ++round) {
    std::string bytes(random() % 64, '\0');
    const bool tricky = round % 2 == 0;
    for (char& b : bytes) {
      const bool pick = tricky && random() % 2;
      b = static_cast<char>(pick ? kTricky[random() % std::size(kTricky)] : random());
    }
    ASSERT_EQ(Encode(Decode(bytes)), bytes);
    // Paragraph ends are rewritten as CR LF, then stay put.
    const std::u16string paragraphs = Decode(bytes, LineEnds::Paragraphs);
    ASSERT_EQ(Decode(Encode(paragraphs, LineEnds::Paragraphs), LineEnds::Paragraphs), paragraphs);
    // With one line end kept as paragraph ends, every byte comes back.
    for (const LineEnds only : {LineEnds::OnlyCrLf, LineEnds::OnlyLf, LineEnds::OnlyCr})
      ASSERT_EQ(Encode(Decode(bytes, only), only), bytes) << static_cast<int>(only);
  }
}

TEST(Cp932Codec, TextDecodedPieceByPieceIsTheTextDecodedWhole) {
  // Pieces end at line ends where they can, else inside a line; never inside a
  // pair or between CR and LF, whatever the limit.
  static constexpr unsigned char kTricky[] = {0x81, 0x87, 0xE0, 0x40, 0x0D, 0x0A, 0x7F, 0xA0};
  std::mt19937 random(20261209);
  for (int round = 0; round < 3000; ++round) {
    std::string bytes(random() % 80, '\0');
    for (char& b : bytes)
      b = static_cast<char>(random() % 2 ? kTricky[random() % std::size(kTricky)] : random());
    const std::size_t limit = 1 + random() % 9;
    for (const LineEnds mode : {LineEnds::Paragraphs, LineEnds::OnlyCrLf, LineEnds::OnlyCr}) {
      std::u16string pieces;
      for (std::string_view rest = bytes; !rest.empty();) {
        const std::size_t end = cp932::PieceEnd(rest, limit);
        ASSERT_GT(end, 0u);
        ASSERT_LE(end, std::max<std::size_t>(limit, 2));
        pieces += Decode(rest.substr(0, end), mode);
        rest.remove_prefix(end);
      }
      ASSERT_EQ(pieces, Decode(bytes, mode)) << "limit " << limit;
    }
  }
  // A piece ends after the last LF within the limit.
  EXPECT_EQ(cp932::PieceEnd("ab\ncd\nef", 7), 6u);
}

TEST(Cp932Codec, AgreesWithIconvWhereIconvRoundTrips) {
  Iconv decode("UTF-16LE", "CP932");
  Iconv encode("CP932", "UTF-16LE");
  int pairs = 0;
  for (unsigned lead = 0x81; lead < 0x100; ++lead) {
    for (unsigned trail = 0x40; trail < 0x100; ++trail) {
      const std::string bytes = Bytes({lead, trail});
      const std::optional<std::string_view> units = decode.Convert(bytes);
      const bool canonical = units && units->size() == 2 && encode.Convert(*units) == bytes;
      const std::u16string ours = Decode(bytes);
      if (canonical) {
        ++pairs;
        EXPECT_EQ(ours, FromUtf16Le(*units)) << std::hex << lead << " " << trail;
      } else {
        for (char16_t c : ours) {
          // Whatever is not an escape here is a character of its own byte.
          if (IsEscape(c)) continue;
          EXPECT_EQ(Encode(std::u16string(1, c)).size(), 1u) << std::hex << lead << " " << trail;
        }
      }
    }
  }
  EXPECT_GT(pairs, 7000);

  for (unsigned c = 0; c < 0x10000; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    const std::u16string text(1, static_cast<char16_t>(c));
    const std::optional<std::string_view> bytes = encode.Convert(Utf16Le(text));
    const bool exact = bytes && decode.Convert(*bytes) == Utf16Le(text);
    EXPECT_EQ(cp932::IsRepresentable(text[0]), exact) << std::hex << c;
    EXPECT_EQ(Encode(text), exact ? *bytes : "?") << std::hex << c;
  }
}

TEST(Cp932Codec, DuplicatesAndBrokenPairsBecomeEscapes) {
  // NEC row 13 and NEC-selected IBM duplicates: the canonical pair keeps the character.
  EXPECT_EQ(Decode(Bytes({0x87, 0x90})), u"\xDC87\xDC90");
  EXPECT_EQ(Decode(Bytes({0x81, 0xE0})), u"\u2252");
  EXPECT_EQ(Encode(u"\u2252"), Bytes({0x81, 0xE0}));
  EXPECT_EQ(Decode(Bytes({0xED, 0x40})), u"\xDCED\xDC40");
  EXPECT_EQ(Decode(Bytes({0xFA, 0x5C})), u"\u7E8A");
  EXPECT_EQ(Decode(Bytes({0xEE, 0xEF, 0xFA, 0x40})), u"\xDCEE\xDCEF\u2170");

  // An unassigned pair is two escapes; a lead byte without a trail is escaped alone.
  EXPECT_EQ(Decode(Bytes({0x82, 0x41})), u"\xDC82\xDC41");
  EXPECT_EQ(Decode(Bytes({0x81, 0x7F, 0x82, 0x20})), u"\xDC81\x7F\xDC82 ");
  EXPECT_EQ(Decode(Bytes({0x82, 0x30, 0x82, 0xA0})),
            u"\xDC82"
            u"0\u3042");
  EXPECT_EQ(Decode(Bytes({0x88, 0xFD})), u"\xDC88\xDCFD");
  EXPECT_EQ(Decode(Bytes({0x80, 0xA0, 0xFF, 0x9F})), u"\xDC80\xDCA0\xDCFF\xDC9F");
  EXPECT_EQ(Decode(Bytes({0x81, 0x0D, 0x0A}), LineEnds::Paragraphs), u"\xDC81\n");

  // Escapes are the only surrogates held, and only those decoding can produce.
  EXPECT_EQ(Encode(u"\xDC87\xDC41\xDCFF"), Bytes({0x87, 0x41, 0xFF}));
  EXPECT_TRUE(cp932::IsRepresentable(u'\xDC40'));
  EXPECT_FALSE(cp932::IsRepresentable(u'\xDC7F'));
  EXPECT_FALSE(cp932::IsRepresentable(u'\xDC3F'));
  EXPECT_FALSE(cp932::IsRepresentable(u'\xDD00'));
}

TEST(Cp932Codec, LineEnds) {
  const std::string bytes = "a\r\nb\rc\nd\r\r\n\n\r";
  EXPECT_EQ(Decode(bytes), u"a\r\nb\rc\nd\r\r\n\n\r");
  EXPECT_EQ(Decode(bytes, LineEnds::Paragraphs), u"a\nb\nc\nd\n\n\n\n");
  EXPECT_EQ(Encode(u"a\nb\u2029c\r", LineEnds::Paragraphs), "a\r\nb\r\nc\r");
  EXPECT_EQ(Encode(u"a\nb\r\n"), "a\nb\r\n");
  EXPECT_EQ(Encode(u"a\u2029b"), "a?b");
  // The control's line separator and no-break space, as its plain text shows them.
  EXPECT_EQ(Encode(u"a\u2028b\u00A0c", LineEnds::Paragraphs), "a\r\nb c");
  EXPECT_EQ(Encode(u"a\u2028b\u00A0c"), "a?b?c");

  // One line end ends paragraphs; every other CR and LF byte is a character of its own.
  EXPECT_EQ(Decode(bytes, LineEnds::OnlyCrLf),
            u"a\nb\xDC0D"
            u"c\xDC0A"
            u"d\xDC0D\n\xDC0A\xDC0D");
  EXPECT_EQ(Decode(bytes, LineEnds::OnlyLf),
            u"a\xDC0D\nb\xDC0D"
            u"c\nd\xDC0D\xDC0D\n\n\xDC0D");
  EXPECT_EQ(Decode(bytes, LineEnds::OnlyCr),
            u"a\n\xDC0A"
            u"b\nc\xDC0A"
            u"d\n\n\xDC0A\xDC0A\n");
  EXPECT_EQ(Encode(u"a\nb\u2029\xDC0D\xDC0A", LineEnds::OnlyLf), "a\nb\n\r\n");
  EXPECT_EQ(Encode(u"a\nb\u2029\xDC0D\xDC0A", LineEnds::OnlyCr), "a\rb\r\r\n");
  EXPECT_EQ(Encode(u"a\n\xDC0D\xDC0A", LineEnds::OnlyCrLf), "a\r\n\r\n");

  // The *To forms write no more than the buffer sizes they promise.
  const std::string wide = "\r\n\n\x82\xA0";
  std::u16string text(wide.size(), u'#');
  EXPECT_EQ(cp932::DecodeTo(wide, text.data(), LineEnds::Paragraphs), 3u);
  const std::u16string newlines = u"\n\n\n";
  std::string out(2 * newlines.size(), '#');
  EXPECT_EQ(cp932::EncodeTo(newlines, out.data(), LineEnds::Paragraphs), 6u);
  EXPECT_EQ(out, "\r\n\r\n\r\n");
}

TEST(Cp932Codec, CharactersCp932CannotHoldBecomeQuestionMarks) {
  EXPECT_EQ(Encode(u"\u4E02\u00E9\u20AC"), "???");
  EXPECT_EQ(Encode(u"a\U0001F600b"), "a?b");  // one "?" for the pair
  EXPECT_EQ(Encode(u"\xD83D"
                   u"a\xDE00"),
            "?a?");                         // lone halves
  EXPECT_EQ(Encode(u"\xD800\xDC80"), "?");  // a real pair, not a high half and an escape
  // Kept out because they would come back as other characters.
  EXPECT_EQ(Encode(u"\u00A5\u203E\u2016"), "???");
  EXPECT_FALSE(cp932::IsRepresentable(u'\u4E02'));
  EXPECT_FALSE(cp932::IsRepresentable(u'\xD83D'));
  EXPECT_TRUE(cp932::IsRepresentable(u'\uFF61'));
  EXPECT_TRUE(cp932::IsRepresentable(u'\u3042'));
  EXPECT_TRUE(cp932::IsRepresentable(u'\0'));
  EXPECT_EQ(Encode(std::u16string(1, u'\0')), std::string(1, '\0'));

  // Encoding goes several characters at a time: a pair and a lone character
  // give the same "?" wherever they fall in a run of held ones.
  for (std::size_t before = 0; before < 9; ++before) {
    const std::u16string text =
        std::u16string(before, u'x') + u"\U0001F600\u3042\u3044\uFF71\u4E02\xDC81\u3046a\U0001F600";
    EXPECT_EQ(Encode(text), std::string(before, 'x') +
                                "?\x82\xA0\x82\xA2\xB1?\x81\x82\xA4"
                                "a?")
        << before;
  }
}

TEST(Cp932Codec, JisStyleCodePointsTakeTheFormCp932Stores) {
  const std::u16string typed = u"\u301C\u2016\u2212\u2014\u00A2\u00A3\u00AC";
  std::u16string canonical;
  for (char16_t c : typed) canonical += cp932::CanonicalCodePoint(c);
  EXPECT_EQ(Encode(canonical), "\x81\x60\x81\x61\x81\x7C\x81\x5C\x81\x91\x81\x92\x81\xCA");
  // Each canonical form decodes back to itself, so the view shows what is saved.
  EXPECT_EQ(Decode(Encode(canonical)), canonical);
  EXPECT_EQ(cp932::CanonicalCodePoint(u'\u3042'), u'\u3042');
  EXPECT_EQ(cp932::CanonicalCodePoint(u'~'), u'~');
}

TEST(Cp932Codec, TextMadeRepresentableSavesAsItShows) {
  std::u16string text = u"a\u301C\U0001F600\uD55C\u2212b\xD83D";
  std::u16string replaced;
  EXPECT_EQ(cp932::MakeRepresentable(text, &replaced), 3u);
  EXPECT_EQ(text, u"a\uFF5E\u3013\u3013\uFF0Db\u3013");
  EXPECT_EQ(replaced, u"\U0001F600\uD55C\xD83D");
  EXPECT_EQ(Decode(Encode(text)), text);
  std::u16string held = u"\u3042\uFF71\u3013\u2029\u00A0\xDC81";
  const std::u16string before = held;
  EXPECT_EQ(cp932::MakeRepresentable(held), 0u);
  EXPECT_EQ(held, before);
}

}  // namespace
