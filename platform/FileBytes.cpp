#include "platform/FileBytes.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <system_error>
#include <thread>

namespace {

// The machine's memory: a file bigger than this can never be held, and trying
// would only push everything else out of memory first.
std::size_t MemoryBytes() {
  const long pages = ::sysconf(_SC_PHYS_PAGES);
  const long pageSize = ::sysconf(_SC_PAGESIZE);
  if (pages <= 0 || pageSize <= 0) return SIZE_MAX;
  return static_cast<std::size_t>(pages) * static_cast<std::size_t>(pageSize);
}

}  // namespace

std::size_t AvailableMemoryBytes() {
  FILE* meminfo = std::fopen("/proc/meminfo", "r");
  if (!meminfo) return SIZE_MAX;
  char line[128];
  unsigned long long kb = 0;
  bool found = false;
  while (!found && std::fgets(line, sizeof line, meminfo))
    found = std::sscanf(line, "MemAvailable: %llu kB", &kb) == 1;
  std::fclose(meminfo);
  std::size_t available = found ? static_cast<std::size_t>(kb) * 1024 : SIZE_MAX;
  rlimit limit{};
  if (::getrlimit(RLIMIT_AS, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY) {
    std::size_t pages = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
      if (std::fscanf(statm, "%zu", &pages) != 1) pages = 0;
      std::fclose(statm);
    }
    const std::size_t used = pages * static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    available = std::min<std::size_t>(available, limit.rlim_cur > used ? limit.rlim_cur - used : 0);
  }
  return available;
}

namespace {

// Runs `body` on `fd`, flushes the file to the disk and closes `fd`; 0 or the
// first errno. The data flush is enough: the file's size is flushed with it.
int WriteAndClose(int fd, const WriteBody& body) {
  int error = 0;
  try {
    error = body(fd);
  } catch (...) {
    ::close(fd);
    throw;
  }
  if (error == 0 && ::fdatasync(fd) != 0) error = errno;
  if (::close(fd) != 0 && error == 0) error = errno;
  return error;
}

int WriteInPlace(const std::string& path, const WriteBody& body) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
  if (fd < 0) return errno;
  return WriteAndClose(fd, body);
}

// The file system frees a replaced file's blocks when its last reference goes;
// holding a reference across the rename moves that to where it is dropped.
// O_PATH, because an ordinary open of a FIFO would wait for a writer.
int HoldFile(const std::string& path) {
  return ::open(path.c_str(), O_PATH | O_CLOEXEC | O_NOFOLLOW);
}

// 0 for a regular file; what reading or replacing any other kind of file fails with.
int NotARegularFile(const struct stat& st) {
  if (S_ISREG(st.st_mode)) return 0;
  return S_ISDIR(st.st_mode) ? EISDIR : kNotRegularFile;
}

// "<name>.XXXXXX" beside `target`, for mkstemp; the name is cut, never inside a
// UTF-8 character, so that the whole is not longer than the folder allows.
std::string TemporaryNameBeside(const std::string& target) {
  const std::size_t slash = target.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : target.substr(0, slash + 1);
  const std::string name = target.substr(slash == std::string::npos ? 0 : slash + 1);
  constexpr std::string_view kSuffix = ".XXXXXX";
  const long nameMax = ::pathconf(folder.c_str(), _PC_NAME_MAX);
  const std::size_t room = (nameMax > 0 ? static_cast<std::size_t>(nameMax) : 255) - kSuffix.size();
  std::size_t keep = std::min(name.size(), room);
  while (keep > 0 && keep < name.size() && (static_cast<unsigned char>(name[keep]) & 0xC0) == 0x80)
    --keep;
  return target.substr(0, target.size() - name.size() + keep) + std::string(kSuffix);
}

void ReleaseInBackground(int held) {
  if (held < 0) return;
  try {
    std::thread([held] { ::close(held); }).detach();
  } catch (const std::system_error&) {
    ::close(held);
  }
}

}  // namespace

int WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (n == 0) return EIO;  // no progress: never spin
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return 0;
}

FileReader::~FileReader() {
  if (m_fd >= 0) ::close(m_fd);
}

int FileReader::Open(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return errno;
  if (const int error = NotARegularFile(st)) return error;
  // Non-blocking, in case the name was given to a FIFO since the test above.
  m_fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (m_fd < 0) return errno;
  const int error = ::fstat(m_fd, &st) != 0 ? errno : NotARegularFile(st);
  m_size = static_cast<std::size_t>(st.st_size);
  return error;
}

int FileReader::Read(std::size_t count, std::string& bytes) {
  const std::size_t limit = MemoryBytes();
  const std::size_t start = bytes.size();
  try {
    bytes.resize(start + count);  // read into directly: no copy through a buffer
  } catch (const std::bad_alloc&) {
    return ENOMEM;
  }
  std::size_t got = 0;
  int error = 0;
  while (got < count) {
    const ssize_t n = ::read(m_fd, bytes.data() + start + got, count - got);
    if (n < 0) {
      if (errno == EINTR) continue;
      error = errno;
      break;
    }
    if (n == 0) {
      m_atEnd = true;
      break;
    }
    got += static_cast<std::size_t>(n);
    // A file that grows while it is read ends the same way.
    if (m_read + got > limit) {
      error = ENOMEM;
      break;
    }
  }
  bytes.resize(start + got);
  m_read += got;
  return error;
}

int FileReader::ReadRest(std::string& bytes) {
  if (m_size > MemoryBytes()) return ENOMEM;
  try {
    bytes.reserve(bytes.size() + (m_size > m_read ? m_size - m_read : 0) + 1);
  } catch (const std::bad_alloc&) {
    return ENOMEM;
  }
  // The file's size and one byte more, to see its end without another call; a
  // file that grew meanwhile is read on in large blocks.
  std::size_t block = (m_size > m_read ? m_size - m_read : 0) + 1;
  while (!m_atEnd) {
    if (const int error = Read(block, bytes)) return error;
    block = std::size_t{16} << 20;
  }
  return 0;
}

int ReadWholeFile(const std::string& path, std::string& bytes) {
  FileReader reader;
  bytes.clear();
  if (const int error = reader.Open(path)) return error;
  return reader.ReadRest(bytes);
}

int ReplaceFile(const std::string& path, const WriteBody& body, FreeReplaced freeReplaced) {
  // Through a symbolic link the file it names is replaced, and the link stays.
  std::string target = path;
  if (char* real = ::realpath(path.c_str(), nullptr)) {
    target = real;
    std::free(real);
  }
  // A replaced file keeps its permissions; a new one gets the usual 0666 less umask.
  struct stat st {};
  mode_t mode = 0;
  const bool exists = ::stat(target.c_str(), &st) == 0;
  if (exists) {
    if (const int error = NotARegularFile(st)) return error;
    // Replacing would get round a file's own protection against writing.
    if (::access(target.c_str(), W_OK) != 0) return errno;
    mode = st.st_mode & 07777;
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
  }
  std::string temp = TemporaryNameBeside(target);
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) {
    // A writable file in a folder that takes no new files can only be rewritten in place.
    if (exists && (errno == EACCES || errno == EPERM)) return WriteInPlace(target, body);
    return errno;
  }
  int error = 0;
  try {
    if (::fchmod(fd, mode) == 0) {
      error = WriteAndClose(fd, body);
    } else {
      error = errno;
      ::close(fd);
    }
  } catch (...) {
    ::unlink(temp.c_str());
    throw;
  }
  if (error == 0) {
    const int replaced =
        exists && freeReplaced == FreeReplaced::InBackground ? HoldFile(target) : -1;
    if (::rename(temp.c_str(), target.c_str()) != 0) error = errno;
    ReleaseInBackground(replaced);
  }
  if (error != 0) ::unlink(temp.c_str());
  return error;
}

int WriteWholeFileAtomically(const std::string& path, std::string_view bytes) {
  return ReplaceFile(path, [bytes](int fd) { return WriteAll(fd, bytes); });
}
