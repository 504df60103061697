#include "editor/ConvertCommands.h"

#include "editor/WEXView.h"
#include "framework/MessageBox.h"
#include "kanji/KanjiConverter.h"
#include "resources/CommandIds.h"

ConvertCommands::ConvertCommands(CWEXView& view) : m_view(view) {
  using namespace cmd;
  for (int id : {ID_EUC_TO_SJIS, ID_JIS_TO_SJIS}) OnCommand(id, [this](int id) { Convert(id); });
  for (int id : {ID_EUC_SETTINGS, ID_JIS_SETTINGS}) OnCommand(id, [this](int id) { ShowInfo(id); });
}

void ConvertCommands::Convert(int id) {
  const int code = id == cmd::ID_EUC_TO_SJIS ? KANJI_EUC : KANJI_JIS;
  m_view.TransformWholeText([code](const std::string& text) -> std::optional<std::string> {
    return ConvertKeepingNuls(text, code);
  });
}

void ConvertCommands::ShowInfo(int id) {
  const char* first = id == cmd::ID_EUC_SETTINGS ? "文字コードをEUCからShift-JISに変換します"
                                                 : "文字コードをJISからShift-JISに変換します";
  ShowMessageBox(
      &m_view,
      QString::fromUtf8(first) + QStringLiteral("\n\n") + QString::fromUtf8("設定はありません"),
      QString(), QMessageBox::Ok);
}
