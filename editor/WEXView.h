#pragma once
#include "framework/CmdTarget.h"

#include <QPlainTextEdit>
#include <string>

class QPrinter;

// The editor view: the text control and the whole-text operations on it.
// Text crosses this boundary only as Shift-JIS bytes.
class CWEXView : public QPlainTextEdit, public CCmdTarget {
  Q_OBJECT
 public:
  explicit CWEXView(QWidget* parent = nullptr);

  /// The whole text as Shift-JIS with CR LF between paragraphs.
  std::string GetPlainText() const;
  /// Replaces the whole text (Shift-JIS; CR LF, CR and LF each end a paragraph):
  /// caret to the start, undo history emptied, modified flag cleared.
  void SetWholeText(std::string_view sjis);

  void Print(QPrinter& printer);
  void PrintSetup();

 protected:
  bool event(QEvent* e) override;

 private:
  void OnAbout();
  void OnUndo();
  void RegisterCommands();
};
