#include "plugins/markwell/TemplateLines.h"

#include <QString>

#include "plugins/common/MessageBox.h"
#include "plugins/markwell/MarkwellFiles.h"
#include "plugins/markwell/TemplateFile.h"

namespace markwell {
namespace {

void Report(QWidget* owner, const char* text) {
  wpi::ShowMessage(owner, QStringLiteral("Markwell"), QString::fromUtf8(text));
}

}  // namespace

std::string LoadTemplateLine(int k) {
  std::optional<std::string> line = ReadTemplateLine(DataFilePath(), k);
  if (!line) {
    Report(nullptr, "読み込みに失敗");
    return {};
  }
  return std::move(*line);
}

void SaveTemplateLine(int k, std::string_view text, QWidget* owner) {
  if (!WriteTemplateLine(DataFilePath(), k, text)) {
    Report(owner, "ファイルが開けません！");
  }
}

}  // namespace markwell
