#include "plugins/markwell/MarkwellPage.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "plugins/common/ReplacementScan.h"
#include "plugins/common/ShiftJis.h"

namespace markwell {
namespace {

// In table order, once per cycle: an LF followed by CR LF becomes
// "<BR>" LF "<BR>" CR "<BR>" LF, because rule 3 takes the CR right after rule 2.
constexpr wpi::Rule kBodyRules[] = {
    {"\r\n", "<BR>\r\n"},
    {"\n", "<BR>\n"},
    {"\r", "<BR>\r"},
    {"<", "&lt;"},
    {">", "&gt;"},
    {"\"", "&quot;"},
    {"&", "&amp;"},
    {"\x81\x81\x81\x81\x81\x81", "<HR>"},  // ＝＝＝
};

// The rules that depend on more than the byte at hand.
constexpr const wpi::Rule& kCrLf = kBodyRules[0];
constexpr const wpi::Rule& kCr = kBodyRules[2];
constexpr const wpi::Rule& kHorizontalRule = kBodyRules[7];
constexpr std::size_t kLongestReplacement = 6;
constexpr std::size_t kPiece = 8;
static_assert(std::ranges::all_of(kBodyRules, [](const wpi::Rule& rule) {
  return rule.replacement.size() <= kLongestReplacement;
}));

struct Piece {
  std::array<char, kPiece> bytes{};
  std::size_t length = 0;
};

// What a byte becomes, by the byte and, from 256 on, when it is the second byte
// of a character (which no rule sees). A CR, or a 0x81 before another, at a
// character boundary is not looked up: what it becomes depends on the bytes
// around it.
constexpr std::array<Piece, 512> BuildPieces() {
  std::array<Piece, 512> pieces{};
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    pieces[i].bytes[0] = static_cast<char>(i & 0xFF);
    pieces[i].length = 1;
  }
  for (const wpi::Rule& rule : kBodyRules) {
    if (rule.pattern.size() == 1 && rule.pattern != "\r") {
      Piece& piece = pieces[static_cast<unsigned char>(rule.pattern[0])];
      rule.replacement.copy(piece.bytes.data(), kPiece);
      piece.length = rule.replacement.size();
    }
  }
  return pieces;
}

constexpr std::array<Piece, 512> kPieces = BuildPieces();

char* Append(char* o, std::string_view bytes) {
  std::memcpy(o, bytes.data(), bytes.size());
  return o + bytes.size();
}

// The body rules in one pass, byte by byte through kPieces, with the same
// result as the replacement scan of kBodyRules. Only two things depend on more
// than one byte: a CR right after a line feed that a rule took is in the cycle
// of that rule, where "\r\n" has had its turn, so it becomes "<BR>\r" alone; and
// "＝＝＝" is looked for where a 0x81 starts a character.
void AppendBody(std::string_view text, std::string& page) {
  const auto* t = reinterpret_cast<const unsigned char*>(text.data());
  const std::size_t size = text.size();
  std::size_t used = page.size();
  bool secondByte = false;  // the byte at i is the second byte of a character
  bool afterLineFeed = false;  // a rule has just taken a line feed
  std::size_t i = 0;
  while (i < size) {
    // Room for a stretch of the text, each byte of it giving at most the longest replacement.
    const std::size_t stretchEnd = std::min(size, i + 4096);
    page.resize(std::max(page.size(), used + (stretchEnd - i) * kLongestReplacement + kPiece));
    char* o = page.data() + used;
    while (i < stretchEnd) {
      const unsigned char b = t[i];
      if (!secondByte && (b == '\r' || (b == 0x81 && i + 1 < size && t[i + 1] == 0x81))) {
        if (b == 0x81 && text.substr(i).starts_with(kHorizontalRule.pattern)) {
          o = Append(o, kHorizontalRule.replacement);
          i += kHorizontalRule.pattern.size();
          afterLineFeed = false;
        } else if (b == 0x81) {
          *o++ = static_cast<char>(b);
          secondByte = i + 1 < size;
          afterLineFeed = false;
          ++i;
        } else if (!afterLineFeed && text.substr(i).starts_with(kCrLf.pattern)) {
          o = Append(o, kCrLf.replacement);
          i += kCrLf.pattern.size();
          afterLineFeed = true;
        } else {
          o = Append(o, kCr.replacement);
          i += kCr.pattern.size();
          afterLineFeed = false;
        }
        continue;
      }
      const Piece& piece = kPieces[b | (secondByte ? 0x100u : 0u)];
      std::memcpy(o, piece.bytes.data(), kPiece);
      o += piece.length;
      afterLineFeed = !secondByte && b == '\n';
      secondByte = !secondByte && wpi::IsLeadByte(b) && i + 1 < size;
      ++i;
    }
    used = static_cast<std::size_t>(o - page.data());
  }
  page.resize(used);
}

}  // namespace

std::span<const wpi::Rule> BodyRules() { return kBodyRules; }

std::string BuildPage(std::string_view text, std::string_view head, std::string_view foot) {
  const std::string_view title = text.substr(0, text.find_first_of("\r\n"));
  const std::array<wpi::Rule, 1> titleRule{{{"@title", title}}};

  std::string page;
  page.reserve(head.size() + text.size() + text.size() / 4 + foot.size());
  wpi::ReplacementScan(titleRule).AppendTo(head, page);
  AppendBody(text, page);
  page.append(foot);
  return page;
}

}  // namespace markwell
