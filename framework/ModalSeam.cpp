#include "framework/ModalSeam.h"

#include "framework/DialogJournal.h"

#include <QApplication>
#include <QCursor>
#include <QDialog>
#include <QMessageBox>
#include <vector>

namespace {

ModalScript* g_script = nullptr;
UnansweredDialogHandler g_unanswered = nullptr;

// What a dialog nobody answers gives: a message box its escape button, any
// other dialog Rejected.
int Declined(QDialog& dialog) {
  auto* box = qobject_cast<QMessageBox*>(&dialog);
  if (box && box->escapeButton()) return box->standardButton(box->escapeButton());
  return QDialog::Rejected;
}

// Takes the application's override cursors (a wait cursor, say) off while a
// dialog waits for the user, and puts them back in their order afterwards.
class OverrideCursorsLifted {
 public:
  OverrideCursorsLifted() {
    while (const QCursor* cursor = QApplication::overrideCursor()) {
      lifted_.push_back(*cursor);
      QApplication::restoreOverrideCursor();
    }
  }
  ~OverrideCursorsLifted() {
    for (auto it = lifted_.rbegin(); it != lifted_.rend(); ++it)
      QApplication::setOverrideCursor(*it);
  }
  OverrideCursorsLifted(const OverrideCursorsLifted&) = delete;
  OverrideCursorsLifted& operator=(const OverrideCursorsLifted&) = delete;

 private:
  std::vector<QCursor> lifted_;
};

}  // namespace

int RunModal(QDialog& dialog) {
  OverrideCursorsLifted lifted;
  RecordShownDialog(dialog);
  if (g_script) return g_script->Answer_(dialog);
  if (g_unanswered) {
    g_unanswered(DialogCaption(dialog), DialogText(dialog));
    return Declined(dialog);
  }
  return dialog.exec();
}

void SetUnansweredDialogHandler(UnansweredDialogHandler handler) { g_unanswered = handler; }

ModalScript::ModalScript() { g_script = this; }
ModalScript::~ModalScript() { g_script = nullptr; }

void ModalScript::QueueResult(int result) {
  Queue([result](QDialog&) { return result; });
}

int ModalScript::Answer_(QDialog& dialog) {
  ++shown_;
  auto* box = qobject_cast<QMessageBox*>(&dialog);
  if (box) {
    boxes_.push_back({box->parentWidget(), box->windowTitle(), box->text(),
                      static_cast<int>(box->standardButtons()), static_cast<int>(box->icon())});
  }
  if (answers_.empty()) {
    ++unanswered_;
    if (g_unanswered) g_unanswered(DialogCaption(dialog), DialogText(dialog));
    return Declined(dialog);
  }
  Answer answer = std::move(answers_.front());
  answers_.erase(answers_.begin());
  int result = answer(dialog);
  // A script answering a dialog "accepted" leaves it in the state exec() would.
  if (!box) dialog.setResult(result);
  return result;
}
