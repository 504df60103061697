#pragma once
// Finding a string in a text::TextBuffer as a plain-text control's find does:
// within a paragraph (the string holds no paragraph end), optionally without
// regard to case (Unicode case folding, as QString compares) and for whole words
// only (no letter or digit right before or after the match).

#include "text/TextBuffer.h"

#include <QString>

#include <optional>

namespace textview {

struct FindOptions {
  bool matchCase = false;
  bool wholeWord = false;
  bool backward = false;
};

/// The first match after `from` (forward: starting at or after it; backward:
/// ending at or before it), without wrapping around; nothing when there is none
/// or `what` is empty. Reads unedited paragraphs in place, without copying them.
std::optional<text::Range> Find(const text::TextBuffer& buffer, const QString& what,
                                text::Position from, const FindOptions& options);

}  // namespace textview
