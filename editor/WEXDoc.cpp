#include "editor/WEXDoc.h"

#include "editor/BackgroundConversion.h"
#include "editor/BackgroundLoad.h"
#include "editor/BufferText.h"
#include "editor/FileDialog.h"
#include "editor/FormatMessages.h"
#include "editor/RtfReader.h"
#include "editor/WEXView.h"
#include "framework/TextBoundary.h"
#include "framework/WaitCursor.h"
#include "kanji/FileEncoder.h"
#include "platform/ChunkedWrite.h"
#include "platform/FileBytes.h"
#include "resources/CommandIds.h"
#include "resources/Strings.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QPointer>
#include <QRegularExpression>
#include <new>
#include <stdexcept>

CWEXDoc::~CWEXDoc() = default;

CWEXDoc::CWEXDoc(SettingsFile& settings, QObject* parent)
    : CDocument(parent), m_settings(settings) {
  OnCommand(cmd::ID_FILE_SAVE, [this](int) { DoFileSave(); });
}

void CWEXDoc::SetView(CWEXView* view) {
  m_view = view;
  if (view) view->SetDocument(this);
}

bool CWEXDoc::IsModified() const { return m_view && m_view->IsModified(); }

void CWEXDoc::SetModifiedFlag(bool modified) {
  if (m_view) m_view->SetModified(modified);
}

QWidget* CWEXDoc::OwnerWindow() const { return m_view ? m_view->window() : nullptr; }

void CWEXDoc::SetFormat(const TextFormat& format) {
  m_format = format;
  emit FormatChanged(QString::fromStdString(FormatName(format)));
}

void CWEXDoc::DeleteContents() {
  m_backgroundLoad.reset();
  if (m_view) m_view->SetWholeText({});
  SetFormat({});
  m_diskFile.Remember(QString());
}

bool CWEXDoc::ReloadFile() {
  m_load = {LoadKind::Reload, nullptr};
  const FileError error = Load(GetPathName());
  m_load = {};
  if (error != FileError::None) {
    ReportFileError(OwnerWindow(), error, GetPathName());
    return false;
  }
  SetModifiedFlag(false);
  return true;
}

namespace {

// Enough for code recognition and far more than a screenful.
constexpr std::size_t kHeadBytes = 1 << 20;

// Files up to this size are converted at once; in a bigger one the head's lines
// are converted for the first screenful and the whole beside the running program.
constexpr std::size_t kConvertAtOnceBytes = 4 << 20;
// About what a first screenful's lines need, and far more.
constexpr std::size_t kConvertedHeadBytes = 64 << 10;

// Where the head's lines end: after the last line end within kConvertedHeadBytes;
// npos when there is none. In UTF-16 a line end is a whole code unit, since a
// LF byte may be half of another character.
std::size_t HeadLinesEnd(std::string_view bytes, TextEncoding from) {
  const std::string_view head = bytes.substr(0, kConvertedHeadBytes);
  if (from != TextEncoding::Utf16Le && from != TextEncoding::Utf16Be) {
    const std::size_t lineFeed = head.rfind('\n');
    return lineFeed == std::string_view::npos ? lineFeed : lineFeed + 1;
  }
  const std::size_t low = from == TextEncoding::Utf16Le ? 0 : 1;  // the byte that is 0x0A
  for (std::size_t end = head.size() & ~std::size_t{1}; end >= 2; end -= 2)
    if (head[end - 2 + low] == '\n' && head[end - 1 - low] == '\0') return end;
  return std::string_view::npos;
}

// The text of a whole file's `bytes` converted as `reading` says.
FileText ConvertedFileText(std::string bytes, const FileReading& reading) {
  const std::size_t headEnd = HeadLinesEnd(bytes, *reading.convertFrom);
  if (bytes.size() <= kConvertAtOnceBytes || headEnd == std::string_view::npos)
    return ReadFileBytes(std::move(bytes), reading);
  FileText text = ReadFileBytes(bytes.substr(0, headEnd), reading);
  text.conversion = BackgroundConversion::Start(std::move(bytes), reading);
  return text;
}

// The head of the file, or all of it when its first line is longer: the head
// must hold the first line end, which Save writes again.
int ReadHead(FileReader& reader, std::string& bytes) {
  if (const int error = reader.Read(kHeadBytes, bytes)) return error;
  const std::size_t lineEnd = bytes.find_first_of("\r\n");
  // A CR that ends the head may be half of a CR LF.
  const bool holdsLineEnd = lineEnd != std::string::npos && lineEnd + 1 < bytes.size();
  return reader.AtEnd() || holdsLineEnd ? 0 : reader.ReadRest(bytes);
}

}  // namespace

FileResult<FileText> CWEXDoc::ReadFileText(const QString& path) {
  const std::string localPath = QFile::encodeName(path).toStdString();
  // Taken before reading: a change made while the file is read shows later.
  const FileIdentity identity = IdentifyFile(localPath);
  auto reader = std::make_shared<FileReader>();
  if (const int error = reader->Open(localPath)) return FileErrorFromErrno(error);
  // The view holds a text in UTF-16 with its paragraphs' records: about three
  // times the file's bytes. Refused before anything is replaced.
  if (reader->Size() > AvailableMemoryBytes() / 3) return FileError::OutOfMemory;
  std::string bytes;
  if (const int error = ReadHead(*reader, bytes)) return FileErrorFromErrno(error);
  FileText text;
  try {
    // Rich text comes in as its plain text, with no code recognition.
    if (m_load.kind != LoadKind::OpenBytes && IsRichText(bytes)) {
      if (const int error = reader->ReadRest(bytes)) return FileErrorFromErrno(error);
      text.sjis = RtfToText(bytes);
    } else {
      const std::optional<TextEncoding> found = RecognizedEncoding(bytes, m_settings);
      const FileReading reading = found ? AskFileReading(*found, LoadOwner()) : FileReading{};
      // Bytes read as they are come in while the text shows; a conversion needs them all.
      if (reading.convertFrom) {
        if (const int error = reader->ReadRest(bytes)) return FileErrorFromErrno(error);
        text = ConvertedFileText(std::move(bytes), reading);
      } else {
        text = ReadFileBytes(std::move(bytes), reading);
        if (!reader->AtEnd()) text.rest = std::move(reader);
      }
    }
  } catch (const std::bad_alloc&) {
    return FileError::OutOfMemory;
  }
  m_diskFile.Remember(identity);
  return text;
}

void CWEXDoc::ShowFileText(FileText text, QWidget* owner) {
  m_backgroundLoad.reset();
  SetFormat(text.format);
  m_backgroundLoad = std::make_unique<BackgroundLoad>(
      m_view, std::move(text.sjis), LineEndsOf(text), std::move(text.rest), text.conversion);
  connect(m_backgroundLoad.get(), &BackgroundLoad::Progress, this, &CWEXDoc::LoadProgress);
  connect(m_backgroundLoad.get(), &BackgroundLoad::ReadFailed, this, &CWEXDoc::LetGoOfUnreadFile);
  connect(m_backgroundLoad.get(), &BackgroundLoad::Finished, this,
          [this] { emit LoadProgress(-1); });
  // The format and the replaced characters of a conversion are the whole file's.
  connect(m_backgroundLoad.get(), &BackgroundLoad::Converted, this,
          [this, owner = QPointer<QWidget>(owner)](const FileText& whole) {
            SetFormat(whole.format);
            ReportReplacedLater(whole, owner);
          });
  if (!text.conversion) ReportReplacedLater(std::move(text), owner);
  m_backgroundLoad->Start();
}

// What came in stays, as a text of no file: saved over the file, it would cut
// off the part that could not be read. Told once the command or the slice of
// the load that found it has ended.
void CWEXDoc::LetGoOfUnreadFile(FileError error) {
  const QString path = GetPathName();
  SetPathName(QString());
  SetTitle(TemplateStringField(1));
  m_diskFile.Remember(QString());
  SetModifiedFlag(true);
  QMetaObject::invokeMethod(
      this, [this, error, path] { ReportFileError(OwnerWindow(), error, path); },
      Qt::QueuedConnection);
}

void CWEXDoc::ReplaceWithFileText(FileText text) {
  m_backgroundLoad.reset();
  SetFormat(text.format);
  m_view->ReplaceWholeText(std::move(text.sjis), LineEndsOf(text));
  ReportReplacedLater(std::move(text), OwnerWindow());
}

cp932::LineEnds CWEXDoc::LineEndsOf(const FileText& text) {
  return text.onlyOwnLineEnds ? OnlyLineEnd(text.format.lineEnd) : cp932::LineEnds::Paragraphs;
}

// Told once the text is shown, so the message stands over the new text.
void CWEXDoc::ReportReplacedLater(FileText text, QWidget* owner) {
  if (text.replaced == 0) return;
  QMetaObject::invokeMethod(
      this,
      [owner = QPointer<QWidget>(owner), count = text.replaced, samples = std::move(text.samples)] {
        ReportReplacedCharacters(owner, count, samples);
      },
      Qt::QueuedConnection);
}

bool CWEXDoc::IsLoading() const { return m_backgroundLoad && !m_backgroundLoad->IsDone(); }

void CWEXDoc::CompleteLoad() {
  if (!IsLoading()) return;
  CWaitCursor wait;
  m_backgroundLoad->Complete();
}

bool CWEXDoc::OpenReplacing(const QString& path, bool richText, QWidget* owner) {
  if (!SaveModified()) return false;
  m_load = {richText ? LoadKind::Open : LoadKind::OpenBytes, owner};
  const bool opened = OnOpenDocument(path);
  m_load = {};
  return opened;
}

QWidget* CWEXDoc::LoadOwner() const { return m_load.owner ? m_load.owner : OwnerWindow(); }

FileError CWEXDoc::Load(const QString& path) {
  FileResult<FileText> read = ReadFileText(path);
  if (!read.HasValue()) return read.Error();
  FileText& text = read.Value();
  if (m_load.kind != LoadKind::Reload) {
    ShowFileText(std::move(text), LoadOwner());
    return FileError::None;
  }
  // A reload replaces the whole text at once, as one step of the edit history,
  // so Undo gives back the text it replaced.
  if (text.rest) {
    if (const int error = text.rest->ReadRest(text.sjis)) return FileErrorFromErrno(error);
  }
  if (text.conversion) {
    FileResult<FileText> whole = text.conversion->Take();
    if (!whole.HasValue()) return whole.Error();
    text = std::move(whole.Value());
  }
  ReplaceWithFileText(std::move(text));
  return FileError::None;
}

FileError CWEXDoc::WriteTextFile(const std::string& localPath, const TextFormat& format) {
  CompleteLoad();
  try {
    const text::TextBuffer& text = m_view->Buffer();
    if (format.encoding != TextEncoding::ShiftJis) {
      const std::size_t unholdable = CountUnholdable(text, format.encoding);
      if (unholdable > 0 && !AgreeToReplaceUnholdable(OwnerWindow(), unholdable, format.encoding))
        return FileError::Cancelled;
    }
    // Encoded straight from the view's text while it is written, and the text
    // cannot change meanwhile: the write runs before any event is handled.
    return FileErrorFromErrno(WriteFileAtomically(localPath, BufferChunks(text, format)));
  } catch (const std::bad_alloc&) {
    return FileError::OutOfMemory;
  } catch (const std::runtime_error&) {
    return FileError::Generic;  // the system has no converter for the encoding
  }
}

FileError CWEXDoc::Store(const QString& path) {
  // The rest of a load may turn out unreadable, which lets go of its file: that
  // file is then not written over.
  const bool ownFile = path == GetPathName();
  CompleteLoad();
  if (ownFile && path != GetPathName()) return FileError::Cancelled;
  if (ownFile && !m_diskFile.MayOverwrite(path)) return FileError::Cancelled;
  const FileError error = WriteTextFile(QFile::encodeName(path).toStdString(), m_format);
  if (error == FileError::None) m_diskFile.Remember(path);
  return error;
}

bool CWEXDoc::SaveCopyAs(const QString& path, const TextFormat& format) {
  const FileError error = WriteTextFile(QFile::encodeName(path).toStdString(), format);
  if (!FinishSave(path, error)) return false;
  // Written to the document's own file, the format is the document's from now on.
  if (QFileInfo(path) == QFileInfo(GetPathName())) {
    SetFormat(format);
    m_diskFile.Remember(GetPathName());
  }
  return true;
}

QString CWEXDoc::PromptSaveFileName() {
  QFileDialog dialog(OwnerWindow());
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setNameFilters(
      FileDialogFilters(TextToSjis(TemplateStringField(3) + "|*" + TemplateStringField(4) + "||")));
  // The proposed name is the title cut at its first character that cannot
  // start an extension or is not allowed in a file name.
  QString name = GetTitle();
  const qsizetype cut = name.indexOf(QRegularExpression(QStringLiteral("[ #%;/\\\\]")));
  if (cut >= 0) name.truncate(cut);
  dialog.selectFile(name);
  return ChooseFile(dialog);
}
