// Arbitrary bytes as Markwell's template data file: every line reads, none longer
// than its limit, and a rewrite of one line keeps the others as they were read.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>

#include "plugins/markwell/TemplateFile.h"
#include "tests/support/TempDir.h"

namespace {

void Check(bool condition) {
  if (!condition) {
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  static const TempDir dir;
  static const std::string path = dir.file("wpi.dat");
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      << std::string_view(reinterpret_cast<const char*>(data), size);
  std::optional<std::string> lines[markwell::kTemplateLines];
  for (int k = 0; k < markwell::kTemplateLines; ++k) {
    lines[k] = markwell::ReadTemplateLine(path, k);
    Check(lines[k].has_value() && lines[k]->size() <= markwell::kMaxLineBytes);
  }
  // A rewrite keeps every other line as it was read.
  lines[3] = "A\r\nB";
  Check(markwell::WriteTemplateLine(path, 3, *lines[3]));
  for (int k = 0; k < markwell::kTemplateLines; ++k) {
    Check(markwell::ReadTemplateLine(path, k) == lines[k]);
  }
  return 0;
}
