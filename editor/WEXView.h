#pragma once
#include "framework/CmdTarget.h"
#include "platform/Cp932Codec.h"
#include "plugin_host/PluginModule.h"
#include "plugin_host/PluginScan.h"
#include "textview/TextEdit.h"

#include <QPointer>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

class CStatusBar;
class CWEXDoc;
class FindReplaceDialog;
class QAction;
class QMenu;
class QPrinter;
class SettingsFile;
struct FindRequest;

// The editor view: the text control and the whole-text operations on it, its
// font, right-click menu, dropped files, caret pane, find and print.
// Text crosses this boundary only as Shift-JIS bytes.
class CWEXView : public textview::TextEdit, public CCmdTarget {
  Q_OBJECT
 public:
  /// `statusBar` gets the caret pane; `pluginFiles` names the plug-ins of the
  /// plug-in commands. Both belong to the frame's side and outlive the view.
  CWEXView(QWidget* parent, CStatusBar* statusBar, const PluginFileTable& pluginFiles,
           SettingsFile& settings);
  ~CWEXView() override;

  void SetDocument(CWEXDoc* document) { m_pDocument = document; }

  /// The whole text as Shift-JIS with CR LF between paragraphs.
  std::string GetPlainText() const;
  /// Replaces the whole text (Shift-JIS; CR LF, CR and LF each end a paragraph,
  /// or as `lineEnds` says): caret to the start, undo history emptied, modified
  /// flag cleared. `sjis` is released once decoded, so a text moved in is not held
  /// twice meanwhile.
  void SetWholeText(std::string sjis, cp932::LineEnds lineEnds = cp932::LineEnds::Paragraphs);
  /// The whole text replaced by `sjis` as one step of the edit history.
  void ReplaceWholeText(std::string sjis,
                        cp932::LineEnds lineEnds = cp932::LineEnds::Paragraphs);
  /// Puts back a text as the control held it ("\n" ends a paragraph), counted
  /// as modified.
  void RestoreText(std::u16string_view text);
  /// Shows the whole text in the view's font; selection and modified flag stay.
  void ApplyCharFormat();

  /// A whole-text transformation: the new Shift-JIS text, or no result to leave
  /// everything as it was. It may throw std::bad_alloc.
  using Transformation = std::function<std::optional<std::string>(const std::string& text)>;
  /// Replaces the whole text with `transform`'s result as one step of the
  /// control's edit history: Undo takes it back after any later edits, Redo
  /// brings it again. Without a result (or out of memory, which is reported)
  /// text, modified flag and history stay as they were. True when the text was
  /// replaced.
  bool TransformWholeText(const Transformation& transform);

  /// The view's font as the settings file keeps it.
  struct CharFormat {
    std::string faceName;  // Shift-JIS, at most 31 bytes; empty: the control's default
    int charSet = 0;       // 128: a Japanese font
    int height = 0;        // twips; 0: the control's default
  };
  const CharFormat& GetCharFormat() const { return m_cf; }

  /// The right-click menu (owned by the caller); its items route their commands.
  QMenu* CreateContextMenu();
  /// Opens each file in order as the document, asking to save changes first.
  void OpenDroppedFiles(const QStringList& paths);
  /// Writes the caret's "line:column" into the main window's status bar.
  void UpdateLineColumn();

  /// Room for 80 columns and 25 lines: the size the window gets when the
  /// window manager is left to choose it.
  QSize sizeHint() const override;

  void Print(QPrinter& printer);
  void PrintSetup();
  /// Finds with the settings of the find dialogs; false (and a beep) when not found.
  bool FindNext(const FindRequest& request);
  /// Replaces every match in one undoable edit; returns how many.
  int ReplaceAll(const FindRequest& request);
  FindReplaceDialog* FindDialog() const { return m_pFindDialog; }

 signals:
  /// A plug-in is about to be given the text: what is unsaved must be safe first,
  /// in case it never returns.
  void PluginAboutToRun();

 protected:
  bool event(QEvent* e) override;
  /// Text entering the view: typing, input-method commits, paste and dropped text.
  QString FilterInput(const QString& text) override;
  void keyReleaseEvent(QKeyEvent* e) override;
  void contextMenuEvent(QContextMenuEvent* e) override;
  void dragEnterEvent(QDragEnterEvent* e) override;
  void dragMoveEvent(QDragMoveEvent* e) override;
  void dropEvent(QDropEvent* e) override;

 private:
  void RegisterCommands();
  void RegisterEditCommands();
  void RegisterFindCommands();
  void RegisterPrintCommands();
  void SendCommand(int id);
  /// Enables `action` (carrying a command id) as the main window's menu would.
  void UpdateCommandUI(QAction* action);
  void OnAbout();
  /// `text` made what Shift-JIS can hold before it enters the view; says in the
  /// status bar's message pane how many characters became "〓".
  QString Representable(const QString& text);
  void ReportReplaced(std::size_t count);
  void OnConvert(int id);
  void OnConvertInfo(int id);
  void RunPlugin(int index);
  /// Tells the user that the plug-in of command `index` gave a result that was not used.
  void ReportInvalidResult(int index);
  void OpenPluginOptions(int index);
  bool LoadPlugin(int index);
  void OnFont();
  void LoadFontSettings();
  void OnFileOpen();
  void OnFileSaveAs();
  void ShowFindDialog(bool replace);
  void OnReplaceOne(const FindRequest& request);
  const FindRequest& RememberFind(const FindRequest& request);
  void OnFilePrint(bool withDialog);
  void OnFilePrintPreview();
  QPrinter& Printer();
  /// A command that needs the whole text waits for a load to bring it in.
  void WaitForWholeText() const;

  CharFormat m_cf;
  CWEXDoc* m_pDocument = nullptr;
  SettingsFile& m_settings;
  QPointer<CStatusBar> m_pStatusBar;  // the frame destroys its children in any order
  const PluginFileTable& m_pluginFiles;
  FindReplaceDialog* m_pFindDialog = nullptr;
  std::unique_ptr<FindRequest> m_pLastFind;
  std::unique_ptr<QPrinter> m_pPrinter;
  bool m_bLineColumnQueued = false;  ///< a sliced count goes on after the pending events
  PluginModule m_pluginModule;  ///< the plug-in of the last plug-in command
};
