// Cooer.wpi: the text filter behind the common exports.

#include "plugins/common/TextFilter.h"
#include "plugins/cooer/BabyTalk.h"

namespace wpi::filter {

const char kDisplayName[] = "Cooer";
const char kOptionMessage[] = "赤ちゃん語に変換ちまちゅ\n\n設定はないでちゅ";

std::string Transform(std::string_view text) { return cooer::ToBabyTalk(text); }

}  // namespace wpi::filter
