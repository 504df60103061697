#include "editor/BackgroundLoad.h"

#include "editor/BackgroundConversion.h"
#include "editor/FileText.h"
#include "editor/WEXView.h"
#include "platform/FileBytes.h"

#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <string_view>

namespace {

// Far more than a screenful, so that scrolling a little finds text.
constexpr std::size_t kFirstPieceBytes = 64 << 10;
// Pieces are appended until a slice of time is spent; then the event loop runs.
constexpr std::size_t kPieceBytes = 256 << 10;
constexpr int kSliceMs = 25;
// While a conversion runs, whether it is done is asked this often.
constexpr int kConversionPollMs = 20;

}  // namespace

BackgroundLoad::BackgroundLoad(CWEXView* view, std::string sjis, cp932::LineEnds lineEnds,
                               std::shared_ptr<FileReader> rest,
                               std::shared_ptr<BackgroundConversion> conversion, QObject* parent)
    : QObject(parent),
      m_view(view),
      m_sjis(std::move(sjis)),
      m_lineEnds(lineEnds),
      m_rest(std::move(rest)),
      m_conversion(std::move(conversion)),
      m_total(m_rest ? std::max(m_rest->Size(), m_sjis.size()) : m_sjis.size()) {
  // A timer of no interval runs once the window system's events are handled
  // (a posted call would go before them): input and closing are never kept waiting.
  m_nextSlice.setSingleShot(true);
  m_nextSlice.setInterval(0);
  connect(&m_nextSlice, &QTimer::timeout, this, &BackgroundLoad::AppendSlice);
}

// Ended early (another file opened, the window closed): what came in stays,
// editable as any text.
BackgroundLoad::~BackgroundLoad() {
  if (m_view && !IsDone()) m_view->EndLoad();
}

void BackgroundLoad::Start() {
  // Decoding gives at most a code unit per byte, and a conversion seldom makes
  // a text longer than its file.
  m_capacity = std::max(m_total, m_conversion ? m_conversion->SourceBytes() : 0);
  m_view->BeginLoad(m_capacity);
  const std::size_t end = cp932::PieceEnd(m_sjis, kFirstPieceBytes);
  Append(std::string_view(m_sjis).substr(0, end));
  m_done = end;
  // A text of one piece is whole now; any other shows its start before the rest comes.
  if (IsDone()) {
    AppendSlice();
    return;
  }
  emit Progress(m_percent = Percent());
  QueueSlice();
}

void BackgroundLoad::QueueSlice() {
  if (m_nextSlice.isActive()) return;
  const bool converting = m_conversion && m_done == m_sjis.size();
  m_nextSlice.start(converting ? kConversionPollMs : 0);
}

void BackgroundLoad::Complete() {
  while (AppendPiece(kPieceBytes, true)) {
  }
  AppendSlice();
}

void BackgroundLoad::AppendSlice() {
  if (!m_view) return;
  QElapsedTimer slice;
  slice.start();
  while (slice.elapsed() < kSliceMs && AppendPiece(kPieceBytes, false)) {
  }
  if (IsDone()) {
    if (m_percent == 100) return;  // finished already
    m_percent = 100;
    std::string().swap(m_sjis);
    m_done = 0;
    m_view->EndLoad();
    // What came past the room went in as edits, which are no one's to undo.
    if (m_overflowed) {
      m_view->Buffer().ClearHistory();
      m_view->SetModified(false);
    }
    if (m_readError != FileError::None) emit ReadFailed(m_readError);
    emit Finished();
    return;
  }
  const int percent = Percent();
  if (percent != m_percent) emit Progress(m_percent = percent);
  QueueSlice();
}

// A file that grew while it was read has more bytes than were counted; a
// converted text's length is known once the conversion is done.
int BackgroundLoad::Percent() const {
  if (m_conversion) return 0;
  const std::size_t percent = (m_dropped + m_done) * 100 / std::max<std::size_t>(m_total, 1);
  return static_cast<int>(std::min<std::size_t>(percent, 99));
}

void BackgroundLoad::ReadAhead(std::size_t limit) {
  while (m_rest) {
    // A byte past the piece tells whether its last byte ends a character or a line.
    if (m_sjis.size() - m_done > limit) return;
    m_sjis.erase(0, m_done);
    m_dropped += m_done;
    m_done = 0;
    m_readError = FileErrorFromErrno(m_rest->Read(limit + 1, m_sjis));
    if (m_readError != FileError::None || m_rest->AtEnd()) m_rest.reset();
  }
}

bool BackgroundLoad::TakeConversion(bool wait) {
  if (!m_conversion || m_done < m_sjis.size()) return true;
  if (!wait && !m_conversion->IsDone()) return false;
  FileResult<FileText> taken = m_conversion->Take();
  m_conversion.reset();
  m_readError = taken.Error();
  if (!taken.HasValue()) return true;
  FileText& whole = taken.Value();
  // The head's lines convert to the start of the whole; were they ever to
  // differ, the view would show the whole from its start instead.
  if (!std::string_view(whole.sjis).starts_with(m_sjis)) {
    m_done = 0;
    m_capacity = whole.sjis.size();
    m_overflowed = false;
    m_view->BeginLoad(m_capacity);
  }
  m_sjis = std::move(whole.sjis);
  m_total = m_sjis.size();
  emit Converted(whole);
  return true;
}

bool BackgroundLoad::AppendPiece(std::size_t limit, bool wait) {
  if (!m_view) return false;
  ReadAhead(limit);
  if (!TakeConversion(wait) || IsDone()) return false;
  const std::string_view rest = std::string_view(m_sjis).substr(m_done);
  const std::size_t end = cp932::PieceEnd(rest, limit);
  Append(rest.substr(0, end));
  m_done += end;
  return true;
}

void BackgroundLoad::Append(std::string_view sjis) {
  const std::size_t loaded = m_view->Buffer().Loaded();
  if (loaded + sjis.size() <= m_capacity) {
    m_view->CommitLoaded(cp932::DecodeTo(sjis, m_view->LoadArea() + loaded, m_lineEnds));
    return;
  }
  std::u16string text(sjis.size(), u'\0');
  text.resize(cp932::DecodeTo(sjis, text.data(), m_lineEnds));
  text::TextBuffer& buffer = m_view->Buffer();
  buffer.Insert(buffer.End(), text);
  m_overflowed = true;
}
