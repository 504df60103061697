#include "tests/support/ViewText.h"

namespace {

std::u16string_view Units(const QString& text) {
  return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

}  // namespace

QString PlainText(const textview::TextEdit& edit) {
  return QString::fromStdU16String(edit.Buffer().Text(edit.Buffer().Whole()));
}

void SetPlainText(textview::TextEdit& edit, const QString& text) { edit.SetText(Units(text)); }

QString SelectedText(const textview::TextEdit& edit) {
  return QString::fromStdU16String(edit.SelectedText());
}

text::Position PositionAt(const text::TextBuffer& text, std::size_t offset) {
  text::Position at;
  while (at.paragraph + 1 < text.ParagraphCount() && offset > text.Length(at.paragraph)) {
    offset -= text.Length(at.paragraph) + 1;
    ++at.paragraph;
  }
  at.offset = std::min(offset, text.Length(at.paragraph));
  return at;
}

std::size_t OffsetOf(const text::TextBuffer& text, text::Position position) {
  std::size_t offset = position.offset;
  for (std::size_t p = 0; p < position.paragraph; ++p) offset += text.Length(p) + 1;
  return offset;
}

void Select(textview::TextEdit& edit, std::size_t anchor, std::size_t caret) {
  edit.SetSelection(PositionAt(edit.Buffer(), anchor), PositionAt(edit.Buffer(), caret));
}

std::size_t CaretOffset(const textview::TextEdit& edit) {
  return OffsetOf(edit.Buffer(), edit.Caret());
}
std::size_t AnchorOffset(const textview::TextEdit& edit) {
  return OffsetOf(edit.Buffer(), edit.Anchor());
}

void MoveToEnd(textview::TextEdit& edit) { edit.SetCaret(edit.Buffer().End()); }
void MoveToStart(textview::TextEdit& edit) { edit.SetCaret({}); }
