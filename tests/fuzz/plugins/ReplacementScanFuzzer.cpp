// The replacement scan with rules and text from the input, against a plain
// character-by-character reading of its cycle rule.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "plugins/common/ReplacementScan.h"

namespace {

bool IsLead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

std::size_t ReferenceCharLength(const std::string& text, std::size_t pos) {
  return IsLead(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size() ? 2 : 1;
}

std::string ReferenceScan(const std::string& text, const std::vector<wpi::Rule>& rules) {
  std::string out;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t cycleStart = pos;
    for (const wpi::Rule& rule : rules) {
      if (std::string_view(text).substr(pos).starts_with(rule.pattern)) {
        out += rule.replacement;
        pos += rule.pattern.size();
      }
    }
    if (pos == cycleStart) {
      out += text.substr(pos, ReferenceCharLength(text, pos));
      pos += ReferenceCharLength(text, pos);
    }
  }
  return out;
}

/// `bytes` cut to whole characters, as the scan requires of a pattern.
std::string WholeCharacters(std::string bytes) {
  std::size_t whole = 0;
  while (whole < bytes.size()) {
    const std::size_t next = whole + (IsLead(static_cast<unsigned char>(bytes[whole])) ? 2 : 1);
    if (next > bytes.size()) {
      break;
    }
    whole = next;
  }
  bytes.resize(whole);
  return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  std::vector<std::string> strings;
  const int ruleCount = input.ConsumeIntegralInRange(1, 5);
  for (int i = 0; i < ruleCount; ++i) {
    std::string pattern = WholeCharacters(input.ConsumeRandomLengthString(8));
    if (pattern.empty()) {
      pattern = "\x81\x81";
    }
    strings.push_back(pattern);
    strings.push_back(input.ConsumeRandomLengthString(8));
  }
  std::vector<wpi::Rule> rules;
  for (std::size_t i = 0; i < strings.size(); i += 2) {
    rules.push_back({strings[i], strings[i + 1]});
  }
  const std::string text = input.ConsumeRemainingBytesAsString();
  if (wpi::ReplacementScan(rules).Run(text) != ReferenceScan(text, rules)) {
    std::abort();
  }
  return 0;
}
