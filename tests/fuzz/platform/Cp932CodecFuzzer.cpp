// Any bytes decode and encode back unchanged, also with one line end as paragraph
// ends; with all of them, a second round trip changes nothing more.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/Cp932Codec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  if (cp932::Encode(cp932::Decode(bytes)) != bytes) std::abort();
  for (const auto only :
       {cp932::LineEnds::OnlyCrLf, cp932::LineEnds::OnlyLf, cp932::LineEnds::OnlyCr}) {
    if (cp932::Encode(cp932::Decode(bytes, only), only) != bytes) std::abort();
  }

  const auto paragraphs = cp932::LineEnds::Paragraphs;
  const std::u16string text = cp932::Decode(bytes, paragraphs);
  if (cp932::Decode(cp932::Encode(text, paragraphs), paragraphs) != text) std::abort();
  return 0;
}
