// The rich-text reader on any bytes: no crash, no NUL in the text, and never
// more text than input (every construct yields at most as many bytes as it takes).

#include "editor/RtfReader.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view rtf(reinterpret_cast<const char*>(data), size);
  const std::string text = RtfToText(rtf);
  if (text.find('\0') != std::string::npos) std::abort();
  if (text.size() > size) std::abort();
  return 0;
}
