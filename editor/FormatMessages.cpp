#include "editor/FormatMessages.h"

#include "framework/MessageBox.h"

void ReportReplacedCharacters(QWidget* owner, std::size_t count, const std::u16string& samples) {
  const QString text =
      QString::fromUtf8("シフトJISにない文字が%1文字あり、〓に置き換えました。").arg(count) +
      u'\n' + QString::fromStdU16String(samples);
  ShowMessageBox(owner, text, QStringLiteral("Wex"), QMessageBox::Ok, QMessageBox::Information);
}

bool AgreeToReplaceUnholdable(QWidget* owner, std::size_t count, TextEncoding encoding) {
  const std::string_view name = EncodingName(encoding);
  const QString text =
      QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())) +
      QString::fromUtf8("にない文字が%1文字あります。〓に置き換えて保存しますか？").arg(count);
  return ShowMessageBox(owner, text, QStringLiteral("Wex"), QMessageBox::Yes | QMessageBox::No) ==
         QMessageBox::Yes;
}
