// The conversion commands of the whole text and their information boxes.

#include "editor/WEXView.h"
#include "framework/CommandIds.h"
#include "framework/MessageBox.h"
#include "kanji/KanjiConverter.h"

void CWEXView::OnConvert(int id) {
  TransformWholeText([id](const std::string& text) -> std::optional<std::string> {
    // The converters end a text at its first NUL; a text holding NULs is
    // converted piece by piece so that nothing after a NUL is lost.
    std::string result;
    result.reserve(text.size());
    for (std::size_t start = 0;;) {
      // Each piece ends at the next NUL, or at the string's own terminator.
      CKanjiConverter converter(text.c_str() + start);
      result += id == cmd::ID_EUC_TO_SJIS ? converter.EucToSjis() : converter.JisToSjis();
      const std::size_t nul = text.find('\0', start);
      if (nul == std::string::npos) return result;
      result += '\0';
      start = nul + 1;
    }
  });
}

void CWEXView::OnConvertInfo(int id) {
  const char* first = id == cmd::ID_EUC_SETTINGS ? "文字コードをEUCからShift-JISに変換します"
                                                 : "文字コードをJISからShift-JISに変換します";
  ShowMessageBox(this, QString::fromUtf8(first) + QStringLiteral("\n\n") +
                           QString::fromUtf8("設定はありません"),
                 QString(), QMessageBox::Ok);
}
