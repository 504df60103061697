#pragma once
#include <QObject>
#include <QStringList>

class CWEXView;
class QMenu;

// What the pointer does in the view beyond editing: the right-click menu (from the
// mouse or the keyboard's menu key) and files dropped on it.
class PointerInput : public QObject {
 public:
  explicit PointerInput(CWEXView& view);

  /// The right-click menu (owned by the caller); its items route their commands.
  QMenu* CreateContextMenu();
  /// Opens each file in order as the document, asking to save changes first.
  void OpenDroppedFiles(const QStringList& paths);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  /// True when `event` carried files and was taken.
  bool TakeDrop(QEvent* event);

  CWEXView& m_view;
};
