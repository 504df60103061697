#include "platform/IBusEngines.h"

std::vector<std::string> HiraganaModeProperties(std::string_view engineName,
                                                std::string_view language) {
  // Keyboard layouts ("xkb:jp::jpn") carry a language too, but have no modes.
  if (language != "ja" || engineName.starts_with("xkb:")) return {};
  // anthy, kkc, skk and Mozc name the mode so; older Mozc releases named it
  // after their composition modes.
  if (engineName.starts_with("mozc")) return {"InputMode.Hiragana", "CompositionMode.Hiragana"};
  return {"InputMode.Hiragana"};
}
