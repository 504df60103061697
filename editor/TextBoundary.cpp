#include "editor/TextBoundary.h"

#include "platform/Cp932Codec.h"

QString SjisToText(std::string_view sjis) {
  QString text(static_cast<qsizetype>(sjis.size()), Qt::Uninitialized);
  const std::size_t n = cp932::DecodeTo(sjis, reinterpret_cast<char16_t*>(text.data()),
                                        cp932::LineEnds::Paragraphs);
  text.resize(static_cast<qsizetype>(n));
  return text;
}

std::string TextToSjis(const QString& text) {
  std::string sjis(static_cast<std::size_t>(text.size()) * 2, '\0');
  const std::size_t n = cp932::EncodeTo(
      std::u16string_view(reinterpret_cast<const char16_t*>(text.constData()),
                          static_cast<std::size_t>(text.size())),
      sjis.data(), cp932::LineEnds::Paragraphs);
  sjis.resize(n);
  return sjis;
}
