// Find (Ctrl+F), find next (F3) and replace (Ctrl+H) with the modeless dialogs.

#include "editor/FindReplaceDialog.h"
#include "editor/TextBoundary.h"
#include "editor/WEXView.h"
#include "framework/CommandIds.h"

#include <QApplication>
#include <QTextDocument>

namespace {

QTextDocument::FindFlags Flags(const FindRequest& request) {
  QTextDocument::FindFlags flags;
  if (request.matchCase) flags |= QTextDocument::FindCaseSensitively;
  if (request.wholeWord) flags |= QTextDocument::FindWholeWords;
  if (!request.down) flags |= QTextDocument::FindBackward;
  return flags;
}

}  // namespace

void CWEXView::RegisterFindCommands() {
  using namespace cmd;
  const auto hasText = [this](CCmdUI& ui) { ui.Enable(!document()->isEmpty()); };
  OnCommand(ID_EDIT_FIND, [this](int) { ShowFindDialog(false); });
  OnUpdate(ID_EDIT_FIND, hasText);
  OnCommand(ID_EDIT_REPLACE, [this](int) { ShowFindDialog(true); });
  OnUpdate(ID_EDIT_REPLACE, hasText);
  OnCommand(ID_EDIT_REPEAT, [this](int) {
    if (m_pLastFind) FindNext(*m_pLastFind);
  });
  OnUpdate(ID_EDIT_REPEAT, [this](CCmdUI& ui) {
    ui.Enable(!document()->isEmpty() && m_pLastFind && !m_pLastFind->what.isEmpty());
  });
}

void CWEXView::ShowFindDialog(bool replace) {
  if (m_pFindDialog && m_pFindDialog->IsReplace() != replace) {
    delete m_pFindDialog;
    m_pFindDialog = nullptr;
  }
  if (!m_pFindDialog) {
    m_pFindDialog = new FindReplaceDialog(replace, this);
    connect(m_pFindDialog, &FindReplaceDialog::FindNext, this, &CWEXView::FindNext);
    connect(m_pFindDialog, &FindReplaceDialog::ReplaceOne, this, &CWEXView::OnReplaceOne);
    connect(m_pFindDialog, &FindReplaceDialog::ReplaceAll, this, &CWEXView::ReplaceAll);
    if (m_pLastFind) m_pFindDialog->SetFindWhat(m_pLastFind->what);
  }
  // A selection within one line is what the user wants to find.
  const QString selected = textCursor().selectedText();
  if (!selected.isEmpty() && !selected.contains(QChar::ParagraphSeparator))
    m_pFindDialog->SetFindWhat(selected);
  m_pFindDialog->show();
  m_pFindDialog->raise();
  m_pFindDialog->activateWindow();
}

// F3 passes the remembered request itself: it must not be replaced while in use.
// The search text takes the forms that text entering the view takes, so a typed
// "〜" finds the "〜" typed into the text before it.
const FindRequest& CWEXView::RememberFind(const FindRequest& request) {
  if (m_pLastFind.get() != &request) {
    m_pLastFind = std::make_unique<FindRequest>(request);
    std::size_t replaced = 0;
    m_pLastFind->what = RepresentableText(request.what, replaced);
  }
  return *m_pLastFind;
}

bool CWEXView::FindNext(const FindRequest& asked) {
  WaitForWholeText();
  const FindRequest& request = RememberFind(asked);
  const QTextCursor found = document()->find(request.what, textCursor(), Flags(request));
  if (found.isNull()) {
    QApplication::beep();
    return false;
  }
  setTextCursor(found);
  return true;
}

void CWEXView::OnReplaceOne(const FindRequest& asked) {
  const FindRequest& request = RememberFind(asked);
  QTextCursor cursor = textCursor();
  const Qt::CaseSensitivity cs = request.matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
  if (cursor.hasSelection() && cursor.selectedText().compare(request.what, cs) == 0) {
    cursor.insertText(Representable(request.with));
    setTextCursor(cursor);
  }
  FindNext(request);
}

int CWEXView::ReplaceAll(const FindRequest& asked) {
  WaitForWholeText();
  const FindRequest& request = RememberFind(asked);
  QTextDocument::FindFlags flags = Flags(request) & ~QTextDocument::FindBackward;
  std::size_t replacedPerMatch = 0;
  const QString with = RepresentableText(request.with, replacedPerMatch);
  QTextCursor edit(document());
  edit.beginEditBlock();
  int count = 0;
  QTextCursor found = document()->find(request.what, 0, flags);
  while (!found.isNull()) {
    found.insertText(with);
    ++count;
    found = document()->find(request.what, found, flags);
  }
  edit.endEditBlock();
  ReportReplaced(replacedPerMatch * static_cast<std::size_t>(count));
  if (count == 0) QApplication::beep();
  return count;
}
