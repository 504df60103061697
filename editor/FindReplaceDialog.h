#pragma once
#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QVBoxLayout;

/// What the find and replace dialogs ask for.
struct FindRequest {
  QString what;
  QString with;  // replace only
  bool matchCase = false;
  bool wholeWord = false;
  bool down = true;
};

// The modeless find dialog, or with `replace` the replace dialog. The buttons
// emit their request; the view does the searching.
class FindReplaceDialog : public QDialog {
  Q_OBJECT
 public:
  FindReplaceDialog(bool replace, QWidget* parent);

  bool IsReplace() const { return m_bReplace; }
  FindRequest Request() const;
  void SetFindWhat(const QString& text);

  QLineEdit* FindEdit() const { return m_pFind; }
  QLineEdit* ReplaceEdit() const { return m_pReplace; }

 signals:
  void FindNext(const FindRequest& request);
  void ReplaceOne(const FindRequest& request);
  void ReplaceAll(const FindRequest& request);

 private:
  QPushButton* AddButton(const char* text, void (FindReplaceDialog::*signal)(const FindRequest&));
  void UpdateButtons();

  bool m_bReplace;
  QLineEdit* m_pFind = nullptr;
  QLineEdit* m_pReplace = nullptr;
  QCheckBox* m_pWholeWord = nullptr;
  QCheckBox* m_pMatchCase = nullptr;
  QRadioButton* m_pUp = nullptr;
  QRadioButton* m_pDown = nullptr;
  QList<QPushButton*> m_actionButtons;
  QVBoxLayout* m_pButtons = nullptr;
};
