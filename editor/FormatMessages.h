#pragma once
// What the user is told when a file's characters do not all fit the encoding.

#include "kanji/TextFormat.h"

#include <cstddef>
#include <string>

class QWidget;

/// After a conversion: how many characters became "〓", and up to ten of them.
void ReportReplacedCharacters(QWidget* owner, std::size_t count, const std::u16string& samples);

/// Before a write: asks whether the `count` characters `encoding` cannot hold may be
/// written as "〓". True for Yes.
bool AgreeToReplaceUnholdable(QWidget* owner, std::size_t count, TextEncoding encoding);
