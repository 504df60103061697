#pragma once
#include <QStatusBar>
#include <vector>

class QLabel;

// A status bar of fixed panes addressed by id. The first pane (id 0) is the
// message pane and takes the remaining width.
class CStatusBar : public QStatusBar {
  Q_OBJECT
 public:
  explicit CStatusBar(QWidget* parent = nullptr);

  /// Creates the panes; `widthTexts` gives each pane after the first the text
  /// whose width it keeps.
  void SetIndicators(const std::vector<int>& ids, const std::vector<QString>& widthTexts);
  int CommandToIndex(int id) const;
  void SetPaneText(int index, const QString& text);
  QString GetPaneText(int index) const;
  int PaneCount() const { return static_cast<int>(panes_.size()); }

 private:
  std::vector<int> ids_;
  std::vector<QLabel*> panes_;
};
