#pragma once
#include <QObject>
#include <QPointer>

class CStatusBar;
class CWEXView;

// The caret's "line:column" in the main window's status bar, kept up to date as
// the caret moves and as keys are let go.
class CaretPane : public QObject {
 public:
  /// `statusBar` belongs to the frame and may go first.
  CaretPane(CWEXView& view, CStatusBar* statusBar);

  void Update();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  CWEXView& m_view;
  QPointer<CStatusBar> m_statusBar;
  bool m_queued = false;  ///< a sliced count goes on after the pending events
};
