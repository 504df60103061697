#include "editor/FindReplaceDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

FindReplaceDialog::FindReplaceDialog(bool replace, QWidget* parent)
    : QDialog(parent), m_bReplace(replace) {
  setWindowTitle(QString::fromUtf8(replace ? "置換" : "検索"));
  setModal(false);

  auto* fields = new QGridLayout;
  m_pFind = new QLineEdit;
  auto* findLabel = new QLabel(QString::fromUtf8("検索する文字列(&N):"));
  findLabel->setBuddy(m_pFind);
  fields->addWidget(findLabel, 0, 0);
  fields->addWidget(m_pFind, 0, 1);
  if (replace) {
    m_pReplace = new QLineEdit;
    auto* replaceLabel = new QLabel(QString::fromUtf8("置換後の文字列(&P):"));
    replaceLabel->setBuddy(m_pReplace);
    fields->addWidget(replaceLabel, 1, 0);
    fields->addWidget(m_pReplace, 1, 1);
  }

  m_pWholeWord = new QCheckBox(QString::fromUtf8("単語単位で探す(&W)"));
  m_pMatchCase = new QCheckBox(QString::fromUtf8("大文字と小文字を区別する(&C)"));
  auto* options = new QVBoxLayout;
  options->addWidget(m_pWholeWord);
  options->addWidget(m_pMatchCase);
  auto* lower = new QHBoxLayout;
  lower->addLayout(options);
  m_pDown = new QRadioButton(QString::fromUtf8("下へ(&D)"));
  m_pDown->setChecked(true);
  if (!replace) {
    // The replace dialog always searches towards the end.
    auto* direction = new QGroupBox(QString::fromUtf8("検索する方向"));
    auto* directionLayout = new QHBoxLayout(direction);
    m_pUp = new QRadioButton(QString::fromUtf8("上へ(&U)"));
    directionLayout->addWidget(m_pUp);
    directionLayout->addWidget(m_pDown);
    lower->addWidget(direction);
  }

  auto* left = new QVBoxLayout;
  left->addLayout(fields);
  left->addLayout(lower);
  left->addStretch();

  m_pButtons = new QVBoxLayout;
  AddButton("次を検索(&F)", &FindReplaceDialog::FindNext)->setDefault(true);
  if (replace) {
    AddButton("置換して次に(&R)", &FindReplaceDialog::ReplaceOne);
    AddButton("すべて置換(&A)", &FindReplaceDialog::ReplaceAll);
  }
  auto* cancel = new QPushButton(QString::fromUtf8("キャンセル"));
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  m_pButtons->addWidget(cancel);
  m_pButtons->addStretch();

  auto* layout = new QHBoxLayout(this);
  layout->addLayout(left, 1);
  layout->addLayout(m_pButtons);
  connect(m_pFind, &QLineEdit::textChanged, this, &FindReplaceDialog::UpdateButtons);
  UpdateButtons();
}

QPushButton* FindReplaceDialog::AddButton(const char* text,
                                          void (FindReplaceDialog::*signal)(const FindRequest&)) {
  auto* button = new QPushButton(QString::fromUtf8(text));
  connect(button, &QPushButton::clicked, this, [this, signal] { emit(this->*signal)(Request()); });
  m_pButtons->addWidget(button);
  m_actionButtons << button;
  return button;
}

void FindReplaceDialog::UpdateButtons() {
  for (QPushButton* button : m_actionButtons) button->setEnabled(!m_pFind->text().isEmpty());
}

FindRequest FindReplaceDialog::Request() const {
  FindRequest request;
  request.what = m_pFind->text();
  if (m_pReplace) request.with = m_pReplace->text();
  request.matchCase = m_pMatchCase->isChecked();
  request.wholeWord = m_pWholeWord->isChecked();
  request.down = m_pDown->isChecked();
  return request;
}

void FindReplaceDialog::SetFindWhat(const QString& text) {
  m_pFind->setText(text);
  m_pFind->selectAll();
}
