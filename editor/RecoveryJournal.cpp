#include "editor/RecoveryJournal.h"

#include "editor/PluginCommands.h"
#include "editor/WEXDoc.h"
#include "editor/WEXView.h"

#include <QFile>
#include <cerrno>
#include <chrono>

namespace {

std::int64_t NowNs() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             std::chrono::system_clock::now().time_since_epoch())
      .count();
}

}  // namespace

RecoveryJournal::RecoveryJournal(CWEXDoc& document, const std::string& folder)
    : m_doc(document), m_store(folder), m_writer(m_store) {
  m_timer.setSingleShot(true);
  m_timer.setInterval(kDelayMs);
  connect(&m_timer, &QTimer::timeout, this, &RecoveryJournal::WriteInBackground);
  CWEXView* view = m_doc.GetView();
  connect(view, &textview::TextEdit::TextChanged, this, &RecoveryJournal::OnContentsChanged);
  connect(view, &textview::TextEdit::ModificationChanged, this,
          &RecoveryJournal::OnModificationChanged);
  connect(&view->Plugins(), &PluginCommands::PluginAboutToRun, this, &RecoveryJournal::UpdateNow);
}

RecoveryJournal::~RecoveryJournal() { m_writer.RemoveNow(); }

void RecoveryJournal::OnContentsChanged() {
  m_changedNs = NowNs();
  // Not restarted by every key: typing without a pause is saved every second.
  if (!m_timer.isActive()) m_timer.start();
}

void RecoveryJournal::OnModificationChanged(bool modified) {
  if (modified) {
    if (!m_timer.isActive()) m_timer.start();
    return;
  }
  m_timer.stop();
  m_writer.PostRemove();
}

RecoveryRecord RecoveryJournal::RecordWithoutText() const {
  RecoveryRecord record;
  record.path = QFile::encodeName(m_doc.GetPathName()).toStdString();
  record.format = m_doc.Format();
  record.loaded = m_doc.DiskFile().Loaded();
  record.changedNs = m_changedNs ? m_changedNs : NowNs();
  return record;
}

RecordWriter::Job RecoveryJournal::Job() {
  const text::TextBuffer& buffer = m_doc.GetView()->Buffer();
  if (buffer.LoadNumber() != m_unitsLoadNumber || buffer.Loaded() != m_unitsLoaded) {
    ++m_units;
    m_unitsLoadNumber = buffer.LoadNumber();
    m_unitsLoaded = buffer.Loaded();
  }
  std::uint64_t addedOnDisk = 0;
  {
    std::lock_guard lock(m_onDisk->mutex);
    if (m_onDisk->units == m_units) addedOnDisk = m_onDisk->added;
  }
  // Between two edits only what was added since the last record is copied;
  // the loaded text is shared with the writer, which never changes it.
  return [snapshot = TakeSnapshot(buffer, RecordWithoutText(), m_units, addedOnDisk),
          onDisk = m_onDisk](RecoveryStore& store) {
    const int error = WriteSnapshot(store, snapshot);
    std::lock_guard lock(onDisk->mutex);
    onDisk->units = snapshot.units;
    onDisk->added = UnitsAddedOnDisk(store, snapshot);
    return error;
  };
}

void RecoveryJournal::WriteInBackground() {
  if (m_doc.IsModified()) m_writer.Post(Job());
}

void RecoveryJournal::UpdateNow() {
  if (!m_doc.IsModified()) return;
  m_timer.stop();
  // A units file found shorter than told is caught up by the next job.
  if (m_writer.RunNow(Job()) == EAGAIN) m_writer.RunNow(Job());
}
