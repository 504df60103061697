// Plainer.wpi: the text filter behind the common exports.

#include "plugins/common/TextFilter.h"
#include "plugins/plainer/RemoveMarkup.h"

namespace wpi::filter {

const char kDisplayName[] = "Plainer";
const char kOptionMessage[] = "タグを消しま～す";

std::string Transform(std::string_view text) { return plainer::RemoveMarkup(text); }

}  // namespace wpi::filter
