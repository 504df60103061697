#include "resources/FrameTables.h"

#include "resources/CommandIds.h"

#include <initializer_list>

using namespace cmd;

namespace {

std::vector<PopupDef> Menu() {
  return {
      {"ﾌｧｲﾙ(&F)",
       {{ID_FILE_NEW, "新規作成(&N)\tCtrl+N"},
        {ID_FILE_OPEN, "開く(&O)...\tCtrl+O"},
        {ID_FILE_SAVE, "上書き保存(&S)\tCtrl+S"},
        {ID_FILE_SAVE_AS, "名前を付けて保存(&A)..."},
        {kMenuSeparator, ""},
        {ID_FILE_PRINT, "印刷(&P)...\tCtrl+P"},
        {ID_FILE_PRINT_PREVIEW, "印刷ﾌﾟﾚﾋﾞｭｰ(&V)"},
        {ID_FILE_PRINT_SETUP, "ﾌﾟﾘﾝﾀの設定(&R)..."},
        {kMenuSeparator, ""},
        {ID_APP_EXIT, "ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)"}}},
      {"編集(&E)",
       {{ID_EDIT_UNDO, "元に戻す(&U)\tCtrl+Z"},
        {kMenuSeparator, ""},
        {ID_EDIT_CUT, "切り取り(&T)\tCtrl+X"},
        {ID_EDIT_COPY, "ｺﾋﾟｰ(&C)\tCtrl+C"},
        {ID_EDIT_PASTE, "貼り付け(&P)\tCtrl+V"},
        {ID_EDIT_SELECT_ALL, "すべて選択(&L)\tCtrl+A"},
        {kMenuSeparator, ""},
        {ID_EDIT_FIND, "検索(&F)...\tCtrl+F"},
        {ID_EDIT_REPEAT, "次を検索(&I)\tF3"},
        {ID_EDIT_REPLACE, "置換(&E)\tCtrl+H"}}},
      {"表示(&V)",
       {{ID_VIEW_TOOLBAR, "ﾂｰﾙ ﾊﾞｰ(&T)"},
        {ID_VIEW_STATUS_BAR, "ｽﾃｰﾀｽ ﾊﾞｰ(&S)"},
        {kMenuSeparator, ""},
        {ID_TOPMOST, "常に手前に表示(&A)"},
        {ID_FONT, "フォントの変更(&F)"},
        {kMenuSeparator, ""},
        {ID_OPTIONS, "オプション(&O)"}}},
      {"ツール(&T)",
       {{ID_TOOL_FIRST + 0, "<NONE>"},
        {ID_TOOL_FIRST + 1, "<NONE>"},
        {ID_TOOL_FIRST + 2, "<NONE>"},
        {ID_TOOL_FIRST + 3, "<NONE>"},
        {ID_TOOL_FIRST + 4, "<NONE>"},
        {ID_TOOL_FIRST + 5, "<NONE>"},
        {kMenuSeparator, ""},
        {ID_TOOL_SETTINGS, "設定"}}},
      {"変換(&C)",
       {{ID_EUC_TO_SJIS, "EUC→ｼﾌﾄJIS"}, {ID_JIS_TO_SJIS, "JIS→ｼﾌﾄJIS"}, {kMenuSeparator, ""}}},
      {"変換の設定(&O)",
       {{ID_EUC_SETTINGS, "EUC→ｼﾌﾄJISの設定"},
        {ID_JIS_SETTINGS, "JIS→ｼﾌﾄJISの設定"},
        {kMenuSeparator, ""}}},
      {"ヘルプ(&H)", {{ID_ABOUT, "バージョン情報"}}},
  };
}

std::vector<AcceleratorDef> Accelerators() {
  return {
      {Qt::CTRL | Qt::Key_N, ID_FILE_NEW},
      {Qt::CTRL | Qt::Key_O, ID_FILE_OPEN},
      {Qt::CTRL | Qt::Key_S, ID_FILE_SAVE},
      {Qt::CTRL | Qt::Key_P, ID_FILE_PRINT},
      {Qt::CTRL | Qt::Key_Z, ID_EDIT_UNDO},
      {Qt::CTRL | Qt::Key_X, ID_EDIT_CUT},
      {Qt::CTRL | Qt::Key_C, ID_EDIT_COPY},
      {Qt::CTRL | Qt::Key_V, ID_EDIT_PASTE},
      {Qt::CTRL | Qt::Key_A, ID_EDIT_SELECT_ALL},
      {Qt::CTRL | Qt::Key_F, ID_EDIT_FIND},
      {QKeyCombination(Qt::Key_F3), ID_EDIT_REPEAT},
      {Qt::CTRL | Qt::Key_H, ID_EDIT_REPLACE},
      {Qt::ALT | Qt::Key_Return, ID_OLE_EDIT_PROPERTIES},
      {Qt::ALT | Qt::Key_Backspace, ID_EDIT_UNDO},
      {Qt::SHIFT | Qt::Key_Delete, ID_EDIT_CUT},
      {Qt::CTRL | Qt::Key_Insert, ID_EDIT_COPY},
      {Qt::SHIFT | Qt::Key_Insert, ID_EDIT_PASTE},
      {QKeyCombination(Qt::Key_F6), ID_NEXT_PANE},
      {Qt::SHIFT | Qt::Key_F6, ID_PREV_PANE},
      {QKeyCombination(Qt::Key_Escape), ID_ESCAPE},
  };
}

std::vector<ToolBarButtonDef> ToolBar() {
  return {
      {ID_FILE_NEW, "new"},     {ID_FILE_OPEN, "open"},   {ID_FILE_SAVE, "save"},
      {kMenuSeparator, ""},     {ID_EDIT_UNDO, "undo"},   {ID_EDIT_CUT, "cut"},
      {ID_EDIT_COPY, "copy"},   {ID_EDIT_PASTE, "paste"}, {kMenuSeparator, ""},
      {ID_FILE_PRINT, "print"},
  };
}

// The items `ids` of `popup`, named without their keys and "...".
std::vector<MenuItemDef> ShortItems(const PopupDef& popup, std::initializer_list<int> ids) {
  std::vector<MenuItemDef> items;
  for (const int id : ids) {
    if (id == kMenuSeparator) {
      items.push_back({id, ""});
      continue;
    }
    for (const MenuItemDef& item : popup.items) {
      if (item.id != id) continue;
      std::string text = item.text.substr(0, item.text.find('\t'));
      if (text.ends_with("...")) text.resize(text.size() - 3);
      items.push_back({id, text});
    }
  }
  return items;
}

constexpr int kEditPopup = 1;

}  // namespace

const FrameTables& MainFrameTables() {
  static const FrameTables tables = [] {
    FrameTables t{Menu(), Accelerators(), ToolBar(), {}};
    t.contextMenu = ShortItems(
        t.menu[kEditPopup], {ID_EDIT_UNDO, kMenuSeparator, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE,
                             ID_EDIT_SELECT_ALL, kMenuSeparator, ID_EDIT_FIND, ID_EDIT_REPLACE});
    return t;
  }();
  return tables;
}
