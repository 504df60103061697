#include "tools/ToolSettingsDlg.h"

#include "framework/DialogTemplate.h"
#include "framework/ModalSeam.h"
#include "framework/TextBoundary.h"
#include "platform/PathBuffer.h"
#include "settings/SettingsFile.h"
#include "tools/ToolName.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QPushButton>
#include <QSortFilterProxyModel>

namespace {

// Folders, to walk through, and the files one may run. The file model's own
// permission filter cannot say this: asked for executables, it hides every entry
// that has a permission not asked for, which is nearly all of them.
class ProgramsAndFolders : public QSortFilterProxyModel {
 public:
  using QSortFilterProxyModel::QSortFilterProxyModel;

 protected:
  bool filterAcceptsRow(int row, const QModelIndex& parent) const override {
    const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
    if (!files) return true;
    const QModelIndex index = files->index(row, 0, parent);
    return files->isDir(index) || files->fileInfo(index).isExecutable();
  }
};

enum class Kind { Frame, Name, File, Browse, Topmost };

struct Control {
  Kind kind;
  int slot;
  int id;  // the frame's number for a group box
  int x, y, width, height;
};

// The controls after OK and Cancel, in template order (which is the tab order).
constexpr Control kControls[] = {
    {Kind::Frame, 1, 1, 15, 15, 268, 43},       {Kind::Name, 1, 1000, 21, 27, 71, 12},
    {Kind::File, 1, 1001, 21, 43, 217, 12},     {Kind::Browse, 1, 1002, 245, 43, 30, 12},
    {Kind::Topmost, 1, 1004, 129, 27, 71, 12},  {Kind::Frame, 2, 2, 15, 59, 268, 43},
    {Kind::Frame, 3, 3, 15, 105, 268, 43},      {Kind::Frame, 4, 4, 15, 152, 268, 43},
    {Kind::Frame, 5, 5, 15, 201, 268, 43},      {Kind::Frame, 6, 6, 15, 251, 268, 43},
    {Kind::Name, 2, 1005, 21, 71, 71, 12},      {Kind::File, 2, 1006, 21, 87, 217, 12},
    {Kind::Topmost, 2, 1007, 129, 72, 70, 11},  {Kind::Browse, 2, 1008, 245, 87, 30, 12},
    {Kind::Name, 3, 1009, 21, 115, 71, 12},     {Kind::File, 3, 1010, 21, 133, 217, 12},
    {Kind::Topmost, 3, 1011, 129, 115, 70, 11}, {Kind::Browse, 3, 1012, 245, 133, 30, 12},
    {Kind::Name, 4, 1013, 21, 162, 71, 12},     {Kind::File, 4, 1014, 21, 179, 217, 12},
    {Kind::Topmost, 4, 1015, 129, 160, 70, 15}, {Kind::Browse, 4, 1016, 245, 179, 30, 12},
    {Kind::Name, 5, 1017, 21, 211, 71, 12},     {Kind::File, 5, 1018, 21, 226, 217, 14},
    {Kind::Topmost, 5, 1019, 129, 209, 70, 15}, {Kind::Browse, 5, 1020, 245, 226, 30, 12},
    {Kind::Name, 6, 1021, 21, 261, 71, 12},     {Kind::File, 6, 1022, 21, 275, 217, 12},
    {Kind::Browse, 6, 1023, 245, 275, 30, 12},  {Kind::Topmost, 6, 1024, 129, 258, 70, 15},
};

}  // namespace

CToolSettingsDlg::CToolSettingsDlg(SettingsFile& settings, QWidget* parent)
    : QDialog(parent), m_settings(settings) {
  DialogTemplate t(*this, QStringLiteral("ツールの設定"), 290, 319);
  QPushButton* ok = t.OkButton(181, 301, 50, 14);
  t.CancelButton(231, 301, 50, 14);
  for (const Control& c : kControls) {
    Slot& slot = m_slots[c.slot - 1];
    switch (c.kind) {
      case Kind::Frame:
        t.GroupBox(QStringLiteral("ツール　-　%1").arg(c.id), c.x, c.y, c.width, c.height);
        break;
      case Kind::Name: slot.name = t.Edit(c.id, c.x, c.y, c.width, c.height); break;
      case Kind::File: slot.file = t.Edit(c.id, c.x, c.y, c.width, c.height); break;
      case Kind::Browse:
        connect(t.Button(c.id, QStringLiteral("参照"), c.x, c.y, c.width, c.height),
                &QPushButton::clicked, this, [this, n = c.slot] { OnBrowseTool(n); });
        break;
      case Kind::Topmost:
        slot.topmost =
            t.CheckBox(c.id, QStringLiteral("常に手前に表示する"), c.x, c.y, c.width, c.height);
        break;
    }
  }
  ok->setFocus();
}

void CToolSettingsDlg::LoadSettings() {
  const auto text = [this](ToolField field, int n) {
    return SjisToText(
        m_settings.ReadString(section::kTools, ToolSlotKey(field, n), kPathBufferSize));
  };
  for (int n = 1; n <= kToolSlotCount; ++n) {
    const Slot& slot = m_slots[n - 1];
    // Only exactly 1 makes a launch raise the window, so only 1 shows the mark.
    slot.topmost->setChecked(
        m_settings.ReadInt(section::kTools, ToolSlotKey(ToolField::Topmost, n)) == 1);
    slot.name->setText(text(ToolField::Name, n));
    slot.file->setText(text(ToolField::CommandLine, n));
  }
}

void CToolSettingsDlg::accept() {
  const auto write = [this](ToolField field, int n, const QLineEdit* edit) {
    m_settings.WriteString(section::kTools, ToolSlotKey(field, n), TextToSjis(edit->text()));
  };
  for (int n = 1; n <= kToolSlotCount; ++n)
    m_settings.WriteInt(section::kTools, ToolSlotKey(ToolField::Topmost, n),
                        m_slots[n - 1].topmost->isChecked() ? 1 : 0);
  for (int n = 1; n <= kToolSlotCount; ++n) write(ToolField::Name, n, m_slots[n - 1].name);
  for (int n = 1; n <= kToolSlotCount; ++n) write(ToolField::CommandLine, n, m_slots[n - 1].file);
  QDialog::accept();
}

void CToolSettingsDlg::OnBrowseTool(int n) {
  QFileDialog browser(this);
  browser.setFileMode(QFileDialog::ExistingFile);
  browser.setOption(QFileDialog::DontUseNativeDialog);  // the program filter needs Qt's own
  // Programs here carry no extension: the label's pattern takes every name and the
  // proxy keeps the files one may run.
  browser.setNameFilter(QStringLiteral("ｱﾌﾟﾘｹｰｼｮﾝ (*)"));
  browser.setFilter(QDir::AllDirs | QDir::Files | QDir::NoDotAndDotDot);
  browser.setProxyModel(new ProgramsAndFolders(&browser));
  if (RunModal(browser) != QDialog::Accepted || browser.selectedFiles().isEmpty()) return;

  const Slot& slot = m_slots[n - 1];
  const QString path = browser.selectedFiles().first();
  slot.file->setText(path);
  if (slot.name->text().isEmpty())
    slot.name->setText(SjisToText(ToolNameFromPath(TextToSjis(path))));
}
