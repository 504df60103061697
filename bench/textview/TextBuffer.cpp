#include "bench/textview/TextBuffer.h"

#include <algorithm>
#include <cstring>

TextBuffer::TextBuffer(std::size_t capacity)
    : m_file(new char16_t[std::max<std::size_t>(capacity, 1)]), m_paras{{0, 0}} {}

void TextBuffer::CommitLoaded(std::size_t count) {
  const char16_t* p = m_file.get() + m_loaded;
  const char16_t* end = p + count;
  for (;;) {
    const char16_t* nl = std::find(p, end, u'\n');
    Grow(m_paras.back(), static_cast<std::size_t>(p - m_file.get()),
         static_cast<std::size_t>(nl - p));
    if (nl == end) break;
    m_paras.push_back({static_cast<std::uint64_t>(nl + 1 - m_file.get()), 0});
    p = nl + 1;
  }
  m_loaded += count;
}

// The file's text goes on at the end of the last paragraph, after anything typed there.
void TextBuffer::Grow(Paragraph& para, std::size_t start, std::size_t count) {
  if (count == 0) return;
  if (para.edit >= 0) {
    auto& pieces = m_edits[para.edit];
    if (!pieces.empty() && !pieces.back().typed &&
        pieces.back().start + static_cast<std::size_t>(pieces.back().length) == start)
      pieces.back().length += static_cast<qsizetype>(count);
    else
      pieces.push_back({false, start, static_cast<qsizetype>(count)});
  }
  para.length += static_cast<std::uint32_t>(count);
}

const char16_t* TextBuffer::Source(const Piece& piece) const {
  return (piece.typed ? m_typed.data() : m_file.get()) + piece.start;
}

QString TextBuffer::Text(int para, qsizetype from, qsizetype to) const {
  const Paragraph& p = m_paras[para];
  from = std::clamp<qsizetype>(from, 0, p.length);
  to = std::clamp<qsizetype>(to, from, p.length);
  if (p.edit < 0)
    return QString(reinterpret_cast<const QChar*>(m_file.get() + p.start + from), to - from);
  QString text;
  text.reserve(to - from);
  qsizetype at = 0;
  for (const Piece& piece : m_edits[p.edit]) {
    const qsizetype a = std::max(from, at), b = std::min(to, at + piece.length);
    if (a < b)
      text.append(reinterpret_cast<const QChar*>(Source(piece) + (a - at)), b - a);
    at += piece.length;
    if (at >= to) break;
  }
  return text;
}

std::vector<TextBuffer::Piece>& TextBuffer::Pieces(int para) {
  Paragraph& p = m_paras[para];
  if (p.edit < 0) {
    p.edit = static_cast<std::int32_t>(m_edits.size());
    m_edits.emplace_back();
    if (p.length > 0) m_edits.back().push_back({false, p.start, p.length});
  }
  return m_edits[p.edit];
}

void TextBuffer::Insert(int para, qsizetype offset, const QString& text) {
  if (text.isEmpty()) return;
  auto& pieces = Pieces(para);
  const std::size_t start = m_typed.size();
  m_typed.append(reinterpret_cast<const char16_t*>(text.utf16()),
                 static_cast<std::size_t>(text.size()));
  const Piece typed{true, start, text.size()};
  qsizetype at = 0;
  auto it = pieces.begin();
  for (; it != pieces.end() && at + it->length < offset; ++it) at += it->length;
  if (it == pieces.end()) {
    pieces.push_back(typed);
  } else if (offset == at) {
    pieces.insert(it, typed);
  } else if (offset == at + it->length) {
    // Typing on after the last typed text only lengthens its piece.
    if (it->typed && it->start + static_cast<std::size_t>(it->length) == start)
      it->length += typed.length;
    else
      pieces.insert(it + 1, typed);
  } else {
    // Inside a piece: it is cut in two around the new one.
    Piece tail = *it;
    const qsizetype cut = offset - at;
    it->length = cut;
    tail.start += static_cast<std::size_t>(cut);
    tail.length -= cut;
    it = pieces.insert(it + 1, typed);
    pieces.insert(it + 1, tail);
  }
  m_paras[para].length += static_cast<std::uint32_t>(text.size());
}

void TextBuffer::Split(int para, qsizetype offset) {
  auto& pieces = Pieces(para);
  std::vector<Piece> rest;
  qsizetype at = 0;
  std::size_t keep = 0;
  for (; keep < pieces.size() && at + pieces[keep].length <= offset; ++keep)
    at += pieces[keep].length;
  if (keep < pieces.size() && at < offset) {
    Piece tail = pieces[keep];
    const qsizetype cut = offset - at;
    pieces[keep].length = cut;
    tail.start += static_cast<std::size_t>(cut);
    tail.length -= cut;
    rest.push_back(tail);
    ++keep;
  }
  rest.insert(rest.end(), pieces.begin() + static_cast<std::ptrdiff_t>(keep), pieces.end());
  pieces.resize(keep);
  const auto restLength = m_paras[para].length - static_cast<std::uint32_t>(offset);
  m_paras[para].length = static_cast<std::uint32_t>(offset);
  // Every later paragraph moves down one place: linear in their number (a tree
  // of paragraphs would make this logarithmic).
  Paragraph next{0, restLength, static_cast<std::int32_t>(m_edits.size())};
  m_edits.push_back(std::move(rest));
  m_paras.insert(m_paras.begin() + para + 1, next);
}
