#include "editor/BufferText.h"

#include "kanji/FileEncoder.h"

#include <algorithm>
#include <memory>

namespace {

// Small enough to stay in the processor's cache between encoding and copying.
constexpr std::size_t kChunkBytes = 64 << 10;

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c < 0xDC00; }

// Where the encoding has got to, and the code units gathered for the next chunk.
struct ChunkSource {
  explicit ChunkSource(const text::TextBuffer& text) : buffer(text) {}

  const text::TextBuffer& buffer;
  text::Position next;
  bool done = false;      ///< the last code unit is gathered
  bool finished = false;  ///< and encoded, with what ends the file
  std::u16string units;

  // Gathers up to `limit` code units from `next` on, each paragraph end as "\n";
  // a character outside the BMP is never parted between two chunks.
  void Gather(std::size_t limit) {
    units.clear();
    const std::size_t last = buffer.ParagraphCount() - 1;
    while (units.size() < limit) {
      const std::size_t length = buffer.Length(next.paragraph);
      const std::size_t take = std::min(length - next.offset, limit - units.size());
      const text::Position end{next.paragraph, next.offset + take};
      if (const auto whole = buffer.Contiguous(next.paragraph))
        units.append(whole->substr(next.offset, take));
      else
        units.append(buffer.Text({next, end}));
      next = end;
      if (next.offset < length) break;
      if (next.paragraph == last) {
        done = true;
        break;
      }
      units.push_back(u'\n');
      next = {next.paragraph + 1, 0};
    }
    if (!done && units.size() > 1 && IsHighSurrogate(units.back()) && next.offset > 0) {
      units.pop_back();
      --next.offset;
    }
  }
};

}  // namespace

FillChunk BufferChunks(const text::TextBuffer& buffer, const TextFormat& format) {
  auto encoder = std::make_shared<FileEncoder>(format);
  auto source = std::make_shared<ChunkSource>(buffer);
  return [encoder, source](char* out, std::size_t capacity) -> std::size_t {
    // The first chunk is encoded even for an empty text: it holds the byte-order mark.
    if (source->finished) return 0;
    source->Gather((capacity - 16) / encoder->MaxBytesPerUnit());
    std::size_t n = encoder->Encode(source->units, out);
    if (source->done) {
      n += encoder->Finish(out + n);
      source->finished = true;
    }
    return n;
  };
}

std::string BufferToSjis(const text::TextBuffer& buffer) {
  // Room for the longest encoding is reserved but never cleared: only the pages
  // the bytes are copied into become memory.
  std::string sjis;
  sjis.reserve(2 * buffer.Size());
  const FillChunk fill = BufferChunks(buffer, TextFormat{});
  const auto chunk = std::make_unique_for_overwrite<char[]>(kChunkBytes);
  while (const std::size_t n = fill(chunk.get(), kChunkBytes)) sjis.append(chunk.get(), n);
  return sjis;
}

std::size_t CountUnholdable(const text::TextBuffer& buffer, TextEncoding encoding) {
  std::size_t count = 0;
  buffer.ForEachSpan(buffer.Whole(), [&](std::u16string_view span) {
    count += FileEncoder::CountUnholdable(span, encoding);
  });
  return count;
}
