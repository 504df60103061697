#include "editor/FindCommands.h"

#include "editor/FindReplaceDialog.h"
#include "editor/WEXView.h"
#include "framework/TextBoundary.h"
#include "resources/CommandIds.h"
#include "textview/TextFind.h"

#include <QApplication>

namespace {

textview::FindOptions Options(const FindRequest& request) {
  return {
      .matchCase = request.matchCase, .wholeWord = request.wholeWord, .backward = !request.down};
}

}  // namespace

FindCommands::FindCommands(CWEXView& view) : m_view(view) {
  using namespace cmd;
  const auto hasText = [this](CCmdUI& ui) { ui.Enable(!m_view.Buffer().IsEmpty()); };
  OnCommand(ID_EDIT_FIND, [this](int) { ShowDialog(false); });
  OnUpdate(ID_EDIT_FIND, hasText);
  OnCommand(ID_EDIT_REPLACE, [this](int) { ShowDialog(true); });
  OnUpdate(ID_EDIT_REPLACE, hasText);
  OnCommand(ID_EDIT_REPEAT, [this](int) {
    if (m_lastFind) FindNext(*m_lastFind);
  });
  OnUpdate(ID_EDIT_REPEAT, [this](CCmdUI& ui) {
    ui.Enable(!m_view.Buffer().IsEmpty() && m_lastFind && !m_lastFind->what.isEmpty());
  });
}

FindCommands::~FindCommands() = default;

FindReplaceDialog* FindCommands::Dialog() const { return m_dialog; }

void FindCommands::ShowDialog(bool replace) {
  if (m_dialog && m_dialog->IsReplace() != replace) delete m_dialog;
  if (!m_dialog) {
    m_dialog = new FindReplaceDialog(replace, &m_view);
    connect(m_dialog, &FindReplaceDialog::FindNext, this, &FindCommands::FindNext);
    connect(m_dialog, &FindReplaceDialog::ReplaceOne, this, &FindCommands::ReplaceOne);
    connect(m_dialog, &FindReplaceDialog::ReplaceAll, this, &FindCommands::ReplaceAll);
    if (m_lastFind) m_dialog->SetFindWhat(m_lastFind->what);
  }
  // A selection within one line is what the user wants to find.
  const text::Range selected = m_view.Selection();
  if (!selected.Empty() && selected.begin.paragraph == selected.end.paragraph)
    m_dialog->SetFindWhat(QString::fromStdU16String(m_view.SelectedText()));
  m_dialog->show();
  m_dialog->raise();
  m_dialog->activateWindow();
}

// F3 passes the remembered request itself: it must not be replaced while in use.
// The search text takes the forms that text entering the view takes, so a typed
// "〜" finds the "〜" typed into the text before it.
const FindRequest& FindCommands::Remember(const FindRequest& request) {
  if (m_lastFind.get() != &request) {
    m_lastFind = std::make_unique<FindRequest>(request);
    std::size_t replaced = 0;
    m_lastFind->what = RepresentableText(request.what, replaced);
  }
  return *m_lastFind;
}

bool FindCommands::FindNext(const FindRequest& asked) {
  m_view.WaitForWholeText();
  const FindRequest& request = Remember(asked);
  // Down from the selection's end; up from its start, so that the match just
  // found is not found again.
  const text::Range selection = m_view.Selection();
  const text::Position from = request.down ? selection.end : selection.begin;
  const std::optional<text::Range> found =
      textview::Find(m_view.Buffer(), request.what, from, Options(request));
  if (!found) {
    QApplication::beep();
    return false;
  }
  m_view.SetSelection(found->begin, found->end);
  return true;
}

void FindCommands::ReplaceOne(const FindRequest& asked) {
  const FindRequest& request = Remember(asked);
  const Qt::CaseSensitivity cs = request.matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
  const QString selected = QString::fromStdU16String(m_view.SelectedText());
  if (m_view.HasSelection() && selected.compare(request.what, cs) == 0)
    m_view.InsertText(m_view.Representable(request.with));
  FindNext(request);
}

int FindCommands::ReplaceAll(const FindRequest& asked) {
  m_view.WaitForWholeText();
  const FindRequest& request = Remember(asked);
  textview::FindOptions options = Options(request);
  options.backward = false;
  std::size_t replacedPerMatch = 0;
  const QString with = RepresentableText(request.with, replacedPerMatch);
  const std::u16string_view units(reinterpret_cast<const char16_t*>(with.utf16()),
                                  static_cast<std::size_t>(with.size()));
  text::TextBuffer& buffer = m_view.Buffer();
  int count = 0;
  buffer.BeginGroup();
  for (std::optional<text::Range> found = textview::Find(buffer, request.what, {}, options); found;
       found = textview::Find(buffer, request.what, found->end, options)) {
    found = buffer.Replace(*found, units);
    ++count;
  }
  buffer.EndGroup();
  m_view.ReportReplaced(replacedPerMatch * static_cast<std::size_t>(count));
  if (count == 0) QApplication::beep();
  return count;
}
