#pragma once
#include "platform/Cp932Codec.h"

#include <QString>
#include <string>
#include <string_view>

// Conversions at the edit control's boundary: Shift-JIS bytes with CR LF, CR or
// LF paragraph ends (or as `lineEnds` says) in; Shift-JIS with CR LF out.
// Characters CP932 cannot hold become "?" on the way out.
QString SjisToText(std::string_view sjis, cp932::LineEnds lineEnds = cp932::LineEnds::Paragraphs);
std::string TextToSjis(const QString& text);
/// `text` as text entering the view must be (cp932::MakeRepresentable); `replaced`
/// is set to how many characters became "〓".
QString RepresentableText(const QString& text, std::size_t& replaced);
