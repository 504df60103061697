// Any bytes through recognition and the Unicode conversion, and the text that gives
// written in every format into a heap block of exactly the room FileEncoder asks for,
// so the sanitizers catch a write past it. What a Unicode file is written as comes
// back with nothing left to replace; bytes read as they are with only their own line
// end as paragraph ends are written back unchanged.

#include "kanji/FileEncoder.h"
#include "kanji/UnicodeText.h"
#include "platform/Cp932Codec.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace {

std::string Write(std::u16string_view text, const TextFormat& format) {
  FileEncoder encoder(format);
  const std::size_t room = encoder.MaxBytesPerUnit() * text.size() + 16;
  const auto out = std::make_unique<char[]>(room);
  std::size_t n = encoder.Encode(text, out.get());
  const auto finish = std::make_unique<char[]>(16);
  const std::size_t tail = encoder.Finish(finish.get());
  return std::string(out.get(), n) + std::string(finish.get(), tail);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  RecognizeEncoding(bytes);
  const LineEnd own = FirstLineEnd(bytes);
  if (Write(cp932::Decode(bytes, OnlyLineEnd(own)), {TextEncoding::ShiftJis, own}) != bytes)
    __builtin_trap();
  // The view's text of the bytes as they are, and of their conversion.
  std::u16string raw = cp932::Decode(bytes, cp932::LineEnds::Paragraphs);
  for (const TextEncoding from :
       {TextEncoding::Utf8, TextEncoding::Utf16Le, TextEncoding::Utf16Be}) {
    const ShiftJisText converted = UnicodeToShiftJis(bytes, from);
    const std::u16string view = cp932::Decode(converted.sjis, cp932::LineEnds::Paragraphs);
    for (const TextEncoding to : kTextEncodings) {
      Write(raw, {to, LineEnd::Lf});
      const std::string file = Write(view, {to, LineEnd::CrLf});
      if (to != TextEncoding::ShiftJis && to != TextEncoding::EucJp && to != TextEncoding::Jis &&
          UnicodeToShiftJis(file, to).replaced != 0)
        __builtin_trap();
    }
  }
  return 0;
}
