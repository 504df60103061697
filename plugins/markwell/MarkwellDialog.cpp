#include "plugins/markwell/MarkwellDialog.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <string>

#include "platform/Cp932Codec.h"
#include "plugins/common/ShiftJis.h"
#include "plugins/markwell/MarkwellFiles.h"
#include "plugins/markwell/TemplateFile.h"
#include "plugins/markwell/TemplateLines.h"

namespace markwell {
namespace {

constexpr int kEditLimit = 1024;  // characters in each edit box

// Controls carry their resource id as object name.
constexpr int kSaveId = 1008;
constexpr int kHeadId = 1005;
constexpr int kFootId = 1007;
constexpr int kRadioIds[kTemplateCount] = {1000, 1001, 1002, 1003, 1004, 1006};

QString FromShiftJis(std::string_view bytes) {
  const std::u16string text = cp932::Decode(bytes, cp932::LineEnds::Paragraphs);
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

std::string ToShiftJis(const QString& text) {
  return cp932::Encode(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                           static_cast<std::size_t>(text.size())),
                       cp932::LineEnds::Paragraphs);
}

// Typing or pasting past the limit keeps only what fits, from the start of the
// insertion.
void LimitLength(QPlainTextEdit* edit) {
  QObject::connect(edit->document(), &QTextDocument::contentsChange, edit,
                   [edit](int position, int, int added) {
                     const int length = edit->document()->characterCount() - 1;
                     const int excess = length - kEditLimit;
                     if (excess <= 0 || added <= 0) {
                       return;
                     }
                     // A whole-text replacement counts the closing paragraph
                     // separator as added, one past the last position.
                     const int end = std::min(position + added, length);
                     QTextCursor cursor(edit->document());
                     cursor.setPosition(std::max(position, end - excess));
                     cursor.setPosition(end, QTextCursor::KeepAnchor);
                     cursor.removeSelectedText();
                   });
}

QPlainTextEdit* CreateTemplateEdit(QWidget* parent, int id) {
  auto* edit = new QPlainTextEdit(parent);
  edit->setObjectName(QString::number(id));
  edit->setLineWrapMode(QPlainTextEdit::NoWrap);
  edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  edit->setTabChangesFocus(true);
  LimitLength(edit);
  return edit;
}

}  // namespace

MarkwellDialog::MarkwellDialog(QWidget* owner)
    : QDialog(owner), m_owner(owner), m_templates(new QButtonGroup(this)) {
  setObjectName(QStringLiteral("101"));
  setWindowTitle(QString::fromUtf8("Markwellの設定"));
  setFont(QFont(QString::fromUtf8("ＭＳ Ｐゴシック"), 9));
  CreateControls();
  m_template = ReadTemplateNumber();
  m_templates->button(m_template)->setChecked(true);
  SelectTemplate(m_template);
}

void MarkwellDialog::CreateControls() {
  // Positions and sizes are in dialog units: a quarter of the font's average
  // character width across, an eighth of its height down.
  const QFontMetrics metrics(font());
  const int unitX = metrics.horizontalAdvance(
                        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) /
                    52;
  const int unitY = metrics.height();
  const auto place = [unitX, unitY](QWidget* widget, int x, int y, int width, int height) {
    widget->setGeometry(x * unitX / 4, y * unitY / 8, width * unitX / 4, height * unitY / 8);
  };
  setFixedSize(274 * unitX / 4, 283 * unitY / 8);

  auto* group = new QGroupBox(QString::fromUtf8("テンプレート"), this);
  place(group, 7, 7, 260, 28);
  constexpr int kRadioX[kTemplateCount] = {13, 50, 93, 136, 179, 222};
  constexpr int kRadioWidth[kTemplateCount] = {37, 43, 43, 43, 43, 38};
  for (int t = 0; t < kTemplateCount; ++t) {
    auto* radio = new QRadioButton(QString::number(t + 1), this);
    radio->setObjectName(QString::number(kRadioIds[t]));
    place(radio, kRadioX[t], 16, kRadioWidth[t], 15);
    m_templates->addButton(radio, t);
  }
  connect(m_templates, &QButtonGroup::idClicked, this, &MarkwellDialog::SelectTemplate);

  place(new QLabel(QStringLiteral("Head"), this), 7, 45, 30, 11);
  m_head = CreateTemplateEdit(this, kHeadId);
  place(m_head, 7, 59, 260, 76);
  place(new QLabel(QString::fromUtf8("@title…本文の一行目"), this), 198, 137, 69, 11);
  place(new QLabel(QStringLiteral("Foot"), this), 7, 151, 24, 11);
  m_foot = CreateTemplateEdit(this, kFootId);
  place(m_foot, 7, 163, 260, 81);

  auto* save = new QPushButton(QString::fromUtf8("保存"), this);
  save->setObjectName(QString::number(kSaveId));
  place(save, 117, 262, 50, 14);
  connect(save, &QPushButton::clicked, this, &MarkwellDialog::Save);
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(QString::number(kOk));
  ok->setDefault(true);
  place(ok, 166, 262, 50, 14);
  connect(ok, &QPushButton::clicked, this, [this] {
    Save();
    done(kOk);
  });
  auto* cancel = new QPushButton(QString::fromUtf8("ｷｬﾝｾﾙ"), this);
  cancel->setObjectName(QString::number(kCancel));
  place(cancel, 217, 262, 50, 14);
  connect(cancel, &QPushButton::clicked, this, [this] { done(kCancel); });
}

// Unsaved edits of the template shown before are dropped.
void MarkwellDialog::SelectTemplate(int t) {
  m_template = t;
  m_head->setPlainText(FromShiftJis(LoadTemplateLine(2 * t)));
  m_foot->setPlainText(FromShiftJis(LoadTemplateLine(2 * t + 1)));
}

void MarkwellDialog::Save() {
  const int t = m_templates->checkedId() >= 0 ? m_templates->checkedId() : m_template;
  const std::string head = ToShiftJis(m_head->toPlainText());
  const std::string foot = ToShiftJis(m_foot->toPlainText());
  SaveTemplateLine(2 * t, wpi::CutAtCharBoundary(head, kMaxLineBytes), m_owner);
  SaveTemplateLine(2 * t + 1, wpi::CutAtCharBoundary(foot, kMaxLineBytes), m_owner);
  WriteTemplateNumber(t);
}

void MarkwellDialog::reject() { done(kCancel); }

// The close box ends the dialog like OK, but without saving.
void MarkwellDialog::closeEvent(QCloseEvent* event) {
  if (isVisible()) {
    done(kOk);
  }
  event->accept();
}

}  // namespace markwell
