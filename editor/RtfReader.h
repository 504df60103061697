#pragma once
// The plain text of a rich-text ("{\rtf") file. Plain C++.
//
// Groups, control words and control symbols are interpreted as far as plain text
// needs them: \par, \line, \sect, \page and \row end a paragraph (CR LF); \tab and
// \cell give a TAB; \'hh is the byte hh of the document's code page (932, so two of
// them make one Shift-JIS character); \uN is the character N (negative N counts
// from 65536, surrogate pairs combine), followed by \ucN fallback characters that
// are skipped; \binN skips N bytes of data. The destinations fonttbl, colortbl,
// stylesheet, info and pict, and every group starting with \*, are skipped whole.
// Line breaks in the source mean nothing; text after the outermost group ends is
// ignored. Malformed input never fails: unknown words are ignored, a missing "}"
// ends the text where the input ends. Nesting costs heap, not stack.

#include <string>
#include <string_view>

/// Shift-JIS bytes with CR LF paragraph ends. Characters that Shift-JIS cannot
/// hold become "?".
std::string RtfToText(std::string_view rtf);

/// True when `bytes` starts with exactly "{\rtf" (case-sensitive).
bool IsRichText(std::string_view bytes);
