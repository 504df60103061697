#include "resources/Strings.h"

#include "resources/CommandIds.h"

#include <QStringList>
#include <unordered_map>

namespace {

const std::unordered_map<int, const char*>& Table() {
  static const std::unordered_map<int, const char*> table = {
      {IDS_OLE_INIT_FAILED,
       "OLE の初期化に失敗しました。 OLE ﾗｲﾌﾞﾗﾘのﾊﾞｰｼﾞｮﾝが正しいことを確認してください。"},
      {IDR_MAINFRAME, "Wex\nmemo\nMemo.txt\nすべてのﾌｧｲﾙ(*.*)\n.*\nWEX.Document\nWEX Document"},
      {IDS_APP_NAME, "WEX"},
      {IDS_IDLE_MESSAGE, "ﾚﾃﾞｨ"},
      {IDS_SAVE_CHANGES, "%1 への変更を保存しますか?"},
      {IDS_CREATE_EMPTY_FAILED, "空のﾄﾞｷｭﾒﾝﾄの作成に失敗しました。"},
      {IDS_OPEN_FAILED, "ﾄﾞｷｭﾒﾝﾄを開くことに失敗しました。"},
      {IDS_SAVE_FAILED, "ﾄﾞｷｭﾒﾝﾄの保存に失敗しました。"},
      {IDS_UNREGISTERED,
       "ｼｽﾃﾑ ﾚｼﾞｽﾄﾘ ｴﾝﾄﾘは削除されています。また、INI ﾌｧｲﾙがある場合は、INI "
       "ﾌｧｲﾙも削除されました。"},
      {IDS_FILE_NOT_FOUND, "%1 が見つかりませんでした。"},
      {IDS_ACCESS_DENIED, "%1 へのｱｸｾｽは拒否されました。"},
      {IDS_SHARING_VIOLATION, "%1 へのｱｸｾｽ中に共有違反が発生しました。"},
      {IDS_DISK_FULL, "%1 へのｱｸｾｽ中にﾃﾞｨｽｸがいっぱいになりました。"},
      {IDS_GENERIC_FILE_ERROR, "%1 へのｱｸｾｽ中に予期しないｴﾗｰが発生しました。"},
      {IDS_NAME_TOO_LONG, "%1 のﾌｧｲﾙ名またはﾊﾟｽが長すぎます。"},
      {IDS_READ_ONLY_DISK, "%1 は読み取り専用のﾃﾞｨｽｸにあるため、書き込めません。"},
      {IDS_IS_DIRECTORY, "%1 はﾌｧｲﾙではなくﾃﾞｨﾚｸﾄﾘです。"},
      {IDS_NOT_REGULAR_FILE, "%1 はﾃｷｽﾄ ﾌｧｲﾙではなく、ﾊﾟｲﾌﾟ、ﾃﾞﾊﾞｲｽまたはｿｹｯﾄです。"},
      {IDS_OUT_OF_MEMORY, "ﾒﾓﾘが不足しています。"},
      {IDS_LOADING, "読み込み中... %1%"},
      {IDS_PRINT_FAILED, "印刷を開始できませんでした。プリンタの設定を確認してください。"},
  };
  return table;
}

// Prompts: status-bar text, then "\n" and the tool tip where a button shows one.
const std::unordered_map<int, const char*>& Prompts() {
  using namespace cmd;
  static const std::unordered_map<int, const char*> prompts = {
      {ID_FONT, "フォントの変更\nフォント"},
      {ID_TOOL_SETTINGS, "TOOLの設定"},
      {ID_TOPMOST, "常に手前に表示"},
      {ID_OPTIONS, "オプション"},
      {ID_JIS_TO_SJIS, "JIS→ｼﾌﾄJISに変換します。"},
      {ID_EUC_SETTINGS, "EUC→ｼﾌﾄJIS変換の設定"},
      {ID_JIS_SETTINGS, "JIS→ｼﾌﾄJIS変換の設定"},
      {ID_ABOUT, "バージョン情報"},
      {ID_EUC_TO_SJIS, "EUC→ｼﾌﾄJISに変換します。"},
      {ID_FILE_NEW, "新しい文書を作成します。\n新規作成"},
      {ID_FILE_OPEN, "ファイルを開きます。\n開く"},
      {ID_FILE_SAVE, "文書を上書き保存します。\n上書き保存"},
      {ID_FILE_SAVE_AS, "文書に名前を付けて保存します。\n名前を付けて保存"},
      {ID_FILE_PRINT_SETUP, "プリンタと印刷オプションを変更します。\nプリンタの設定"},
      {ID_FILE_PRINT, "文書を印刷します。\n印刷"},
      {ID_FILE_PRINT_PREVIEW, "印刷イメージを表示します。\n印刷プレビュー"},
      {ID_APP_EXIT, "アプリケーションを終了します。\n終了"},
      {ID_EDIT_UNDO, "直前の操作を元に戻します。\n元に戻す"},
      {ID_EDIT_CUT, "選択範囲を切り取ってクリップボードに移動します。\n切り取り"},
      {ID_EDIT_COPY, "選択範囲をコピーしてクリップボードに保存します。\nコピー"},
      {ID_EDIT_PASTE, "クリップボードの内容を挿入します。\n貼り付け"},
      {ID_EDIT_SELECT_ALL, "文書全体を選択します。\nすべて選択"},
      {ID_EDIT_FIND, "指定した文字列を検索します。\n検索"},
      {ID_EDIT_REPEAT, "直前の検索を繰り返します。\n次を検索"},
      {ID_EDIT_REPLACE, "指定した文字列を別の文字列に置換します。\n置換"},
      {ID_VIEW_TOOLBAR, "ツール バーの表示/非表示を切り替えます。\nツール バー"},
      {ID_VIEW_STATUS_BAR, "ステータス バーの表示/非表示を切り替えます。\nステータス バー"},
  };
  return prompts;
}

}  // namespace

QString LoadString(int id) {
  auto it = Table().find(id);
  return it == Table().end() ? QString() : QString::fromUtf8(it->second);
}

CommandPrompt LoadPrompt(int commandId) {
  auto it = Prompts().find(commandId);
  if (it == Prompts().end()) return {};
  const QString text = QString::fromUtf8(it->second);
  const qsizetype newline = text.indexOf(u'\n');
  if (newline < 0) return {text, QString()};
  return {text.left(newline), text.mid(newline + 1)};
}

QString TemplateStringField(int index) {
  return LoadString(IDR_MAINFRAME).split(u'\n').value(index);
}
