#include "editor/CaretPane.h"

#include "editor/WEXView.h"
#include "framework/StatusBar.h"
#include "resources/CommandIds.h"

#include <QTimer>
#include <chrono>

namespace {

// Code units from `from` on to `to`, a paragraph end counting one.
std::size_t Distance(const text::TextBuffer& text, text::Position from, text::Position to) {
  if (from.paragraph == to.paragraph) return to.offset - from.offset;
  std::size_t units = text.Length(from.paragraph) - from.offset + 1 + to.offset;
  for (std::size_t p = from.paragraph + 1; p < to.paragraph; ++p) units += text.Length(p) + 1;
  return units;
}

}  // namespace

CaretPane::CaretPane(CWEXView& view, CStatusBar* statusBar) : m_view(view), m_statusBar(statusBar) {
  connect(&view, &textview::TextEdit::CaretMoved, this, &CaretPane::Update);
  view.installEventFilter(this);
}

bool CaretPane::eventFilter(QObject*, QEvent* event) {
  if (event->type() == QEvent::KeyRelease) Update();
  return false;
}

void CaretPane::Update() {
  if (!m_statusBar) return;
  // Screen lines: a wrapped paragraph counts as several lines. The line is the
  // caret's; the column runs from that line's start to the selection's end.
  // Counting the lines above takes long far down a big text: it is done in
  // slices, so that the window stays responsive meanwhile.
  constexpr std::chrono::milliseconds kSlice{30};
  const int pane = m_statusBar->CommandToIndex(cmd::ID_INDICATOR_LINECOL);
  const std::optional<textview::TextEdit::RowColumn> caret = m_view.CaretRowColumn(kSlice);
  if (!caret) {
    // Not counted yet: the pane shows nothing rather than a wrong line, and
    // the count goes on after the events that are waiting.
    m_statusBar->SetPaneText(pane, QString());
    if (!m_queued) {
      m_queued = true;
      QTimer::singleShot(0, this, [this] {
        m_queued = false;
        Update();
      });
    }
    return;
  }
  const std::size_t column =
      caret->column + Distance(m_view.Buffer(), m_view.Caret(), m_view.Selection().end);
  m_statusBar->SetPaneText(pane, QString::asprintf("%4zu:%3zu", caret->row + 1, column));
}
