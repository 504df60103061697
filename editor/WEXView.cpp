#include "editor/WEXView.h"

#include "editor/BufferText.h"
#include "editor/CaretPane.h"
#include "editor/ConvertCommands.h"
#include "editor/FileDialogCommands.h"
#include "editor/FindCommands.h"
#include "editor/FontCommands.h"
#include "editor/OutOfMemory.h"
#include "editor/PluginCommands.h"
#include "editor/PointerInput.h"
#include "editor/PrintCommands.h"
#include "editor/WEXDoc.h"
#include "framework/FrameWnd.h"
#include "framework/MessageBox.h"
#include "framework/StatusBar.h"
#include "framework/TextBoundary.h"
#include "framework/WaitCursor.h"
#include "resources/CommandIds.h"

#include <QKeyEvent>
#include <QScrollBar>
#include <new>
#include <utility>

CWEXView::CWEXView(QWidget* parent, CStatusBar* statusBar, const PluginFileTable& pluginFiles,
                   SettingsFile& settings)
    : TextEdit(parent), m_statusBar(statusBar) {
  RegisterCommands();
  m_find = std::make_unique<FindCommands>(*this);
  m_printing = std::make_unique<PrintCommands>(*this);
  m_plugins = std::make_unique<PluginCommands>(*this, pluginFiles);
  m_converts = std::make_unique<ConvertCommands>(*this);
  m_fileDialogs = std::make_unique<FileDialogCommands>(*this, settings);
  m_fonts = std::make_unique<FontCommands>(*this, settings);
  for (CCmdTarget* part :
       std::initializer_list<CCmdTarget*>{m_find.get(), m_printing.get(), m_plugins.get(),
                                          m_converts.get(), m_fileDialogs.get(), m_fonts.get()})
    AddPart(*part);
  m_pointer = std::make_unique<PointerInput>(*this);
  m_caretPane = std::make_unique<CaretPane>(*this, statusBar);
}

CWEXView::~CWEXView() = default;

void CWEXView::RegisterCommands() {
  using namespace cmd;
  OnCommand(ID_ABOUT, [this](int) {
    ShowMessageBox(this, QString::fromUtf8("Wex ver 2.1a\n\n2024-2026 Wex developers"), QString(),
                   QMessageBox::Ok);
  });
  OnCommand(ID_EDIT_UNDO, [this](int) { Undo(); });
  OnUpdate(ID_EDIT_UNDO, [this](CCmdUI& ui) { ui.Enable(Buffer().CanUndo()); });
  OnCommand(ID_EDIT_CUT, [this](int) { Cut(); });
  OnUpdate(ID_EDIT_CUT, [this](CCmdUI& ui) { ui.Enable(HasSelection()); });
  OnCommand(ID_EDIT_COPY, [this](int) { Copy(); });
  OnUpdate(ID_EDIT_COPY, [this](CCmdUI& ui) { ui.Enable(HasSelection()); });
  OnCommand(ID_EDIT_PASTE, [this](int) { Paste(); });
  OnUpdate(ID_EDIT_PASTE, [this](CCmdUI& ui) { ui.Enable(CanPaste()); });
  OnCommand(ID_EDIT_SELECT_ALL, [this](int) { SelectAll(); });
  OnUpdate(ID_EDIT_SELECT_ALL, [this](CCmdUI& ui) { ui.Enable(!Buffer().IsEmpty()); });
}

std::string CWEXView::GetPlainText() const {
  WaitForWholeText();
  return BufferToSjis(Buffer());
}

void CWEXView::WaitForWholeText() const {
  if (m_document) m_document->CompleteLoad();
}

void CWEXView::SetWholeText(std::string sjis, cp932::LineEnds lineEnds) {
  // Decoded straight into the text's own store: a big text is held twice at most.
  BeginLoad(sjis.size());
  CommitLoaded(cp932::DecodeTo(sjis, LoadArea(), lineEnds));
  std::string().swap(sjis);
  EndLoad();
}

bool CWEXView::TransformWholeText(const Transformation& transform) {
  CWaitCursor wait;
  try {
    std::optional<std::string> result = transform(GetPlainText());
    if (!result) return false;
    ReplaceWholeText(std::move(*result));
  } catch (const std::bad_alloc&) {
    ReportOutOfMemory(this);
    return false;
  }
  return true;
}

// The buffer's history keeps the old text where it is stored: Undo puts its
// paragraphs back without a copy of it ever being made.
void CWEXView::ReplaceWholeText(std::string sjis, cp932::LineEnds lineEnds) {
  std::u16string text(sjis.size(), u'\0');
  text.resize(cp932::DecodeTo(sjis, text.data(), lineEnds));
  std::string().swap(sjis);
  Buffer().Replace(Buffer().Whole(), text);
  SetCaret({});
}

void CWEXView::RestoreText(std::u16string_view text) {
  SetText(text);
  SetModified(true);
}

QSize CWEXView::sizeHint() const {
  const QFontMetrics metrics(font());
  return {metrics.horizontalAdvance(QString(80, u'0')) + verticalScrollBar()->sizeHint().width(),
          metrics.lineSpacing() * 25};
}

bool CWEXView::event(QEvent* e) {
  // The control claims standard keys (Ctrl+Z, Ctrl+C, ...) for itself; the
  // main window's accelerators must win so that every command is routed.
  if (e->type() == QEvent::ShortcutOverride) {
    const auto* frame = dynamic_cast<const CFrameWnd*>(window());
    if (frame && frame->IsAccelerator(static_cast<QKeyEvent*>(e)->keyCombination())) {
      e->ignore();
      return true;
    }
  }
  return TextEdit::event(e);
}

// Text entering the view from the user is made what Shift-JIS can hold on the
// way in, so that the view shows exactly what Save writes.
QString CWEXView::FilterInput(const QString& text) { return Representable(text); }

QString CWEXView::Representable(const QString& text) {
  std::size_t replaced = 0;
  QString representable = RepresentableText(text, replaced);
  ReportReplaced(replaced);
  return representable;
}

void CWEXView::ReportReplaced(std::size_t count) {
  if (count == 0 || !m_statusBar) return;
  m_statusBar->SetPaneText(
      0, QString::fromUtf8("Shift-JISにない文字を〓に置き換えました（%1文字）").arg(count));
}
