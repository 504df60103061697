#include "editor/WEXView.h"

#include "editor/TextBoundary.h"
#include "framework/CommandIds.h"
#include "framework/MessageBox.h"
#include "resources/MainMenu.h"

#include <QKeyEvent>
#include <QPageSetupDialog>
#include <QPrinter>
#include "framework/ModalSeam.h"

CWEXView::CWEXView(QWidget* parent) : QPlainTextEdit(parent) {
  setLineWrapMode(QPlainTextEdit::WidgetWidth);
  setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  RegisterCommands();
}

void CWEXView::RegisterCommands() {
  using namespace cmd;
  OnCommand(ID_ABOUT, [this](int) { OnAbout(); });
  OnCommand(ID_EDIT_UNDO, [this](int) { OnUndo(); });
  OnUpdate(ID_EDIT_UNDO, [this](CCmdUI& ui) { ui.Enable(document()->isUndoAvailable()); });
  OnCommand(ID_EDIT_CUT, [this](int) { cut(); });
  OnUpdate(ID_EDIT_CUT, [this](CCmdUI& ui) { ui.Enable(textCursor().hasSelection()); });
  OnCommand(ID_EDIT_COPY, [this](int) { copy(); });
  OnUpdate(ID_EDIT_COPY, [this](CCmdUI& ui) { ui.Enable(textCursor().hasSelection()); });
  OnCommand(ID_EDIT_PASTE, [this](int) { paste(); });
  OnUpdate(ID_EDIT_PASTE, [this](CCmdUI& ui) { ui.Enable(canPaste()); });
  OnCommand(ID_EDIT_SELECT_ALL, [this](int) { selectAll(); });
  OnUpdate(ID_EDIT_SELECT_ALL, [this](CCmdUI& ui) { ui.Enable(!document()->isEmpty()); });
}

std::string CWEXView::GetPlainText() const { return TextToSjis(toPlainText()); }

void CWEXView::SetWholeText(std::string_view sjis) {
  setPlainText(SjisToText(sjis));  // also empties the undo history
  document()->setModified(false);
  moveCursor(QTextCursor::Start);
}

void CWEXView::OnUndo() { undo(); }

void CWEXView::Print(QPrinter& printer) {
  // Half-inch margins on every side.
  printer.setPageMargins(QMarginsF(0.5, 0.5, 0.5, 0.5), QPageLayout::Inch);
  document()->print(&printer);
}

void CWEXView::PrintSetup() {
  QPrinter printer;
  QPageSetupDialog dialog(&printer, this);
  RunModal(dialog);
}

void CWEXView::OnAbout() {
  ShowMessageBox(this,
                 QString::fromUtf8("Wex ver 2.1a\n\n2024-2026 Wex developers"),
                 QString(), QMessageBox::Ok);
}

bool CWEXView::event(QEvent* e) {
  // The control claims standard keys (Ctrl+Z, Ctrl+C, ...) for itself; the
  // main window's accelerators must win so that every command is routed.
  if (e->type() == QEvent::ShortcutOverride) {
    const QKeyCombination key = static_cast<QKeyEvent*>(e)->keyCombination();
    for (const AcceleratorDef& accel : MainAccelerators()) {
      if (accel.key == key) {
        e->ignore();
        return true;
      }
    }
  }
  return QPlainTextEdit::event(e);
}
