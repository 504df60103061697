// Bricks.wpi: the text filter behind the common exports.

#include "plugins/bricks/Katakana.h"
#include "plugins/common/TextFilter.h"

namespace wpi::filter {

const char kDisplayName[] = "Bricks";
const char kOptionMessage[] = "平仮名ヲカタカナニ変換シマース\n\n設定ハナイヨ";

std::string Transform(std::string_view text) { return bricks::ToKatakana(text); }

}  // namespace wpi::filter
