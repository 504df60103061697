#include "editor/TextBoundary.h"

#include "kanji/FileEncoder.h"
#include "platform/Cp932Codec.h"

#include <algorithm>
#include <memory>

QString SjisToText(std::string_view sjis, cp932::LineEnds lineEnds) {
  QString text(static_cast<qsizetype>(sjis.size()), Qt::Uninitialized);
  const std::size_t n =
      cp932::DecodeTo(sjis, reinterpret_cast<char16_t*>(text.data()), lineEnds);
  text.resize(static_cast<qsizetype>(n));
  return text;
}

namespace {

std::u16string_view View(const QString& text, qsizetype from, qsizetype count) {
  return {reinterpret_cast<const char16_t*>(text.constData()) + from,
          static_cast<std::size_t>(count)};
}

// Small enough to stay in the processor's cache between encoding and copying.
constexpr std::size_t kChunkBytes = 64 << 10;

}  // namespace

std::string TextToSjis(const QString& text) {
  // Room for the longest encoding is reserved but never cleared: only the pages
  // the bytes are copied into become memory, so a text kept for later costs its
  // length, and no second copy is made.
  std::string sjis;
  sjis.reserve(2 * static_cast<std::size_t>(text.size()));
  const FillChunk fill = SjisChunks(text);
  const auto chunk = std::make_unique_for_overwrite<char[]>(kChunkBytes);
  while (const std::size_t n = fill(chunk.get(), kChunkBytes)) sjis.append(chunk.get(), n);
  return sjis;
}

FillChunk SjisChunks(QString text) { return FileChunks(std::move(text), TextFormat{}); }

FillChunk FileChunks(QString text, const TextFormat& format) {
  auto encoder = std::make_shared<FileEncoder>(format);
  return [text = std::move(text), encoder, next = qsizetype{-1}](
             char* out, std::size_t capacity) mutable -> std::size_t {
    // The first chunk is encoded even for an empty text: it holds the byte-order mark.
    if (next == text.size()) return 0;
    next = std::max(next, qsizetype{0});
    const auto units = static_cast<qsizetype>((capacity - 16) / encoder->MaxBytesPerUnit());
    qsizetype end = std::min(text.size(), next + units);
    // A character outside the BMP is encoded whole, never split between two chunks.
    if (end < text.size() && text.at(end - 1).isHighSurrogate()) --end;
    std::size_t n = encoder->Encode(View(text, next, end - next), out);
    next = end;
    if (next == text.size()) n += encoder->Finish(out + n);
    return n;
  };
}

std::size_t CountUnholdable(const QString& text, TextEncoding encoding) {
  return FileEncoder::CountUnholdable(View(text, 0, text.size()), encoding);
}

QString RepresentableText(const QString& text, std::size_t& replaced) {
  std::u16string units(View(text, 0, text.size()));
  replaced = cp932::MakeRepresentable(units);
  return QString::fromUtf16(units.data(), static_cast<qsizetype>(units.size()));
}
