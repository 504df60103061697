#pragma once
#include "recovery/FileIdentity.h"

#include <QObject>
#include <QString>

class CWEXDoc;

// Another program's changes to the document's file: looked for when the main
// window becomes active and before Save, by the file's identity alone (no reading,
// no polling). The program's own loads and saves tell it the identity they left.
class FileChangeCheck : public QObject {
  Q_OBJECT
 public:
  explicit FileChangeCheck(CWEXDoc& document);

  /// The file at `path` is as the document just read or wrote it; empty: no file.
  void Remember(const QString& path);
  /// As Remember, with the identity seen when the file was read.
  void Remember(const FileIdentity& identity);
  /// The file as the document loaded or last saved it.
  const FileIdentity& Loaded() const { return m_loaded; }

  /// Before Save writes the document's own file at `path`: true when it may (the
  /// file is as loaded or last saved, or gone, or was never there for this
  /// document, or the user agrees to overwrite).
  bool MayOverwrite(const QString& path);
  /// Compares the file with what was loaded and asks what to do when it changed
  /// and the user has not been asked about this state of it yet.
  void CheckOnActivation();

 protected:
  /// Installed on the main window: its activation runs the check.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  CWEXDoc& m_doc;
  FileIdentity m_loaded;  ///< the file as loaded or last saved
  FileIdentity m_told;    ///< the state of the file the user was last asked about
  bool m_bAsking = false;
};
