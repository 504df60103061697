#include "editor/FileText.h"

#include "settings/Settings.h"
#include "framework/MessageBox.h"
#include "kanji/KanjiConverter.h"

#include <cstring>

namespace {

bool ConversionWanted(int code, QWidget* owner) {
  const char* first = code == KANJI_JIS ? "このﾌｧｲﾙはJISコードで記述されていると思われます。"
                                        : "このﾌｧｲﾙはEUCコードで記述されていると思われます。";
  const QString text = QString::fromUtf8(first) + QStringLiteral("\n") +
                       QString::fromUtf8("シフトJISに変換して読み込みますか？");
  return ShowMessageBox(owner, text, QStringLiteral("Wex"),
                        QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

}  // namespace

std::string PlainFileText(std::string bytes, const std::string& settingsPath, QWidget* owner) {
  if (ReadSettingInt(settingsPath, "setting", "Kanji_auto") != 1) return bytes;
  bytes.resize(std::strlen(bytes.c_str()));
  CKanjiConverter converter(bytes.c_str());
  converter.DetectCode();
  const int code = converter.m_nCode;
  if ((code != KANJI_JIS && code != KANJI_EUC) || !ConversionWanted(code, owner)) return bytes;
  std::string sjis = code == KANJI_JIS ? converter.JisToSjis() : converter.EucToSjis();
  // The caller may hold the argument until its own statement ends; the source
  // bytes are not needed any more.
  std::string().swap(bytes);
  return sjis;
}
