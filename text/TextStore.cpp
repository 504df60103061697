#include "text/TextStore.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace text::store {

namespace {

// The pieces of `pieces` between the offsets `from` and `to`.
std::vector<Piece> Slice(const std::vector<Piece>& pieces, std::uint64_t from, std::uint64_t to) {
  std::vector<Piece> slice;
  std::uint64_t at = 0;
  for (const Piece& piece : pieces) {
    const std::uint64_t a = std::max(from, at), b = std::min(to, at + piece.length);
    if (a < b) slice.push_back({piece.start + (a - at), b - a, piece.added});
    at += piece.length;
    if (at >= to) break;
  }
  return slice;
}

std::uint64_t LengthOf(const std::vector<Piece>& pieces) {
  std::uint64_t length = 0;
  for (const Piece& piece : pieces) length += piece.length;
  return length;
}

void Append(std::vector<Piece>& pieces, std::vector<Piece>&& more) {
  if (pieces.empty())
    pieces = std::move(more);
  else
    pieces.insert(pieces.end(), more.begin(), more.end());
}

// Pieces that follow each other in one store become one: typing on after the
// last typed character only lengthens its piece.
void Coalesce(std::vector<Piece>& pieces) {
  std::size_t kept = 0;
  for (const Piece& piece : pieces) {
    if (piece.length == 0) continue;
    if (kept > 0) {
      Piece& last = pieces[kept - 1];
      if (last.added == piece.added && last.start + last.length == piece.start) {
        last.length += piece.length;
        continue;
      }
    }
    pieces[kept++] = piece;
  }
  pieces.resize(kept);
}

}  // namespace

std::vector<Piece> Paragraphs::PiecesOf(std::size_t p) const {
  const Paragraph& para = m_index.paras[p];
  if (para.HasPieces()) return m_index.edits[para.start];
  if (para.Length() == 0) return {};
  return {{para.start, para.Length(), para.Added()}};
}

void Paragraphs::Reset() {
  m_index = Index{};
  m_units = 0;
}

void Paragraphs::Release(const Paragraph& para) {
  if (!para.HasPieces()) return;
  std::vector<Piece>().swap(m_index.edits[para.start]);
  m_index.freeEdits.push_back(para.start);
}

Paragraph Paragraphs::Make(std::vector<Piece> pieces) {
  Coalesce(pieces);
  if (pieces.empty()) return {};
  if (pieces.size() == 1) return Paragraph::Span(pieces.front());
  const std::uint64_t length = LengthOf(pieces);
  std::uint64_t slot;
  if (!m_index.freeEdits.empty()) {
    slot = m_index.freeEdits.back();
    m_index.freeEdits.pop_back();
    m_index.edits[slot] = std::move(pieces);
  } else {
    slot = m_index.edits.size();
    m_index.edits.push_back(std::move(pieces));
  }
  return {slot, length << 2 | 2};
}

void Paragraphs::SetPieces(std::size_t p, std::vector<Piece> pieces) {
  Release(m_index.paras[p]);
  m_index.paras[p] = Make(std::move(pieces));
}

void Paragraphs::AppendFile(std::uint64_t start, std::uint64_t count) {
  const char16_t* text = m_file + start;
  const char16_t* const end = text + count;
  for (;;) {
    const char16_t* lineEnd = std::find(text, end, u'\n');
    const Piece piece{static_cast<std::uint64_t>(text - m_file),
                      static_cast<std::uint64_t>(lineEnd - text), false};
    if (piece.length > 0) {
      Paragraph& last = m_index.paras.back();
      if (last.Length() == 0 && !last.HasPieces())
        last = Paragraph::Span(piece);
      else if (!last.HasPieces() && !last.Added() && last.start + last.Length() == piece.start)
        last.bits += piece.length << 2;
      else {
        std::vector<Piece> pieces = PiecesOf(m_index.paras.size() - 1);
        pieces.push_back(piece);
        SetPieces(m_index.paras.size() - 1, std::move(pieces));
      }
      m_units += piece.length;
    }
    if (lineEnd == end) break;
    m_index.paras.push_back({});
    ++m_units;
    text = lineEnd + 1;
  }
}

Content Paragraphs::AddedText(std::uint64_t start, std::uint64_t count) const {
  Content content;
  const char16_t* const base = m_added.data();
  const char16_t* text = base + start;
  const char16_t* const end = text + count;
  for (;;) {
    const char16_t* lineEnd = std::find(text, end, u'\n');
    const auto length = static_cast<std::uint64_t>(lineEnd - text);
    if (length > 0)
      content.parts.back().push_back({static_cast<std::uint64_t>(text - base), length, true});
    content.lastLength = length;
    if (lineEnd == end) break;
    content.parts.emplace_back();
    ++content.breaks;
    text = lineEnd + 1;
  }
  content.units = count;
  return content;
}

Content Paragraphs::Cut(Range range) {
  Content content;
  if (range.Empty()) return content;
  const std::size_t b = range.begin.paragraph, e = range.end.paragraph;
  auto& paras = m_index.paras;
  // The whole text: its index is kept as it is, so that taking out and putting
  // back a text of millions of paragraphs costs no more than a few moves.
  if (range.begin == Position{} && e == paras.size() - 1 && range.end.offset == Length(e)) {
    content.breaks = e;
    content.lastLength = Length(e);
    content.units = m_units;
    content.whole = std::make_unique<Index>(std::move(m_index));
    Reset();
    return content;
  }
  const std::vector<Piece> first = PiecesOf(b);
  if (b == e) {
    content.parts.front() = Slice(first, range.begin.offset, range.end.offset);
    content.lastLength = range.end.offset - range.begin.offset;
    content.units = content.lastLength;
    std::vector<Piece> kept = Slice(first, 0, range.begin.offset);
    Append(kept, Slice(first, range.end.offset, Length(b)));
    SetPieces(b, std::move(kept));
  } else {
    content.parts.clear();
    content.parts.push_back(Slice(first, range.begin.offset, Length(b)));
    content.units = Length(b) - range.begin.offset;
    for (std::size_t p = b + 1; p < e; ++p) {
      content.parts.push_back(PiecesOf(p));
      content.units += Length(p);
    }
    const std::vector<Piece> last = PiecesOf(e);
    content.parts.push_back(Slice(last, 0, range.end.offset));
    content.breaks = e - b;
    content.lastLength = range.end.offset;
    content.units += content.lastLength + content.breaks;
    std::vector<Piece> joined = Slice(first, 0, range.begin.offset);
    Append(joined, Slice(last, range.end.offset, Length(e)));
    for (std::size_t p = b + 1; p <= e; ++p) Release(paras[p]);
    paras.erase(paras.begin() + static_cast<std::ptrdiff_t>(b + 1),
                paras.begin() + static_cast<std::ptrdiff_t>(e + 1));
    SetPieces(b, std::move(joined));
  }
  m_units -= content.units;
  return content;
}

Position Paragraphs::Paste(Position at, Content content) {
  if (content.Empty()) return at;
  const Position end = content.EndFrom(at);
  if (content.whole) {
    if (m_units == 0) {
      m_index = std::move(*content.whole);
      m_units = content.units;
      return end;
    }
    // Into a text that is not empty (never the case for a whole text's Undo):
    // as the pieces of its paragraphs.
    std::vector<std::vector<Piece>> parts;
    Paragraphs whole(m_file, m_added);
    whole.m_index = std::move(*content.whole);
    for (std::size_t p = 0; p < whole.Count(); ++p) parts.push_back(whole.PiecesOf(p));
    content.parts = std::move(parts);
    content.whole.reset();
  }
  auto& paras = m_index.paras;
  const std::vector<Piece> target = PiecesOf(at.paragraph);
  std::vector<Piece> tail = Slice(target, at.offset, Length(at.paragraph));
  std::vector<Piece> head = Slice(target, 0, at.offset);
  Append(head, std::move(content.parts.front()));
  if (content.breaks == 0) {
    Append(head, std::move(tail));
    SetPieces(at.paragraph, std::move(head));
  } else {
    std::vector<Paragraph> fresh;
    fresh.reserve(content.breaks);
    for (std::size_t i = 1; i < content.parts.size(); ++i) {
      std::vector<Piece>& part = content.parts[i];
      if (i + 1 == content.parts.size()) Append(part, std::move(tail));
      fresh.push_back(Make(std::move(part)));
    }
    paras.insert(paras.begin() + static_cast<std::ptrdiff_t>(at.paragraph + 1), fresh.begin(),
                 fresh.end());
    SetPieces(at.paragraph, std::move(head));
  }
  m_units += content.units;
  return end;
}

}  // namespace text::store
