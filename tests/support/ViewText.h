#pragma once
// The edit control's text and caret as tests read and set them: the text as one
// QString with "\n" between paragraphs, places as offsets into it.

#include "textview/TextEdit.h"

#include <QString>
#include <cstddef>

QString PlainText(const textview::TextEdit& edit);
/// The whole text replaced as a file's text is: no history, not modified.
void SetPlainText(textview::TextEdit& edit, const QString& text);
QString SelectedText(const textview::TextEdit& edit);

/// The place `offset` code units into the text, a paragraph end counting one.
text::Position PositionAt(const text::TextBuffer& text, std::size_t offset);
std::size_t OffsetOf(const text::TextBuffer& text, text::Position position);
/// Selects from offset `anchor` to offset `caret`.
void Select(textview::TextEdit& edit, std::size_t anchor, std::size_t caret);
std::size_t CaretOffset(const textview::TextEdit& edit);
std::size_t AnchorOffset(const textview::TextEdit& edit);
void MoveToEnd(textview::TextEdit& edit);
void MoveToStart(textview::TextEdit& edit);
