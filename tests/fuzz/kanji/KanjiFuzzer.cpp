// Recognition and both converters over any bytes, the converters checked against the
// byte-at-a-time model. The text sits in a heap block of exactly its length + 1, so the
// sanitizers catch any read past its NUL.

#include "kanji/KanjiConverter.h"
#include "tests/unit/kanji/KanjiModel.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto source = std::make_unique<char[]>(size + 1);
  std::memcpy(source.get(), data, size);
  source[size] = 0;
  const std::string_view text(source.get());

  CKanjiConverter converter(source.get());
  converter.DetectCode();
  if (converter.m_nCode < KANJI_JIS || converter.m_nCode > KANJI_EUC) __builtin_trap();

  const std::string jis = converter.JisToSjis();
  if (jis.size() > text.size() || jis != kanji_test::ModelConverter(text).JisToSjis()) {
    __builtin_trap();
  }
  const std::string euc = converter.EucToSjis();
  if (euc.size() > text.size() || euc != kanji_test::ModelConverter(text).EucToSjis()) {
    __builtin_trap();
  }
  if (jis != converter.JisToSjis()) __builtin_trap();  // a second run starts afresh
  return 0;
}
