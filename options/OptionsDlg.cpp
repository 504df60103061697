#include "options/OptionsDlg.h"

#include "framework/DialogTemplate.h"
#include "framework/ModalSeam.h"
#include "framework/TextBoundary.h"
#include "platform/PathBuffer.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsKeys.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr std::string_view kSection = section::kSetting;
// The lengths the dialog reads: the extension into a 10-byte buffer, the rest in full.
constexpr std::size_t kExtBuffer = 10;

enum ControlId {
  IDC_WIDTH = 1000,
  IDC_HEIGHT = 1001,
  IDC_IME = 1004,
  IDC_LEFT = 1005,
  IDC_TOP = 1006,
  IDC_KANJI_AUTO = 1007,
  IDC_DEFAULT_EXT = 1009,
  IDC_DEFAULT_NAME = 1010,
  IDC_SIZE_FIRST = 1024,  // four radio buttons, mode 0..3
  IDC_POS_FIRST = 1028,   // likewise
};

// Tab enters a radio group at its checked button, or at its first when none is
// checked; the arrow keys move within the group.
void TabStopOnCheckedButton(QButtonGroup& group) {
  const auto place = [&group] {
    const QAbstractButton* stop =
        group.checkedButton() ? group.checkedButton() : group.buttons().value(0);
    for (QAbstractButton* button : group.buttons())
      button->setFocusPolicy(button == stop ? Qt::StrongFocus : Qt::ClickFocus);
  };
  QObject::connect(&group, &QButtonGroup::buttonToggled, &group, place);
  place();
}

}  // namespace

COptionsDlg::COptionsDlg(SettingsFile& settings, QWidget* parent)
    : QDialog(parent), m_settings(settings) {
  // Template order is the tab order.
  DialogTemplate t(*this, QStringLiteral("Wex-オプション"), 295, 179);
  QPushButton* ok = t.OkButton(183, 158, 50, 14);
  t.CancelButton(238, 158, 50, 14);
  t.GroupBox(QStringLiteral("起動時のサイズ"), 7, 7, 136, 67);
  t.Radio(m_sizeGroup, IDC_SIZE_FIRST, QStringLiteral("640×480"), 17, 19, 52, 10);
  t.Radio(m_sizeGroup, IDC_SIZE_FIRST + 1, QStringLiteral("てきとー"), 17, 32, 47, 10);
  t.Radio(m_sizeGroup, IDC_SIZE_FIRST + 2, QStringLiteral("前回といっしょ"), 17, 45, 59, 10);
  t.Radio(m_sizeGroup, IDC_SIZE_FIRST + 3, QStringLiteral("指定"), 17, 58, 32, 10);
  m_widthEdit = t.Edit(IDC_WIDTH, 51, 57, 36, 12);
  m_heightEdit = t.Edit(IDC_HEIGHT, 96, 57, 36, 12);
  t.Static(QStringLiteral("×"), 88, 58, 8, 8);
  t.GroupBox(QStringLiteral("起動時の位置"), 7, 83, 136, 66);
  t.Radio(m_posGroup, IDC_POS_FIRST, QStringLiteral("まんなか"), 17, 93, 57, 10);
  t.Radio(m_posGroup, IDC_POS_FIRST + 1, QStringLiteral("てきとー"), 17, 106, 46, 10);
  t.Radio(m_posGroup, IDC_POS_FIRST + 2, QStringLiteral("前回といっしょ"), 17, 119, 56, 10);
  t.Radio(m_posGroup, IDC_POS_FIRST + 3, QStringLiteral("指定"), 17, 132, 28, 10);
  m_leftEdit = t.Edit(IDC_LEFT, 51, 132, 36, 12);
  t.Static(QStringLiteral("×"), 88, 133, 8, 8);
  m_topEdit = t.Edit(IDC_TOP, 96, 131, 36, 12);
  m_imeCheck =
      t.CheckBox(IDC_IME, QStringLiteral("起動時に日本語入力ができるようにする"), 161, 85, 127, 9);
  t.GroupBox(QStringLiteral("保存時の設定"), 150, 7, 138, 67);
  t.Static(QStringLiteral("デフォルトの拡張子"), 161, 29, 58, 10);
  t.Static(QStringLiteral("デフォルトのファイル名"), 161, 51, 72, 10);
  m_defaultExtEdit = t.Edit(IDC_DEFAULT_EXT, 233, 27, 49, 12);
  m_defaultNameEdit = t.Edit(IDC_DEFAULT_NAME, 233, 50, 49, 12);
  m_kanjiAutoCheck =
      t.CheckBox(IDC_KANJI_AUTO, QStringLiteral("漢字コードの自動認識"), 161, 99, 127, 9);
  TabStopOnCheckedButton(m_sizeGroup);
  TabStopOnCheckedButton(m_posGroup);
  ok->setFocus();
}

void COptionsDlg::LoadSettings() {
  using namespace key;
  const auto text = [this](std::string_view name, std::size_t buffer = kPathBufferSize) {
    return SjisToText(m_settings.ReadString(kSection, name, buffer));
  };
  SetCheckedIndex(m_sizeGroup, m_settings.ReadInt(kSection, kSize));
  m_widthEdit->setText(text(kSizeX));
  m_heightEdit->setText(text(kSizeY));
  SetCheckedIndex(m_posGroup, m_settings.ReadInt(kSection, kPosition));
  m_leftEdit->setText(text(kPosX));
  m_topEdit->setText(text(kPosY));
  // Each box shows what its value means to its reader: any value but 0 switches the
  // input method on, only exactly 1 switches detection on.
  m_imeCheck->setChecked(m_settings.ReadInt(kSection, kIme) != 0);
  m_kanjiAutoCheck->setChecked(m_settings.ReadInt(kSection, kKanjiAuto) == 1);
  m_defaultExtEdit->setText(text(kDefaultExt, kExtBuffer));
  m_defaultNameEdit->setText(text(kDefaultName));
}

void COptionsDlg::accept() {
  using namespace key;
  const auto write = [this](std::string_view name, const QLineEdit* edit) {
    m_settings.WriteString(kSection, name, TextToSjis(edit->text()));
  };
  // A group with no button checked keeps its stored mode.
  if (m_sizeGroup.checkedId() >= 0) m_settings.WriteInt(kSection, kSize, m_sizeGroup.checkedId());
  write(kSizeX, m_widthEdit);
  write(kSizeY, m_heightEdit);
  if (m_posGroup.checkedId() >= 0) m_settings.WriteInt(kSection, kPosition, m_posGroup.checkedId());
  write(kPosX, m_leftEdit);
  write(kPosY, m_topEdit);
  m_settings.WriteInt(kSection, kIme, m_imeCheck->isChecked() ? 1 : 0);
  m_settings.WriteInt(kSection, kKanjiAuto, m_kanjiAutoCheck->isChecked() ? 1 : 0);
  write(kDefaultExt, m_defaultExtEdit);
  write(kDefaultName, m_defaultNameEdit);
  QDialog::accept();
}

void OnOptions(QWidget* owner, SettingsFile& settings) {
  COptionsDlg dialog(settings, owner);
  dialog.LoadSettings();
  RunModal(dialog);
}
