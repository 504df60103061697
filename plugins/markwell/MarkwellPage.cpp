#include "plugins/markwell/MarkwellPage.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>

#include "plugins/common/ReplacementScan.h"
#include "plugins/common/ShiftJis.h"
#include "plugins/markwell/ByteSetHits.h"
#include "plugins/markwell/PageWriter.h"

namespace markwell {
namespace {

// In table order, once per cycle: an LF followed by CR LF becomes
// "<BR>" LF "<BR>" CR "<BR>" LF, because rule 3 takes the CR right after rule 2.
constexpr wpi::Rule kBodyRules[] = {
    {"\r\n", "<BR>\r\n"}, {"\n", "<BR>\n"},
    {"\r", "<BR>\r"},     {"<", "&lt;"},
    {">", "&gt;"},        {"\"", "&quot;"},
    {"&", "&amp;"},       {"\x81\x81\x81\x81\x81\x81", "<HR>"},  // ＝＝＝
};

// The rules that depend on more than the byte at hand.
constexpr const wpi::Rule& kCrLf = kBodyRules[0];
constexpr const wpi::Rule& kCr = kBodyRules[2];
constexpr const wpi::Rule& kHorizontalRule = kBodyRules[7];

// Where a rule may start, character boundaries aside: at the first byte of a
// pattern, where a 0x81 (which starts many other characters too) counts only
// before another.
using RuleStarts = ByteSetHits<0x81, '\r', '\n', '<', '>', '"', '&'>;
static_assert(std::ranges::all_of(kBodyRules, [](const wpi::Rule& rule) {
  return RuleStarts::StartsWithHit(rule.pattern);
}));

// The most bytes a rule adds to its pattern. Each rule but the horizontal rule,
// which makes fewer, starts with one of the single bytes of RuleStarts.
constexpr std::size_t MostGrowth() {
  std::size_t most = 0;
  for (const wpi::Rule& rule : kBodyRules) {
    if (rule.replacement.size() > rule.pattern.size()) {
      most = std::max(most, rule.replacement.size() - rule.pattern.size());
    }
  }
  return most;
}
static_assert(kHorizontalRule.replacement.size() < kHorizontalRule.pattern.size());

struct Piece {
  std::array<char, PageWriter::kPiece> bytes{};
  std::size_t length = 0;
};
static_assert(std::ranges::all_of(kBodyRules, [](const wpi::Rule& rule) {
  return rule.replacement.size() <= PageWriter::kPiece;
}));

// What each byte that a one-byte rule takes becomes.
constexpr std::array<Piece, 256> BuildPieces() {
  std::array<Piece, 256> pieces{};
  for (const wpi::Rule& rule : kBodyRules) {
    if (rule.pattern.size() == 1) {
      Piece& piece = pieces[static_cast<unsigned char>(rule.pattern[0])];
      rule.replacement.copy(piece.bytes.data(), piece.bytes.size());
      piece.length = rule.replacement.size();
    }
  }
  return pieces;
}

constexpr std::array<Piece, 256> kPieces = BuildPieces();

// At least the length of `head` with `title` applied to it.
std::size_t HeadSizeBound(std::string_view head, const wpi::Rule& title) {
  std::size_t size = head.size();
  for (auto at = head.find(title.pattern); at != head.npos; at = head.find(title.pattern, at + 1)) {
    size += title.replacement.size();  // also where the scan steps over it: a bound
  }
  return size;
}

// At least the length of the body of `text`, and of what the writer may write past it.
std::size_t BodySizeBound(std::string_view text) {
  const auto* begin = reinterpret_cast<const unsigned char*>(text.data());
  return text.size() + MostGrowth() * RuleStarts::CountSingles(begin, begin + text.size()) +
         PageWriter::kOverrun;
}

// Whether `at` starts a character, given that `boundary` does: a byte that cannot
// lead always ends a character, and the lead-like bytes after it pair up.
bool StartsCharacter(const unsigned char* boundary, const unsigned char* at) {
  const unsigned char* p = at;
  while (p > boundary && wpi::IsLeadByte(p[-1])) {
    --p;
  }
  return (at - p) % 2 == 0;
}

// The body rules in one pass with the same result as the replacement scan of
// kBodyRules: the runs between the places a rule may start are copied whole. Only
// two things depend on more than one byte: a CR right after a line feed that a
// rule took is in the cycle of that rule, where "\r\n" has had its turn, so it
// becomes "<BR>\r" alone; and "＝＝＝" is looked for where a 0x81 starts a character.
class BodyWriter {
 public:
  explicit BodyWriter(std::string& page) : m_out(page) {}

  /// Appends the body of `text`.
  void Append(std::string_view text) {
    const auto* const begin = reinterpret_cast<const unsigned char*>(text.data());
    const unsigned char* const end = begin + text.size();
    const unsigned char* p = begin;  // the first byte not written yet; a character starts there
    for (const unsigned char* block = begin; block < end; block += RuleStarts::kBlock) {
      for (std::uint32_t hits = RuleStarts::In(block, end); hits != 0; hits &= hits - 1) {
        const unsigned char* const ruleStart = block + std::countr_zero(hits);
        if (ruleStart >= p) {  // else the rule before took it
          m_out.CopyRun(p, ruleStart, end);
          p = StartsCharacter(p, ruleStart) ? TakeRules(ruleStart, end) : CopySecondByte(ruleStart);
        }
      }
    }
    if (p < end) {
      m_out.CopyRun(p, end, end);
    }
  }

 private:
  // The byte after a lead byte, which no rule sees.
  const unsigned char* CopySecondByte(const unsigned char* at) {
    m_out.Write({reinterpret_cast<const char*>(at), 1});
    return at + 1;
  }

  // Writes what the rules make of the text from `at`, a character boundary where
  // RuleStarts has a hit, and returns where they leave off.
  const unsigned char* TakeRules(const unsigned char* at, const unsigned char* end) {
    const std::string_view rest(reinterpret_cast<const char*>(at),
                                static_cast<std::size_t>(end - at));
    if (rest[0] == kHorizontalRule.pattern[0]) {
      if (rest.starts_with(kHorizontalRule.pattern)) {
        m_out.Write(kHorizontalRule.replacement);
        return at + kHorizontalRule.pattern.size();
      }
      m_out.Write(rest.substr(0, 2));  // a character that only starts like the pattern
      return at + 2;
    }
    if (rest[0] == '\r') {
      const bool crLf = at != m_lineFeedEnd && rest.starts_with(kCrLf.pattern);
      const wpi::Rule& rule = crLf ? kCrLf : kCr;
      m_out.Write(rule.replacement);
      m_lineFeedEnd = crLf ? at + rule.pattern.size() : m_lineFeedEnd;
      return at + rule.pattern.size();
    }
    const Piece& piece = kPieces[*at];
    m_out.Write(piece.bytes, piece.length);
    m_lineFeedEnd = rest[0] == '\n' ? at + 1 : m_lineFeedEnd;
    return at + 1;
  }

  PageWriter m_out;
  const unsigned char* m_lineFeedEnd = nullptr;  // just past the last line feed a rule took
};

}  // namespace

std::span<const wpi::Rule> BodyRules() { return kBodyRules; }

std::string BuildPage(std::string_view text, std::string_view head, std::string_view foot) {
  // Two searches for one byte each, which are quicker than one for either byte.
  const std::string_view title = text.substr(0, std::min(text.find('\r'), text.find('\n')));
  const std::array<wpi::Rule, 1> titleRule{{{"@title", title}}};

  // Room for all of the page at once, so that it is never moved.
  std::string page;
  page.reserve(HeadSizeBound(head, titleRule[0]) + BodySizeBound(text) + foot.size());
  wpi::PreferHugePages(page);
  wpi::ReplacementScan(titleRule).AppendTo(head, page);
  BodyWriter(page).Append(text);
  page.append(foot);
  return page;
}

}  // namespace markwell
