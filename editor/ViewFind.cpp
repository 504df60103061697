// Find (Ctrl+F), find next (F3) and replace (Ctrl+H) with the modeless dialogs.

#include "editor/FindReplaceDialog.h"
#include "framework/TextBoundary.h"
#include "editor/WEXView.h"
#include "resources/CommandIds.h"

#include "textview/TextFind.h"

#include <QApplication>

namespace {

textview::FindOptions Options(const FindRequest& request) {
  return {.matchCase = request.matchCase, .wholeWord = request.wholeWord,
          .backward = !request.down};
}

}  // namespace

void CWEXView::RegisterFindCommands() {
  using namespace cmd;
  const auto hasText = [this](CCmdUI& ui) { ui.Enable(!Buffer().IsEmpty()); };
  OnCommand(ID_EDIT_FIND, [this](int) { ShowFindDialog(false); });
  OnUpdate(ID_EDIT_FIND, hasText);
  OnCommand(ID_EDIT_REPLACE, [this](int) { ShowFindDialog(true); });
  OnUpdate(ID_EDIT_REPLACE, hasText);
  OnCommand(ID_EDIT_REPEAT, [this](int) {
    if (m_pLastFind) FindNext(*m_pLastFind);
  });
  OnUpdate(ID_EDIT_REPEAT, [this](CCmdUI& ui) {
    ui.Enable(!Buffer().IsEmpty() && m_pLastFind && !m_pLastFind->what.isEmpty());
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
  const text::Range selected = Selection();
  if (!selected.Empty() && selected.begin.paragraph == selected.end.paragraph)
    m_pFindDialog->SetFindWhat(QString::fromStdU16String(SelectedText()));
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
  // Down from the selection's end; up from its start, so that the match just
  // found is not found again.
  const text::Position from = request.down ? Selection().end : Selection().begin;
  const std::optional<text::Range> found =
      textview::Find(Buffer(), request.what, from, Options(request));
  if (!found) {
    QApplication::beep();
    return false;
  }
  SetSelection(found->begin, found->end);
  return true;
}

void CWEXView::OnReplaceOne(const FindRequest& asked) {
  const FindRequest& request = RememberFind(asked);
  const Qt::CaseSensitivity cs = request.matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
  const QString selected = QString::fromStdU16String(SelectedText());
  if (HasSelection() && selected.compare(request.what, cs) == 0)
    InsertText(Representable(request.with));
  FindNext(request);
}

int CWEXView::ReplaceAll(const FindRequest& asked) {
  WaitForWholeText();
  const FindRequest& request = RememberFind(asked);
  textview::FindOptions options = Options(request);
  options.backward = false;
  std::size_t replacedPerMatch = 0;
  const QString with = RepresentableText(request.with, replacedPerMatch);
  const std::u16string_view units(reinterpret_cast<const char16_t*>(with.utf16()),
                                  static_cast<std::size_t>(with.size()));
  text::TextBuffer& buffer = Buffer();
  int count = 0;
  buffer.BeginGroup();
  for (std::optional<text::Range> found = textview::Find(buffer, request.what, {}, options);
       found; found = textview::Find(buffer, request.what, found->end, options)) {
    found = buffer.Replace(*found, units);
    ++count;
  }
  buffer.EndGroup();
  ReportReplaced(replacedPerMatch * static_cast<std::size_t>(count));
  if (count == 0) QApplication::beep();
  return count;
}
