#include "editor/FormatChoice.h"

#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <algorithm>

namespace {

QString Name(std::string_view name) {
  return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

// A labelled combo box on a new row of the dialog's grid, under the file type.
QComboBox* AddChoice(QFileDialog& dialog, const char* label, const char* name) {
  auto* combo = new QComboBox(&dialog);
  combo->setObjectName(QString::fromLatin1(name));
  auto* text = new QLabel(QString::fromUtf8(label), &dialog);
  text->setBuddy(combo);
  if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout())) {
    const int row = grid->rowCount();
    grid->addWidget(text, row, 0);
    grid->addWidget(combo, row, 1);
  }
  return combo;
}

template <typename T, std::size_t N, typename NameOf>
void Fill(QComboBox* combo, const T (&values)[N], T current, NameOf nameOf) {
  for (const T value : values) combo->addItem(Name(nameOf(value)));
  combo->setCurrentIndex(static_cast<int>(std::find(values, values + N, current) - values));
}

}  // namespace

FormatChoice::FormatChoice(QFileDialog& dialog, const TextFormat& current) : m_current(current) {
  // The dialog's own widgets (and its grid) exist only when it is not the platform's.
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  m_encoding = AddChoice(dialog, "文字コード", "encoding");
  Fill(m_encoding, kTextEncodings, current.encoding, EncodingName);
  m_lineEnd = AddChoice(dialog, "改行", "lineEnd");
  Fill(m_lineEnd, kLineEnds, current.lineEnd, LineEndName);
}

TextFormat FormatChoice::Chosen() const {
  // The lists hold every value, and one of them is always current.
  TextFormat chosen = m_current;
  chosen.encoding = kTextEncodings[m_encoding->currentIndex()];
  chosen.lineEnd = kLineEnds[m_lineEnd->currentIndex()];
  return chosen;
}
