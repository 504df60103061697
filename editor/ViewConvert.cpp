// The conversion commands of the whole text and their information boxes.

#include "editor/WEXView.h"
#include "resources/CommandIds.h"
#include "framework/MessageBox.h"
#include "kanji/KanjiConverter.h"

void CWEXView::OnConvert(int id) {
  const int code = id == cmd::ID_EUC_TO_SJIS ? KANJI_EUC : KANJI_JIS;
  TransformWholeText([code](const std::string& text) -> std::optional<std::string> {
    return ConvertKeepingNuls(text, code);
  });
}

void CWEXView::OnConvertInfo(int id) {
  const char* first = id == cmd::ID_EUC_SETTINGS ? "文字コードをEUCからShift-JISに変換します"
                                                 : "文字コードをJISからShift-JISに変換します";
  ShowMessageBox(this, QString::fromUtf8(first) + QStringLiteral("\n\n") +
                           QString::fromUtf8("設定はありません"),
                 QString(), QMessageBox::Ok);
}
