#pragma once
#include "framework/CmdTarget.h"
#include "platform/Cp932Codec.h"
#include "plugin_host/PluginScan.h"
#include "textview/TextEdit.h"

#include <QPointer>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

class CaretPane;
class ConvertCommands;
class CStatusBar;
class CWEXDoc;
class FileDialogCommands;
class FindCommands;
class FontCommands;
class PluginCommands;
class PointerInput;
class PrintCommands;
class SettingsFile;

// The editor view: the edit control, with the text crossing its boundary only as
// Shift-JIS bytes, and the whole-text operations on it. The commands and events
// beyond editing are parts of their own, each registering its commands: find,
// printing, plug-ins, conversions, Open and Save As, the font, the pointer (the
// right-click menu, dropped files) and the caret pane.
class CWEXView : public textview::TextEdit, public CCmdTarget {
  Q_OBJECT
 public:
  /// `statusBar` gets the caret pane; `pluginFiles` names the plug-ins of the
  /// plug-in commands; `settings` keep the font and the file dialogs' choices.
  /// All belong to the frame's side and outlive the view.
  CWEXView(QWidget* parent, CStatusBar* statusBar, const PluginFileTable& pluginFiles,
           SettingsFile& settings);
  ~CWEXView() override;

  void SetDocument(CWEXDoc* document) { m_document = document; }
  CWEXDoc* GetDocument() const { return m_document; }

  /// The whole text as Shift-JIS with CR LF between paragraphs.
  std::string GetPlainText() const;
  /// Replaces the whole text (Shift-JIS; CR LF, CR and LF each end a paragraph,
  /// or as `lineEnds` says): caret to the start, undo history emptied, modified
  /// flag cleared. `sjis` is released once decoded, so a text moved in is not held
  /// twice meanwhile.
  void SetWholeText(std::string sjis, cp932::LineEnds lineEnds = cp932::LineEnds::Paragraphs);
  /// The whole text replaced by `sjis` as one step of the edit history.
  void ReplaceWholeText(std::string sjis, cp932::LineEnds lineEnds = cp932::LineEnds::Paragraphs);
  /// Puts back a text as the control held it ("\n" ends a paragraph), counted
  /// as modified.
  void RestoreText(std::u16string_view text);
  /// A command that needs the whole text waits for a load to bring it in.
  void WaitForWholeText() const;

  /// A whole-text transformation: the new Shift-JIS text, or no result to leave
  /// everything as it was. It may throw std::bad_alloc.
  using Transformation = std::function<std::optional<std::string>(const std::string& text)>;
  /// Replaces the whole text with `transform`'s result as one step of the
  /// control's edit history: Undo takes it back after any later edits, Redo
  /// brings it again. Without a result (or out of memory, which is reported)
  /// text, modified flag and history stay as they were. True when the text was
  /// replaced.
  bool TransformWholeText(const Transformation& transform);

  /// `text` made what Shift-JIS can hold before it enters the view; says in the
  /// status bar's message pane how many characters became "〓".
  QString Representable(const QString& text);
  void ReportReplaced(std::size_t count);

  FindCommands& Find() { return *m_find; }
  PrintCommands& Printing() { return *m_printing; }
  PluginCommands& Plugins() { return *m_plugins; }
  FontCommands& Fonts() { return *m_fonts; }
  PointerInput& Pointer() { return *m_pointer; }

  /// Room for 80 columns and 25 lines: the size the window gets when the
  /// window manager is left to choose it.
  QSize sizeHint() const override;

 protected:
  bool event(QEvent* e) override;
  /// Text entering the view: typing, input-method commits, paste and dropped text.
  QString FilterInput(const QString& text) override;

 private:
  void RegisterCommands();

  CWEXDoc* m_document = nullptr;
  QPointer<CStatusBar> m_statusBar;  // the frame destroys its children in any order
  std::unique_ptr<FindCommands> m_find;
  std::unique_ptr<PrintCommands> m_printing;
  std::unique_ptr<PluginCommands> m_plugins;
  std::unique_ptr<ConvertCommands> m_converts;
  std::unique_ptr<FileDialogCommands> m_fileDialogs;
  std::unique_ptr<FontCommands> m_fonts;
  std::unique_ptr<PointerInput> m_pointer;
  std::unique_ptr<CaretPane> m_caretPane;
};
