#include "tests/support/JapaneseText.h"

#include <random>

namespace kanji_test {

std::vector<std::string> Cp932Characters() {
  Iconv decode("UTF-8", "CP932");
  Iconv encode("CP932", "UTF-8");
  std::vector<std::string> chars;
  // Rows 1-62 have lead bytes 0x81-0x9F, rows 63-84 have 0xE0-0xEA.
  for (int lead = 0x81; lead <= 0xEA; ++lead) {
    if (lead > 0x9F && lead < 0xE0) continue;
    for (int trail = 0x40; trail <= 0xFC; ++trail) {
      if (trail == 0x7F) continue;
      const std::string pair{static_cast<char>(lead), static_cast<char>(trail)};
      const auto text = decode.Convert(pair);
      if (!text) continue;
      const auto back = encode.Convert(*text);
      if (back && *back == pair) chars.push_back(pair);
    }
  }
  return chars;
}

std::vector<std::string> Encodable(const std::vector<std::string>& chars, const char* encoding) {
  Iconv cd(encoding, "CP932");
  std::vector<std::string> held;
  for (const std::string& c : chars) {
    // JIS X 0212 (EUC-JP's single shift 3) is no part of Shift-JIS: glibc puts a few
    // of CP932's symbols there, such as U+FF5E, instead of at their JIS X 0208 place.
    const auto encoded = cd.Convert(c);
    if (encoded && encoded->find('\x8F') == std::string_view::npos) held.push_back(c);
  }
  return held;
}

std::string MixedText(std::size_t bytes, const std::vector<std::string>& chars,
                      bool halfWidthKana) {
  std::vector<std::string> kana, kanji, symbols;
  for (const std::string& c : chars) {
    const auto lead = static_cast<unsigned char>(c[0]);
    (lead == 0x82 || lead == 0x83 ? kana : lead >= 0x88 ? kanji : symbols).push_back(c);
  }
  std::mt19937 random(20240611);
  const auto pick = [&random](const std::vector<std::string>& from) -> const std::string& {
    return from[random() % from.size()];
  };
  std::string text;
  text.reserve(bytes + 512);
  while (text.size() < bytes) {
    const unsigned words = 4 + random() % 12;
    for (unsigned w = 0; w < words; ++w) {
      const unsigned kind = random() % 20;
      const unsigned length = 1 + random() % 6;
      for (unsigned i = 0; i < length; ++i) {
        if (kind < 3) {
          text += static_cast<char>('a' + random() % 26);
        } else if (kind < 10) {
          text += pick(kana);
        } else if (kind < 18) {
          text += pick(kanji);
        } else if (kind < 19 || !halfWidthKana) {
          text += pick(symbols);
        } else {
          text += static_cast<char>(0xA1 + random() % 63);
        }
      }
      if (kind < 3) text += ' ';
    }
    text += "\r\n";
  }
  return text;
}

}  // namespace kanji_test
