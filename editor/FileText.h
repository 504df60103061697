#pragma once
#include "kanji/TextFormat.h"

#include <cstddef>
#include <string>

class QWidget;

/// What a plain (not rich-text) file gives the editor.
struct FileText {
  std::string sjis;          ///< the text for the view: Shift-JIS
  TextFormat format;         ///< the form Save writes it back in
  std::size_t replaced = 0;  ///< characters that became "〓" on conversion
  std::u16string samples;    ///< up to ten of them
  /// UTF-16 read as its bytes, where most CR and LF bytes are halves of characters:
  /// only format.lineEnd ends a paragraph, so that Save writes every byte back.
  bool onlyOwnLineEnds = false;
};

/// The text that a plain file's bytes give. With "Kanji_auto" exactly 1 in
/// `settingsPath`, a UTF-8 or UTF-16 text, else a JIS or EUC-JP one (recognised
/// on the text up to its first NUL, converted with every NUL kept) is converted
/// to Shift-JIS when the user answers Yes to the prompt owned by `owner`;
/// otherwise the bytes as they are. Throws std::bad_alloc when memory runs out.
FileText PlainFileText(std::string bytes, const std::string& settingsPath, QWidget* owner);
