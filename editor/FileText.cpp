#include "editor/FileText.h"

#include "framework/MessageBox.h"
#include "kanji/KanjiConverter.h"
#include "kanji/UnicodeText.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsKeys.h"

namespace {

bool ConversionWanted(const char* firstLine, QWidget* owner) {
  const QString text = QString::fromUtf8(firstLine) + QStringLiteral("\n") +
                       QString::fromUtf8("シフトJISに変換して読み込みますか？");
  return ShowMessageBox(owner, text, QStringLiteral("Wex"), QMessageBox::Yes | QMessageBox::No) ==
         QMessageBox::Yes;
}

FileText AsTheyAre(std::string bytes) {
  FileText text;
  text.format.lineEnd = FirstLineEnd(bytes);
  text.sjis = std::move(bytes);
  return text;
}

// A UTF-8 or UTF-16 file's bytes converted.
FileText UnicodeFileText(std::string bytes, TextEncoding encoding) {
  ShiftJisText converted = UnicodeToShiftJis(bytes, encoding);
  FileText text;
  text.format.encoding = encoding;
  text.format.utf16Mark = bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF");
  text.format.jisCodePoints = converted.jisCodePoints;
  std::string().swap(bytes);
  text.format.lineEnd = FirstLineEnd(converted.sjis);
  text.sjis = std::move(converted.sjis);
  text.replaced = converted.replaced;
  text.samples = std::move(converted.samples);
  return text;
}

}  // namespace

std::optional<TextEncoding> RecognizedEncoding(std::string_view head,
                                               const SettingsFile& settings) {
  if (settings.ReadInt(section::kSetting, key::kKanjiAuto) != 1) return std::nullopt;
  // Recognition reads the text up to its first NUL (UTF-16, which is full of
  // NULs, from the start); nothing after it is lost.
  const TextEncoding encoding = RecognizeEncoding(head);
  if (encoding == TextEncoding::ShiftJis) return std::nullopt;
  return encoding;
}

FileReading AskFileReading(TextEncoding encoding, QWidget* owner) {
  const char* question = nullptr;
  switch (encoding) {
    case TextEncoding::Jis: question = "このﾌｧｲﾙはJISコードで記述されていると思われます。"; break;
    case TextEncoding::EucJp: question = "このﾌｧｲﾙはEUCコードで記述されていると思われます。"; break;
    case TextEncoding::Utf16Le:
    case TextEncoding::Utf16Be: question = "このﾌｧｲﾙはUTF-16で記述されていると思われます。"; break;
    default: question = "このﾌｧｲﾙはUTF-8で記述されていると思われます。"; break;
  }
  if (ConversionWanted(question, owner)) return {encoding, false};
  const bool utf16 = encoding == TextEncoding::Utf16Le || encoding == TextEncoding::Utf16Be;
  return {std::nullopt, utf16};
}

FileText ReadFileBytes(std::string bytes, const FileReading& reading) {
  if (!reading.convertFrom) {
    FileText text = AsTheyAre(std::move(bytes));
    text.onlyOwnLineEnds = reading.onlyOwnLineEnds;
    return text;
  }
  const TextEncoding from = *reading.convertFrom;
  if (from != TextEncoding::Jis && from != TextEncoding::EucJp)
    return UnicodeFileText(std::move(bytes), from);
  std::string sjis = ConvertKeepingNuls(bytes, from == TextEncoding::Jis ? KANJI_JIS : KANJI_EUC);
  // The caller may hold the argument until its own statement ends; the source
  // bytes are not needed any more.
  std::string().swap(bytes);
  return AsTheyAre(std::move(sjis));
}
