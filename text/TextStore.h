#pragma once
// The paragraphs of a text::TextBuffer over its two stores, and the two
// operations every edit and every Undo is made of: cutting a range out as
// references to the stores, and pasting such references in. Nothing here
// copies text.

#include "text/TextBuffer.h"

#include <algorithm>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace text::store {

/// Code units in one of the two stores.
struct Piece {
  std::uint64_t start = 0;
  std::uint64_t length = 0;
  bool added = false;  ///< in the append store, else in the file's
};

/// A paragraph nobody edited is one span (of either store); an edited one a
/// list of pieces of its own in Index::edits. 16 bytes either way.
struct Paragraph {
  std::uint64_t start = 0;  ///< the span's start, or the index of its pieces
  std::uint64_t bits = 0;   ///< length << 2 | pieces << 1 | added

  std::uint64_t Length() const { return bits >> 2; }
  bool HasPieces() const { return bits & 2; }
  bool Added() const { return bits & 1; }
  static Paragraph Span(const Piece& piece) {
    return {piece.start, piece.length << 2 | (piece.added ? 1u : 0u)};
  }
};
static_assert(sizeof(Paragraph) == 16);

struct Index {
  // In blocks, so that growing to millions of paragraphs never copies them all.
  std::deque<Paragraph> paras{Paragraph{}};
  std::vector<std::vector<Piece>> edits;
  std::vector<std::uint64_t> freeEdits;
};

/// Text cut out of the paragraphs: its pieces, paragraph ends between them; or a
/// whole text's index, kept as it was.
struct Content {
  std::vector<std::vector<Piece>> parts{{}};  ///< one per paragraph part, in order
  std::unique_ptr<Index> whole;               ///< instead of the parts
  std::uint64_t breaks = 0;                   ///< paragraph ends
  std::uint64_t lastLength = 0;               ///< code units after the last of them
  std::uint64_t units = 0;                    ///< all code units, each paragraph end counting one

  std::size_t Breaks() const { return breaks; }
  bool Empty() const { return units == 0; }
  /// Where this content ends when it starts at `begin`.
  Position EndFrom(Position begin) const {
    if (Breaks() == 0) return {begin.paragraph, begin.offset + lastLength};
    return {begin.paragraph + Breaks(), lastLength};
  }
};

class Paragraphs {
 public:
  Paragraphs(const char16_t* const& file, const std::u16string& added)
      : m_file(file), m_added(added) {}

  Index& Whole() { return m_index; }
  const Index& Whole() const { return m_index; }
  std::size_t Count() const { return m_index.paras.size(); }
  std::uint64_t Length(std::size_t p) const { return m_index.paras[p].Length(); }
  std::uint64_t Units() const { return m_units; }

  /// The paragraph's pieces, a span counting as one (none when empty).
  std::vector<Piece> PiecesOf(std::size_t p) const;
  /// Calls `visit(const char16_t*, length)` for the paragraph's text from `from`
  /// up to `to`, piece by piece.
  template <class Visit>
  void ForEachPiece(std::size_t p, std::uint64_t from, std::uint64_t to, Visit&& visit) const {
    const Paragraph& para = m_index.paras[p];
    if (!para.HasPieces()) {
      if (from < to) visit(Source({para.start, 0, para.Added()}) + from, to - from);
      return;
    }
    std::uint64_t at = 0;
    for (const Piece& piece : m_index.edits[para.start]) {
      const std::uint64_t a = std::max(from, at), b = std::min(to, at + piece.length);
      if (a < b) visit(Source(piece) + (a - at), b - a);
      at += piece.length;
      if (at >= to) break;
    }
  }
  /// Calls `visit(const Piece&)` for each non-empty piece of the paragraph.
  template <class Visit>
  void ForEachStoredPiece(std::size_t p, Visit&& visit) const {
    const Paragraph& para = m_index.paras[p];
    if (!para.HasPieces()) {
      if (para.Length() > 0) visit(Piece{para.start, para.Length(), para.Added()});
      return;
    }
    for (const Piece& piece : m_index.edits[para.start])
      if (piece.length > 0) visit(piece);
  }
  const char16_t* Source(const Piece& piece) const {
    return (piece.added ? m_added.data() : m_file) + piece.start;
  }

  /// Text of the file's store from `start` on at the end of the text; each "\n"
  /// in it ends a paragraph.
  void AppendFile(std::uint64_t start, std::uint64_t count);
  /// Removes `range` (valid, ordered) and gives what it held.
  Content Cut(Range range);
  /// Inserts `content` at `at` (valid); returns where it ends.
  Position Paste(Position at, Content content);
  /// Content for `count` code units of the append store from `start` on, "\n" ending a part.
  Content AddedText(std::uint64_t start, std::uint64_t count) const;
  void Reset();

 private:
  void SetPieces(std::size_t p, std::vector<Piece> pieces);
  void Release(const Paragraph& para);
  Paragraph Make(std::vector<Piece> pieces);

  const char16_t* const& m_file;
  const std::u16string& m_added;
  Index m_index;
  std::uint64_t m_units = 0;  ///< code units, each paragraph end counting one
};

}  // namespace text::store
