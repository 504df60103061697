#include "plugins/plainer/RemoveMarkup.h"

#include <algorithm>

#include "plugins/common/LargeOutput.h"

namespace plainer {
namespace {

struct Entity {
  std::string_view name;
  char character;
};

constexpr Entity kEntities[] = {{"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&amp;", '&'}};

// Decoded characters are not looked at again, so "&amp;lt;" gives "&lt;".
std::string DecodeEntities(std::string_view in) {
  std::string out = wpi::ReservedOutput(in.size());
  std::size_t pos = 0;
  for (std::size_t amp; (amp = in.find('&', pos)) != std::string_view::npos;) {
    out.append(in, pos, amp - pos);
    const std::string_view rest = in.substr(amp);
    const auto* entity = std::find_if(std::begin(kEntities), std::end(kEntities),
                                      [rest](const Entity& e) { return rest.starts_with(e.name); });
    if (entity != std::end(kEntities)) {
      out.push_back(entity->character);
      pos = amp + entity->name.size();
    } else {
      out.push_back('&');
      pos = amp + 1;
    }
  }
  out.append(in, pos);
  return out;
}

// Quotes inside a tag mean nothing: its first ">" ends it. A ">" outside any tag
// is text.
std::string RemoveTags(std::string_view in) {
  std::string out = wpi::ReservedOutput(in.size());
  std::size_t pos = 0;
  for (std::size_t open; (open = in.find('<', pos)) != std::string_view::npos;) {
    out.append(in, pos, open - pos);
    std::size_t close;
    if (in.substr(open).starts_with("<!--")) {
      close = in.find("-->", open + 4);
      pos = close == std::string_view::npos ? in.size() : close + 3;
    } else {
      close = in.find('>', open + 1);
      pos = close == std::string_view::npos ? in.size() : close + 1;
    }
  }
  out.append(in, pos);
  return out;
}

}  // namespace

std::string RemoveMarkup(std::string_view html) { return RemoveTags(DecodeEntities(html)); }

}  // namespace plainer
