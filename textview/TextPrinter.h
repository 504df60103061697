#pragma once
// Printing a text::TextBuffer: every paragraph wrapped at the page's width in the
// given font, as many rows to a page as fit, pages in order; no header, footer or
// page number. Paragraphs are laid out one at a time, so a large text prints
// without holding its whole layout.

#include "text/TextBuffer.h"

class QFont;
class QPagedPaintDevice;

namespace textview {

/// Prints `buffer` on `device` (a QPrinter, or a QPdfWriter in tests) within the
/// device's page layout margins, in `font` scaled to the device's resolution.
/// Returns false when painting on the device could not begin.
bool PrintText(const text::TextBuffer& buffer, const QFont& font, QPagedPaintDevice& device);

}  // namespace textview
