#pragma once
#include "editor/JournalText.h"
#include "recovery/RecordWriter.h"
#include "recovery/RecoveryStore.h"

#include <QObject>
#include <QTimer>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

class CWEXDoc;

// Keeps this process's recovery record current while the document has unsaved
// changes: rewritten on the writer's thread at most a second after a change,
// written at once before a plug-in gets the text, removed as soon as the text is
// saved or back as saved, and when the program ends as the user chose.
class RecoveryJournal : public QObject {
  Q_OBJECT
 public:
  /// Watches `document` (and its view), keeping the record in `folder`.
  RecoveryJournal(CWEXDoc& document, const std::string& folder);
  /// The program ends normally: whatever was unsaved, the user chose to drop it.
  ~RecoveryJournal() override;

  /// Brings the record up to date before returning (nothing while unmodified).
  void UpdateNow();
  /// Waits until the record written in the background is on disk (for tests and
  /// benchmarks).
  void WaitForWriter() { m_writer.Wait(); }
  const std::string& RecordPath() const { return m_store.RecordPath(); }

  /// How long after a change the record is brought up to date.
  static constexpr int kDelayMs = 1000;

 private:
  void OnContentsChanged();
  void OnModificationChanged(bool modified);
  void WriteInBackground();
  /// The record without its text, which the caller fills in.
  RecoveryRecord RecordWithoutText() const;
  /// The job that brings the record up to the view's text now.
  RecordWriter::Job Job();

  /// How much of the added text the units file holds, told by the writer.
  struct UnitsOnDisk {
    std::mutex mutex;
    std::uint64_t units = 0;
    std::uint64_t added = 0;
  };

  CWEXDoc& m_doc;
  RecoveryStore m_store;
  RecordWriter m_writer;
  QTimer m_timer;
  std::int64_t m_changedNs = 0;
  /// The units file, new whenever the buffer's loaded text is.
  std::uint64_t m_units = 0;
  std::uint64_t m_unitsLoadNumber = 0;
  std::uint64_t m_unitsLoaded = 0;
  std::shared_ptr<UnitsOnDisk> m_onDisk = std::make_shared<UnitsOnDisk>();
};
