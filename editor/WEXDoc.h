#pragma once
#include "editor/FileChangeCheck.h"
#include "editor/FileText.h"
#include "framework/Document.h"
#include "kanji/TextFormat.h"
#include "platform/Cp932Codec.h"

#include <memory>
#include <string>

class BackgroundLoad;
class CWEXView;
class SettingsFile;

// The text document: the one owner of reading and writing its files, how file
// bytes become the view's text and back. The view displays and edits.
class CWEXDoc : public CDocument {
  Q_OBJECT
 public:
  explicit CWEXDoc(SettingsFile& settings, QObject* parent = nullptr);
  ~CWEXDoc() override;

  void SetView(CWEXView* view);
  CWEXView* GetView() const { return m_view; }

  bool IsModified() const override;
  void SetModifiedFlag(bool modified) override;
  QWidget* OwnerWindow() const override;

  /// The encoding and line ends Save writes: the file's, or those last chosen in
  /// Save As for the document's own file; Shift-JIS with CR LF for a new one.
  const TextFormat& Format() const { return m_format; }
  void SetFormat(const TextFormat& format);

  /// Opens `path` in place of the text, a modified one offered for saving
  /// first (it may be saved into that very file). `richText`: a file that starts
  /// with "{\rtf" comes in as its plain text; else its bytes are read as they
  /// are. The questions and messages of reading it are owned by `owner`.
  /// False when the user cancelled or the load failed (reported).
  bool OpenReplacing(const QString& path, bool richText, QWidget* owner);
  /// Writes the whole text to `path` in `format`, asking first about characters
  /// the encoding cannot hold; the text counts as saved, and written to the
  /// document's own file, `format` becomes the document's. False when it failed
  /// (reported) or the user said no.
  bool SaveCopyAs(const QString& path, const TextFormat& format);

  /// Shows `text` as the document's: the first screenful at once, the rest
  /// brought in from the event loop (see BackgroundLoad); the characters that
  /// its conversion replaced are told of in a message owned by `owner`.
  void ShowFileText(FileText text, QWidget* owner);
  bool IsLoading() const;
  /// Brings in what a load has not yet, with the wait cursor: for the commands
  /// that need the whole text.
  void CompleteLoad();

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
  /// How Load reads the file: opened (rich text as its plain text), opened
  /// as bytes, or loaded again over the text as one step of the edit history.
  enum class LoadKind { Open, OpenBytes, Reload };

  /// Reads the file at `path`, as `m_load` says, through code recognition and
  /// its prompts. Nothing is shown yet.
  FileResult<FileText> ReadFileText(const QString& path);
  /// Replaces the whole text with `text` at once, as one step of the edit history.
  void ReplaceWithFileText(FileText text);
  /// Writes the whole text in `format` to the file `localPath` (in the system's
  /// encoding) while it is encoded, replacing the file safely; the characters
  /// the encoding cannot hold are asked about first: Cancelled when the user
  /// said no and nothing was written.
  FileError WriteTextFile(const std::string& localPath, const TextFormat& format);
  QWidget* LoadOwner() const;
  static cp932::LineEnds LineEndsOf(const FileText& text);
  void LetGoOfUnreadFile(FileError error);
  void ReportReplacedLater(FileText text, QWidget* owner);

  CWEXView* m_view = nullptr;
  SettingsFile& m_settings;
  TextFormat m_format;
  std::unique_ptr<BackgroundLoad> m_backgroundLoad;
  FileChangeCheck m_diskFile{*this};
  struct LoadRequest {
    LoadKind kind = LoadKind::Open;
    QWidget* owner = nullptr;  ///< of the questions and messages; null: the window
  };
  LoadRequest m_load;
};
