#pragma once
// Markwell's settings dialog (resource 101): the template choice and the selected
// template's head and foot.

#include <QDialog>

class QButtonGroup;
class QPlainTextEdit;

namespace markwell {

class MarkwellDialog : public QDialog {
  Q_OBJECT

 public:
  /// Results of exec(): OK and the close box give 1, "ｷｬﾝｾﾙ" (and Escape) 2.
  static constexpr int kOk = 1;
  static constexpr int kCancel = 2;

  /// `owner` also owns the box that reports a failed save.
  explicit MarkwellDialog(QWidget* owner);

  void reject() override;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateControls();
  void SelectTemplate(int t);
  void Save();

  QWidget* m_owner;
  QButtonGroup* m_templates;
  QPlainTextEdit* m_head;
  QPlainTextEdit* m_foot;
  int m_template = 0;
};

}  // namespace markwell
