#pragma once
#include "kanji/TextFormat.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

class BackgroundConversion;
class FileReader;
class QWidget;
class SettingsFile;

/// What a plain (not rich-text) file gives the editor.
struct FileText {
  std::string sjis;          ///< the text for the view: Shift-JIS
  TextFormat format;         ///< the form Save writes it back in
  std::size_t replaced = 0;  ///< characters that became "〓" on conversion
  std::u16string samples;    ///< up to ten of them
  /// UTF-16 read as its bytes, where most CR and LF bytes are halves of characters:
  /// only format.lineEnd ends a paragraph, so that Save writes every byte back.
  bool onlyOwnLineEnds = false;
  /// The rest of a file whose head is `sjis`, not read yet: bytes that come in
  /// as they are, like the head (null when `sjis` is the whole text).
  std::shared_ptr<FileReader> rest;
  /// The whole file's conversion, still running, when `sjis` is only its head's
  /// lines converted (null when `sjis` is the whole conversion).
  std::shared_ptr<BackgroundConversion> conversion;
};

/// How a plain file is read, as its head shows and the user answers: converted
/// from `convertFrom` to Shift-JIS, or its bytes as they are.
struct FileReading {
  std::optional<TextEncoding> convertFrom;
  /// UTF-16 kept as its bytes (see FileText::onlyOwnLineEnds).
  bool onlyOwnLineEnds = false;
};

/// With "Kanji_auto" exactly 1 in `settings`, the encoding other than
/// Shift-JIS that `head` is recognised as: UTF-8 or UTF-16, else JIS or EUC-JP
/// (on the text up to its first NUL). `head` is the whole file or at least its
/// first 8194 bytes. Nothing is asked.
std::optional<TextEncoding> RecognizedEncoding(std::string_view head, const SettingsFile& settings);

/// Asks the user (in a box owned by `owner`) whether a file recognised as
/// `encoding` is converted; otherwise its bytes are read as they are.
FileReading AskFileReading(TextEncoding encoding, QWidget* owner);

/// The text of a plain file's `bytes` read as `reading` says (a conversion keeps
/// every NUL): the whole file for a conversion, else the whole or its head.
/// Throws std::bad_alloc when memory runs out.
FileText ReadFileBytes(std::string bytes, const FileReading& reading);
