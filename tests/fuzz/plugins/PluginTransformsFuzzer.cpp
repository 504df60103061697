// Every plug-in transform on arbitrary bytes, with the bounds and properties each
// promises.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "plugins/bricks/Katakana.h"
#include "plugins/cooer/BabyTalk.h"
#include "plugins/markwell/MarkwellPage.h"
#include "plugins/plainer/RemoveMarkup.h"

namespace {

void Check(bool condition) {
  if (!condition) {
    std::abort();
  }
}

void CheckTransforms(std::string_view text) {
  const std::string katakana = bricks::ToKatakana(text);
  Check(katakana.size() <= text.size());
  Check(bricks::ToKatakana(katakana) == katakana);  // character boundaries do not move

  const std::string plain = plainer::RemoveMarkup(text);
  Check(plain.size() <= text.size());
  Check(plain.find('<') == std::string::npos);

  const std::string babyTalk = cooer::ToBabyTalk(text);
  Check(babyTalk.size() <= 2 * text.size());
  static const wpi::ReplacementScan babyTalkScan(cooer::BabyTalkRules());
  Check(babyTalk == babyTalkScan.Run(text));  // the one pass gives what the scan gives

  const std::string page = markwell::BuildPage(text, "[@title]", "F");
  Check(page.size() <= 6 * text.size() + 2 + text.size() + 1);
  Check(page.front() == '[' && page.back() == 'F');
  static const wpi::ReplacementScan bodyScan(markwell::BodyRules());
  const std::string body = bodyScan.Run(text);
  Check(markwell::BuildPage(text, "", "") == body);  // as above
  const std::string_view title = text.substr(0, text.find_first_of("\r\n"));
  Check(page == "[" + std::string(title) + "]" + body + "F");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  CheckTransforms(bytes);
  return 0;
}
