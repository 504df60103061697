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
  QLineEdit* m_pWidth;
  QLineEdit* m_pHeight;
  QLineEdit* m_pLeft;
  QLineEdit* m_pTop;
  QLineEdit* m_pDefaultExt;
  QLineEdit* m_pDefaultName;
  QCheckBox* m_pIme;
  QCheckBox* m_pKanjiAuto;
};

/// The View menu's "オプション(&O)": runs the dialog, filled from the settings
/// file, modally over `owner`. The result is not looked at.
void OnOptions(QWidget* owner, SettingsFile& settings);
