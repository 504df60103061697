#pragma once
// The settings file's text format, on bytes held in memory. Plain C++, no Qt.
//
// A line is ended by LF; a CR just before the LF belongs to the line end. Blanks
// (space, tab) around names and values are not part of them. A line is, after
// trimming:
// - "[name]": opens a section named by the bytes between "[" and the last "]";
// - "key=value": a key of the section above it (the first "=" ends the key);
// - anything else (empty, garbage, no "="): ignored by reads and kept by writes.
// Names compare with ASCII letters folded; the second byte of a Shift-JIS character
// is never folded. Values are bytes, taken as they are (no quotes, no escapes).

#include <optional>
#include <string>
#include <string_view>

/// The value of `key` in `section`: the first such key in file order, over every
/// section of that name. Nothing when the section or key is absent.
std::optional<std::string_view> FindIniValue(std::string_view text, std::string_view section,
                                             std::string_view key);

/// `text` with `key` in `section` set to `value`; every other byte is kept. An
/// existing key keeps its line and only the bytes after its "=" change; a new key
/// becomes the line after the last non-blank line of the first section of that name;
/// a new section goes to the end of the text. New lines end in CR LF.
/// The value is cut at its first CR, LF or NUL (it could not be read back whole).
/// Nothing when a name cannot be stored: empty, holding CR, LF or NUL, or a key that
/// holds "=" or starts with "[".
std::optional<std::string> SetIniValue(std::string_view text, std::string_view section,
                                       std::string_view key, std::string_view value);

/// The number at the start of `value`: an optional "-" and decimal digits, 0 when
/// there is none. Values beyond the range of int saturate at its limits.
int ParseLeadingInt(std::string_view value);
