#include "textview/TextFind.h"

#include <QStringView>

namespace textview {

namespace {

// The paragraph's text, read in place when it is stored in one span.
class ParagraphText {
 public:
  ParagraphText(const text::TextBuffer& buffer, std::size_t paragraph, bool blanksForNbsp) {
    if (const auto whole = buffer.Contiguous(paragraph)) {
      m_view = QStringView(whole->data(), static_cast<qsizetype>(whole->size()));
    } else {
      m_copy = QString::fromStdU16String(
          buffer.Text({{paragraph, 0}, {paragraph, buffer.Length(paragraph)}}));
      m_view = m_copy;
    }
    // A no-break space is found as a blank, as the plain-text control finds it.
    if (blanksForNbsp && m_view.contains(QChar::Nbsp)) {
      if (m_copy.isNull()) m_copy = m_view.toString();
      m_copy.replace(QChar::Nbsp, u' ');
      m_view = m_copy;
    }
  }
  QStringView View() const { return m_view; }

 private:
  QString m_copy;
  QStringView m_view;
};

// The match in `text` at or after `offset` (backward: starting at or before
// it); one that is not a whole word, when whole words are asked for, is passed
// over and the search goes on.
qsizetype FindInParagraph(QStringView text, const QString& what, qsizetype offset,
                          const FindOptions& options) {
  const Qt::CaseSensitivity cs = options.matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
  while (offset >= 0 && offset <= text.size()) {
    const qsizetype at =
        options.backward ? text.lastIndexOf(what, offset, cs) : text.indexOf(what, offset, cs);
    if (at < 0) return -1;
    if (options.wholeWord) {
      const qsizetype end = at + what.size();
      if ((at != 0 && text.at(at - 1).isLetterOrNumber()) ||
          (end != text.size() && text.at(end).isLetterOrNumber())) {
        offset = options.backward ? at - 1 : end + 1;
        continue;
      }
    }
    return at;
  }
  return -1;
}

}  // namespace

std::optional<text::Range> Find(const text::TextBuffer& buffer, const QString& what,
                                text::Position from, const FindOptions& options) {
  if (what.isEmpty()) return std::nullopt;
  from = buffer.Clamp(from);
  const bool blanks = what.contains(u' ');
  const auto found = [&](std::size_t paragraph, qsizetype at) {
    const auto offset = static_cast<std::size_t>(at);
    const std::size_t end = offset + static_cast<std::size_t>(what.size());
    return text::Range{{paragraph, offset}, {paragraph, end}};
  };
  if (!options.backward) {
    auto offset = static_cast<qsizetype>(from.offset);
    for (std::size_t p = from.paragraph; p < buffer.ParagraphCount(); ++p, offset = 0) {
      const ParagraphText text(buffer, p, blanks);
      const qsizetype at = FindInParagraph(text.View(), what, offset, options);
      if (at >= 0) return found(p, at);
    }
    return std::nullopt;
  }
  // Backward: a place lies between two characters, so the one after it is not
  // searched; the paragraph end before a place is not a character to search.
  if (from.offset == 0 && from.paragraph == 0) return std::nullopt;
  std::size_t p = from.paragraph;
  qsizetype offset = static_cast<qsizetype>(from.offset) - 1;
  if (from.offset == 0) {
    --p;
    offset = static_cast<qsizetype>(buffer.Length(p)) - 1;
  }
  for (;;) {
    const ParagraphText text(buffer, p, blanks);
    const qsizetype at = FindInParagraph(text.View(), what, offset, options);
    if (at >= 0) return found(p, at);
    if (p == 0) return std::nullopt;
    --p;
    offset = static_cast<qsizetype>(buffer.Length(p)) - 1;
  }
}

}  // namespace textview
