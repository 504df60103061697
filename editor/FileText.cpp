#include "editor/FileText.h"

#include "settings/Settings.h"
#include "framework/MessageBox.h"
#include "kanji/KanjiConverter.h"
#include "kanji/UnicodeText.h"

namespace {

bool ConversionWanted(const char* firstLine, QWidget* owner) {
  const QString text = QString::fromUtf8(firstLine) + QStringLiteral("\n") +
                       QString::fromUtf8("シフトJISに変換して読み込みますか？");
  return ShowMessageBox(owner, text, QStringLiteral("Wex"),
                        QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

FileText AsTheyAre(std::string bytes) {
  FileText text;
  text.format.lineEnd = FirstLineEnd(bytes);
  text.sjis = std::move(bytes);
  return text;
}

// A UTF-8 or UTF-16 file: converted on Yes, else its bytes as they are.
FileText UnicodeFileText(std::string bytes, TextEncoding encoding, QWidget* owner) {
  const bool utf16 = encoding == TextEncoding::Utf16Le || encoding == TextEncoding::Utf16Be;
  if (!ConversionWanted(utf16 ? "このﾌｧｲﾙはUTF-16で記述されていると思われます。"
                              : "このﾌｧｲﾙはUTF-8で記述されていると思われます。",
                        owner)) {
    FileText text = AsTheyAre(std::move(bytes));
    text.onlyOwnLineEnds = utf16;
    return text;
  }
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

FileText PlainFileText(std::string bytes, const std::string& settingsPath, QWidget* owner) {
  if (ReadSettingInt(settingsPath, "setting", "Kanji_auto") != 1)
    return AsTheyAre(std::move(bytes));
  // Recognition reads the text up to its first NUL (UTF-16, which is full of
  // NULs, from the start); nothing after it is lost.
  const TextEncoding encoding = RecognizeEncoding(bytes);
  if (encoding != TextEncoding::ShiftJis && encoding != TextEncoding::Jis &&
      encoding != TextEncoding::EucJp)
    return UnicodeFileText(std::move(bytes), encoding, owner);
  const bool jis = encoding == TextEncoding::Jis;
  if (encoding == TextEncoding::ShiftJis ||
      !ConversionWanted(jis ? "このﾌｧｲﾙはJISコードで記述されていると思われます。"
                            : "このﾌｧｲﾙはEUCコードで記述されていると思われます。",
                        owner))
    return AsTheyAre(std::move(bytes));
  std::string sjis = ConvertKeepingNuls(bytes, jis ? KANJI_JIS : KANJI_EUC);
  // The caller may hold the argument until its own statement ends; the source
  // bytes are not needed any more.
  std::string().swap(bytes);
  return AsTheyAre(std::move(sjis));
}
