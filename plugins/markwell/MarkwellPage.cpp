#include "plugins/markwell/MarkwellPage.h"

#include <array>

#include "plugins/common/ReplacementScan.h"

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

}  // namespace

std::string BuildPage(std::string_view text, std::string_view head, std::string_view foot) {
  static const wpi::ReplacementScan bodyScan(kBodyRules);
  const std::string_view title = text.substr(0, text.find_first_of("\r\n"));
  const std::array<wpi::Rule, 1> titleRule{{{"@title", title}}};

  std::string page;
  page.reserve(head.size() + text.size() + text.size() / 4 + foot.size());
  wpi::ReplacementScan(titleRule).AppendTo(head, page);
  bodyScan.AppendTo(text, page);
  page.append(foot);
  return page;
}

}  // namespace markwell
