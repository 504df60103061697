#pragma once
#include <string>

class QWidget;

/// The text that a plain (not rich-text) file's bytes give. With "Kanji_auto"
/// exactly 1 in `settingsPath`, the text ends at its first NUL, its code is
/// recognised, and a JIS or EUC-JP text is converted to Shift-JIS when the user
/// answers Yes to the prompt owned by `owner`; otherwise the bytes as they are.
/// Throws std::bad_alloc when memory runs out.
std::string PlainFileText(std::string bytes, const std::string& settingsPath, QWidget* owner);
