#include "framework/TextBoundary.h"

QString SjisToText(std::string_view sjis, cp932::LineEnds lineEnds) {
  QString text(static_cast<qsizetype>(sjis.size()), Qt::Uninitialized);
  const std::size_t n = cp932::DecodeTo(sjis, reinterpret_cast<char16_t*>(text.data()), lineEnds);
  text.resize(static_cast<qsizetype>(n));
  return text;
}

namespace {

std::u16string_view View(const QString& text) {
  return {reinterpret_cast<const char16_t*>(text.constData()),
          static_cast<std::size_t>(text.size())};
}

}  // namespace

std::string TextToSjis(const QString& text) {
  return cp932::Encode(View(text), cp932::LineEnds::Paragraphs);
}

QString RepresentableText(const QString& text, std::size_t& replaced) {
  std::u16string units(View(text));
  replaced = cp932::MakeRepresentable(units);
  return QString::fromUtf16(units.data(), static_cast<qsizetype>(units.size()));
}
