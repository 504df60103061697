#include "bench/textview/FileLoader.h"

#include "platform/Cp932Codec.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <string_view>

namespace {

// Far more than a screenful.
constexpr std::size_t kHeadBytes = 64 << 10;
// Small enough that the window sees the text grow often, large enough that
// handing a piece over costs nothing next to decoding it.
constexpr std::size_t kPieceBytes = 1 << 20;
constexpr auto kLineEnds = cp932::LineEnds::Paragraphs;

// Reads up to `count` more bytes onto `bytes`; false at the end of the file.
bool ReadMore(int fd, std::string& bytes, std::size_t count) {
  const std::size_t old = bytes.size();
  bytes.resize(old + count);
  const ssize_t n = ::read(fd, bytes.data() + old, count);
  bytes.resize(old + static_cast<std::size_t>(n > 0 ? n : 0));
  return n > 0;
}

// How much of `bytes` decodes the same alone as followed by the rest of the file.
std::size_t WholeEnd(std::string_view bytes, bool atEnd) {
  if (atEnd || bytes.size() < 2) return atEnd ? bytes.size() : 0;
  // The last byte is held back: it may be a lead byte or a CR whose partner is yet to come.
  return cp932::PieceEnd(bytes, bytes.size() - 1);
}

}  // namespace

bool FileLoader::Open(const QString& path) {
  m_fd = ::open(path.toLocal8Bit().constData(), O_RDONLY | O_CLOEXEC);
  struct stat st{};
  if (m_fd < 0 || ::fstat(m_fd, &st) != 0) return false;
  // Decoding never makes more code units than there are bytes.
  m_buffer = std::make_unique<TextBuffer>(static_cast<std::size_t>(st.st_size));
  std::string head;
  const bool more = ReadMore(m_fd, head, kHeadBytes) && head.size() == kHeadBytes;
  const std::size_t end = WholeEnd(head, !more);
  m_written =
      cp932::DecodeTo(std::string_view(head).substr(0, end), m_buffer->LoadArea(), kLineEnds);
  m_buffer->CommitLoaded(m_written);
  ::lseek(m_fd, static_cast<off_t>(end), SEEK_SET);
  return true;
}

void FileLoader::Start() {
  m_thread = std::thread([this] { ReadRest(m_written); });
}

void FileLoader::ReadRest(std::size_t written) {
  TextBuffer& buffer = *m_buffer;
  std::string bytes;
  bool more = true;
  while (more && !m_stop) {
    more = ReadMore(m_fd, bytes, kPieceBytes);
    const std::size_t end = WholeEnd(bytes, !more);
    const std::size_t count = cp932::DecodeTo(std::string_view(bytes).substr(0, end),
                                              buffer.LoadArea() + written, kLineEnds);
    written += count;
    bytes.erase(0, end);
    // The queued call carries the written text over to the window's thread.
    QMetaObject::invokeMethod(
        this, [this, &buffer, count] {
          buffer.CommitLoaded(count);
          emit Grown();
        },
        Qt::QueuedConnection);
  }
  if (!m_stop) QMetaObject::invokeMethod(this, &FileLoader::Finished, Qt::QueuedConnection);
}

FileLoader::~FileLoader() {
  m_stop = true;
  if (m_thread.joinable()) m_thread.join();
  if (m_fd >= 0) ::close(m_fd);
}
