#pragma once
#include "framework/CmdTarget.h"
#include "framework/FileErrorReport.h"

#include <QObject>
#include <QString>

class QWidget;

// The document of the document/frame/view trio: its file's path and title, the
// save-changes question, and the new/open/save flows. Subclasses read and write
// the bytes (Load/Store) and tell whether the text is modified.
class CDocument : public QObject, public CCmdTarget {
  Q_OBJECT
 public:
  explicit CDocument(QObject* parent = nullptr);

  const QString& GetPathName() const { return m_pathName; }
  const QString& GetTitle() const { return m_title; }
  void SetPathName(const QString& path);
  void SetTitle(const QString& title);

  virtual bool IsModified() const = 0;
  virtual void SetModifiedFlag(bool modified) = 0;

  /// Asks "save changes?" for a modified document; false when the user cancels
  /// (or the save fails), so the caller must not replace the document.
  bool SaveModified();
  /// Starts an empty untitled document.
  bool OnNewDocument();
  /// Loads `path`; on failure reports it and keeps the previous path and title.
  bool OnOpenDocument(const QString& path);
  /// Saves to the document's file, asking for a name first when it has none.
  bool DoFileSave();

  /// The window that owns the document's messages.
  virtual QWidget* OwnerWindow() const = 0;

 signals:
  void TitleChanged(const QString& title);

 protected:
  virtual void DeleteContents() = 0;
  virtual FileError Load(const QString& path) = 0;
  virtual FileError Store(const QString& path) = 0;
  /// The file name chosen in the framework's save dialog; empty when cancelled.
  virtual QString PromptSaveFileName() = 0;
  /// Ends a save to `path` that came to `error`: the text counts as saved, or
  /// the failure is reported (nothing when the user cancelled). False on failure.
  bool FinishSave(const QString& path, FileError error);

 private:
  bool SaveTo(const QString& path);
  QString m_pathName;
  QString m_title;
};
