#pragma once
// Every modal interaction of the program (message boxes, file, font and print
// dialogs, the program's own dialogs) runs through RunModal, so that tests can
// answer them from a script instead of a person.

#include <QString>
#include <functional>
#include <vector>

class QDialog;
class QWidget;

/// Runs `dialog` modally and returns its result (QDialog::Accepted / Rejected, or
/// the button a message box returned). With a script installed, the script runs
/// in place of the user.
int RunModal(QDialog& dialog);

/// Test seam: told of every dialog that would wait for a person although a test
/// runs (no script installed, or no answer queued), with its caption and text;
/// the dialog is then rejected instead of run. Null, the default, runs it.
using UnansweredDialogHandler = void (*)(const QString& caption, const QString& text);
void SetUnansweredDialogHandler(UnansweredDialogHandler handler);

/// What a test sees of each message box shown while its script was installed.
struct ShownMessageBox {
  QWidget* owner = nullptr;
  QString caption;
  QString text;
  int buttons = 0;  // QMessageBox::StandardButtons
  int icon = 0;     // QMessageBox::Icon
};

/// Test seam: while an instance lives, modal dialogs do not run; each one is
/// passed to the next queued answer instead (first in, first out). A dialog with
/// no queued answer is rejected (message boxes: their escape button), counted
/// in `unanswered` and reported to the unanswered-dialog handler.
class ModalScript {
 public:
  using Answer = std::function<int(QDialog&)>;

  ModalScript();
  ~ModalScript();
  ModalScript(const ModalScript&) = delete;
  ModalScript& operator=(const ModalScript&) = delete;

  void Queue(Answer answer) { answers_.push_back(std::move(answer)); }
  /// Queues a fixed result (for message boxes, a QMessageBox::StandardButton).
  void QueueResult(int result);

  const std::vector<ShownMessageBox>& messageBoxes() const { return boxes_; }
  int shown() const { return shown_; }
  int unanswered() const { return unanswered_; }
  std::size_t pending() const { return answers_.size(); }

  int Answer_(QDialog& dialog);  // called by RunModal

 private:
  std::vector<Answer> answers_;
  std::vector<ShownMessageBox> boxes_;
  int shown_ = 0;
  int unanswered_ = 0;
};
