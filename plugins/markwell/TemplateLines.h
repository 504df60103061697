#pragma once
// The template lines of the program's data file, with Markwell's reports of failure.

#include <string>
#include <string_view>

class QWidget;

namespace markwell {

/// Line `k` of the data file; when it cannot be read, an empty line after the box
/// "読み込みに失敗" without owner.
std::string LoadTemplateLine(int k);

/// Stores `text` as line `k`; when the file cannot be opened, the box
/// "ファイルが開けません！" owned by `owner`.
void SaveTemplateLine(int k, std::string_view text, QWidget* owner);

}  // namespace markwell
