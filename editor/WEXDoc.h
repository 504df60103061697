#pragma once
#include "editor/FileChangeCheck.h"
#include "editor/FileText.h"
#include "framework/Document.h"
#include "kanji/TextFormat.h"
#include "platform/Cp932Codec.h"

#include <functional>
#include <memory>
#include <string>

class BackgroundLoad;
class CWEXView;

// The text document: the one owner of reading and writing its files, how file
// bytes become the view's text and back. The view displays and edits.
class CWEXDoc : public CDocument {
  Q_OBJECT
 public:
  explicit CWEXDoc(QObject* parent = nullptr);
  ~CWEXDoc() override;

  void SetView(CWEXView* view);
  CWEXView* GetView() const { return m_pView; }

  bool IsModified() const override;
  void SetModifiedFlag(bool modified) override;
  QWidget* OwnerWindow() const override;

  /// The encoding and line ends Save writes: the file's, or those last chosen in
  /// Save As for the document's own file; Shift-JIS with CR LF for a new one.
  const TextFormat& Format() const { return m_format; }
  void SetFormat(const TextFormat& format);

  /// Reads the file at `path` into `text`: rich text (when `richText` and the
  /// file starts with "{\rtf") as its plain text, any other through code
  /// recognition and its prompts, owned by `owner`. Nothing is shown yet.
  FileError ReadFileText(const QString& path, bool richText, QWidget* owner, FileText& text);
  /// Shows `text` as the document's: the first screenful at once, the rest
  /// brought in from the event loop (see BackgroundLoad); the characters that
  /// its conversion replaced are told of in a message owned by `owner`.
  void ShowFileText(FileText text, QWidget* owner);
  /// Replaces the whole text with `text` at once, as one step of the edit history.
  void ReplaceWithFileText(FileText text, QWidget* owner);
  bool IsLoading() const;
  /// Brings in what a load has not yet, with the wait cursor: for the commands
  /// that need the whole text.
  void CompleteLoad();

  /// Asked before a write with how many characters the encoding cannot hold,
  /// when there are some; true lets them be written as "〓".
  using UnholdableConfirm = std::function<bool(std::size_t count)>;
  /// Writes the whole text in `format` to the file `localPath` (in the system's
  /// encoding) while it is encoded, replacing the file safely. 0, the errno of
  /// the failure, ENOMEM when memory runs out, or ECANCELED when `confirm`
  /// said no and nothing was written.
  int WriteTextFile(const std::string& localPath, const TextFormat& format,
                    const UnholdableConfirm& confirm);
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
  /// How much of a file being loaded is in the view, in percent; -1 when the
  /// whole of it is.
  void LoadProgress(int percent);

 protected:
  void DeleteContents() override;
  FileError Load(const QString& path) override;
  FileError Store(const QString& path) override;
  QString PromptSaveFileName() override;

 private:
  static cp932::LineEnds LineEndsOf(const FileText& text);
  void LetGoOfUnreadFile(int error);
  void ReportReplacedLater(FileText text, QWidget* owner);

  CWEXView* m_pView = nullptr;
  std::string m_settingsPath;
  TextFormat m_format;
  std::unique_ptr<BackgroundLoad> m_pLoad;
  FileChangeCheck m_diskFile{*this};
  bool m_bReloading = false;
};
