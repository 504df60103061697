#pragma once
#include "kanji/TextFormat.h"

class QComboBox;
class QFileDialog;

/// The two choices the Save As dialog gets below the file type: "文字コード"
/// (the encoding) and "改行" (the line ends), set to `current`. Their combo boxes
/// are named "encoding" and "lineEnd".
class FormatChoice {
 public:
  FormatChoice(QFileDialog& dialog, const TextFormat& current);
  /// The format chosen; the byte-order mark of UTF-16 stays as in `current`.
  TextFormat Chosen() const;

 private:
  TextFormat m_current;
  QComboBox* m_encoding;
  QComboBox* m_lineEnd;
};
