// Recognition and both converters over any bytes. The text sits in a heap block of
// exactly its length + 1, so the sanitizers catch any read past its NUL.

#include "kanji/KanjiConverter.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto source = std::make_unique<char[]>(size + 1);
  std::memcpy(source.get(), data, size);
  source[size] = 0;
  const std::size_t length = std::strlen(source.get());

  CKanjiConverter converter(source.get());
  converter.DetectCode();
  if (converter.m_nCode < KANJI_JIS || converter.m_nCode > KANJI_EUC) __builtin_trap();

  for (auto convert : {&CKanjiConverter::JisToSjis, &CKanjiConverter::EucToSjis}) {
    const std::string first = (converter.*convert)();
    if (first.size() > length) __builtin_trap();
    if ((converter.*convert)() != first) __builtin_trap();
  }
  return 0;
}
