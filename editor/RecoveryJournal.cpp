#include "editor/RecoveryJournal.h"

#include "editor/WEXDoc.h"
#include "editor/WEXView.h"

#include <QFile>
#include <algorithm>
#include <chrono>
#include <cstring>

namespace {

std::int64_t NowNs() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             std::chrono::system_clock::now().time_since_epoch())
      .count();
}

}  // namespace

// Records have always ended paragraphs in U+2029, as the view once held them:
// a record left by an older copy restores, and this one's by an older copy.
std::string RecordText(std::u16string text) {
  std::replace(text.begin(), text.end(), u'\n', u'\u2029');
  return std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(char16_t));
}

std::u16string TextOfRecord(const std::string& recordText) {
  std::u16string text(recordText.size() / sizeof(char16_t), u'\0');
  std::memcpy(text.data(), recordText.data(), text.size() * sizeof(char16_t));
  std::replace(text.begin(), text.end(), u'\u2029', u'\n');
  return text;
}

RecoveryJournal::RecoveryJournal(CWEXDoc& document, const std::string& folder)
    : m_doc(document), m_store(folder), m_writer(m_store) {
  m_timer.setSingleShot(true);
  m_timer.setInterval(kDelayMs);
  connect(&m_timer, &QTimer::timeout, this, &RecoveryJournal::WriteInBackground);
  CWEXView* view = m_doc.GetView();
  connect(view, &textview::TextEdit::TextChanged, this, &RecoveryJournal::OnContentsChanged);
  connect(view, &textview::TextEdit::ModificationChanged, this, &RecoveryJournal::OnModificationChanged);
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
  const text::TextBuffer& buffer = m_doc.GetView()->Buffer();
  m_writer.Post([record = RecordWithoutText(), text = buffer.Text(buffer.Whole())]() mutable {
    record.text = RecordText(std::move(text));
    return std::move(record);
  });
}

void RecoveryJournal::UpdateNow() {
  if (!m_doc.IsModified()) return;
  m_timer.stop();
  RecoveryRecord record = RecordWithoutText();
  const text::TextBuffer& text = m_doc.GetView()->Buffer();
  record.text = RecordText(text.Text(text.Whole()));
  m_writer.WriteNow(record);
}
