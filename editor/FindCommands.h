#pragma once
#include "framework/CmdTarget.h"

#include <QObject>
#include <QPointer>
#include <memory>

class CWEXView;
class FindReplaceDialog;
struct FindRequest;

// Find (Ctrl+F), find next (F3) and replace (Ctrl+H) in the view's text, with the
// modeless dialogs. The last request is kept for F3.
class FindCommands : public QObject, public CCmdTarget {
 public:
  explicit FindCommands(CWEXView& view);
  ~FindCommands() override;

  /// Finds with the settings of the find dialogs; false (and a beep) when not found.
  bool FindNext(const FindRequest& request);
  /// Replaces every match in one undoable edit; returns how many.
  int ReplaceAll(const FindRequest& request);
  FindReplaceDialog* Dialog() const;

 private:
  void ShowDialog(bool replace);
  void ReplaceOne(const FindRequest& request);
  const FindRequest& Remember(const FindRequest& request);

  CWEXView& m_view;
  QPointer<FindReplaceDialog> m_dialog;  // a child of the view
  std::unique_ptr<FindRequest> m_lastFind;
};
