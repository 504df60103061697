#pragma once
#include "editor/FileChangeCheck.h"
#include "framework/Document.h"
#include "kanji/TextFormat.h"

#include <string>

class CWEXView;

// The text document: how file bytes become the view's text and back.
class CWEXDoc : public CDocument {
  Q_OBJECT
 public:
  explicit CWEXDoc(QObject* parent = nullptr);

  void SetView(CWEXView* view);
  CWEXView* GetView() const { return m_pView; }

  bool IsModified() const override;
  void SetModifiedFlag(bool modified) override;
  QWidget* OwnerWindow() const override;

  /// The encoding and line ends Save writes: the file's, or those last chosen in
  /// Save As for the document's own file; Shift-JIS with CR LF for a new one.
  const TextFormat& Format() const { return m_format; }
  void SetFormat(const TextFormat& format);

  /// Another program's changes to the document's file.
  FileChangeCheck& DiskFile() { return m_diskFile; }
  const FileChangeCheck& DiskFile() const { return m_diskFile; }
  /// Loads the document's file again through the load path (recognition and its
  /// prompts included) as one step of the edit history; false when it failed,
  /// which is reported.
  bool ReloadFile();

 signals:
  /// The format's name, e.g. "UTF-8 LF", whenever it may have changed.
  void FormatChanged(const QString& name);

 protected:
  void DeleteContents() override;
  FileError Load(const QString& path) override;
  FileError Store(const QString& path) override;
  QString PromptSaveFileName() override;

 private:
  CWEXView* m_pView = nullptr;
  std::string m_settingsPath;
  TextFormat m_format;
  FileChangeCheck m_diskFile{*this};
  bool m_bReloading = false;
};
