#pragma once
// The tools settings dialog: name, command line and always-on-top flag of the six
// tool slots. OK writes all eighteen keys of section "tools"; Cancel writes nothing.

#include "settings/SettingsKeys.h"

#include <QDialog>
#include <array>

class QCheckBox;
class QLineEdit;
class SettingsFile;

class CToolSettingsDlg : public QDialog {
  Q_OBJECT
 public:
  explicit CToolSettingsDlg(SettingsFile& settings, QWidget* parent = nullptr);

  /// Shows the stored slots (texts up to 259 bytes).
  void LoadSettings();

 public slots:
  /// Writes "Topmost_1".."Topmost_6", "tool_1".."tool_6", "file_1".."file_6" as
  /// the controls hold them, then closes with OK.
  void accept() override;

 private:
  struct Slot {
    QLineEdit* name = nullptr;
    QLineEdit* file = nullptr;
    QCheckBox* topmost = nullptr;
  };
  /// "参照" of slot `slot`: a chosen program replaces the command line and names
  /// an unnamed slot.
  void OnBrowseTool(int slot);

  SettingsFile& m_settings;
  std::array<Slot, kToolSlotCount> m_slots;
};
