#pragma once
// The text as paragraphs over two buffers: the file's text, decoded once into a
// buffer that only grows at its end while the file loads, and an append buffer
// that holds every typed character. A paragraph nobody edited is one span of the
// file's text (16 bytes of index); an edited one becomes a short list of pieces of
// its own. Inserting into a paragraph never moves another paragraph's text, so
// typing costs the same in an 8 MB line as in an empty one: the paragraph is
// found by index, the piece by a walk over that paragraph's few pieces, and
// typing at the end of the last typed piece only lengthens it.

#include <QString>

#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

class TextBuffer {
 public:
  /// `capacity` code units are reserved for the file's text and never moved;
  /// only the pages written become memory.
  explicit TextBuffer(std::size_t capacity);

  /// Where the loader writes the file's decoded text, in order, from any thread;
  /// the text reads only what has been committed.
  char16_t* LoadArea() { return m_file.get(); }
  /// Takes the next `count` code units written into LoadArea() into the text:
  /// each "\n" among them ends a paragraph.
  void CommitLoaded(std::size_t count);
  std::size_t Loaded() const { return m_loaded; }

  int ParagraphCount() const { return static_cast<int>(m_paras.size()); }
  qsizetype Length(int para) const { return m_paras[para].length; }
  /// The text of `para` from `from` to `to` (clamped to the paragraph).
  QString Text(int para, qsizetype from, qsizetype to) const;

  /// Inserts `text` (no line ends) into `para` at `offset`.
  void Insert(int para, qsizetype offset, const QString& text);
  /// Ends `para` at `offset`; the rest becomes the next paragraph.
  void Split(int para, qsizetype offset);

 private:
  struct Piece {
    bool typed;  // in the append buffer, else in the file's text
    std::size_t start;
    qsizetype length;
  };
  struct Paragraph {
    std::uint64_t start;  // in the file's text, while unedited
    std::uint32_t length;
    std::int32_t edit = -1;  // index into m_edits once edited
  };
  static_assert(sizeof(Paragraph) == 16);

  const char16_t* Source(const Piece& piece) const;
  std::vector<Piece>& Pieces(int para);
  void Grow(Paragraph& para, std::size_t start, std::size_t count);

  std::unique_ptr<char16_t[]> m_file;
  std::size_t m_loaded = 0;
  std::u16string m_typed;
  // In blocks, so that growing to millions of paragraphs never copies them all
  // while the window waits.
  std::deque<Paragraph> m_paras;
  std::vector<std::vector<Piece>> m_edits;
};
