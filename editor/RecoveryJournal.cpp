#include "editor/RecoveryJournal.h"

#include "editor/WEXDoc.h"
#include "editor/WEXView.h"

#include <QFile>
#include <chrono>

namespace {

std::int64_t NowNs() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             std::chrono::system_clock::now().time_since_epoch())
      .count();
}

}  // namespace

std::string RecordText(const QString& rawText) {
  return std::string(reinterpret_cast<const char*>(rawText.utf16()),
                     static_cast<std::size_t>(rawText.size()) * sizeof(char16_t));
}

QString TextOfRecord(const std::string& recordText) {
  return QString::fromUtf16(reinterpret_cast<const char16_t*>(recordText.data()),
                            static_cast<qsizetype>(recordText.size() / sizeof(char16_t)));
}

RecoveryJournal::RecoveryJournal(CWEXDoc& document, const std::string& folder)
    : m_doc(document), m_store(folder), m_writer(m_store) {
  m_timer.setSingleShot(true);
  m_timer.setInterval(kDelayMs);
  connect(&m_timer, &QTimer::timeout, this, &RecoveryJournal::WriteInBackground);
  CWEXView* view = m_doc.GetView();
  QTextDocument* text = view->document();
  connect(text, &QTextDocument::contentsChanged, this, &RecoveryJournal::OnContentsChanged);
  connect(text, &QTextDocument::modificationChanged, this,
          &RecoveryJournal::OnModificationChanged);
  connect(view, &CWEXView::PluginAboutToRun, this, &RecoveryJournal::UpdateNow);
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

void RecoveryJournal::WriteInBackground() {
  if (!m_doc.IsModified()) return;
  // The text is copied here, between two edits; encoding and writing it is the
  // writer's work.
  m_writer.Post([record = RecordWithoutText(),
                 text = m_doc.GetView()->document()->toRawText()]() mutable {
    record.text = RecordText(text);
    return std::move(record);
  });
}

void RecoveryJournal::UpdateNow() {
  if (!m_doc.IsModified()) return;
  m_timer.stop();
  RecoveryRecord record = RecordWithoutText();
  record.text = RecordText(m_doc.GetView()->document()->toRawText());
  m_writer.WriteNow(record);
}
