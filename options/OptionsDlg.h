#pragma once
// The options dialog: start-up size and position, input method, code detection,
// and the defaults of Save As, all in section "setting" of the settings file.
// OK writes them; nothing is applied to the running editor, each setting is read
// again where it is used.

#include <QButtonGroup>
#include <QDialog>

class QCheckBox;
class QLineEdit;
class SettingsFile;

class COptionsDlg : public QDialog {
  Q_OBJECT
 public:
  explicit COptionsDlg(SettingsFile& settings, QWidget* parent = nullptr);

  /// Shows the stored settings, each cut to the length the dialog reads.
  void LoadSettings();

 public slots:
  /// Writes every setting from the controls, then closes with OK. Nothing is
  /// validated: the fields are stored as typed.
  void accept() override;

 private:
  SettingsFile& m_settings;
  QButtonGroup m_sizeGroup;
  QButtonGroup m_posGroup;
  QLineEdit* m_widthEdit;
  QLineEdit* m_heightEdit;
  QLineEdit* m_leftEdit;
  QLineEdit* m_topEdit;
  QLineEdit* m_defaultExtEdit;
  QLineEdit* m_defaultNameEdit;
  QCheckBox* m_imeCheck;
  QCheckBox* m_kanjiAutoCheck;
};

/// The View menu's "オプション(&O)": runs the dialog, filled from the settings
/// file, modally over `owner`. The result is not looked at.
void OnOptions(QWidget* owner, SettingsFile& settings);
