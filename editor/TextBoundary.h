#pragma once
#include "kanji/TextFormat.h"
#include "platform/ChunkedWrite.h"
#include "platform/Cp932Codec.h"

#include <QString>
#include <string>
#include <string_view>

// Conversions at the edit control's boundary: Shift-JIS bytes with CR LF, CR or
// LF paragraph ends (or as `lineEnds` says) in; Shift-JIS with CR LF out.
// Characters CP932 cannot hold become "?" on the way out.
QString SjisToText(std::string_view sjis,
                   cp932::LineEnds lineEnds = cp932::LineEnds::Paragraphs);
std::string TextToSjis(const QString& text);
/// TextToSjis(text) produced a chunk at a time, for writing a file while it is encoded.
FillChunk SjisChunks(QString text);
/// The same text as a file in `format` (see FileEncoder), a chunk at a time.
/// Throws std::runtime_error when the system has no converter for the encoding.
FillChunk FileChunks(QString text, const TextFormat& format);
/// How many characters of `text` `encoding` cannot hold (see FileEncoder).
std::size_t CountUnholdable(const QString& text, TextEncoding encoding);
/// `text` as text entering the view must be (cp932::MakeRepresentable); `replaced`
/// is set to how many characters became "〓".
QString RepresentableText(const QString& text, std::size_t& replaced);
