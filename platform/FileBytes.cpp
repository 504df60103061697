#include "platform/FileBytes.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <system_error>
#include <thread>
#include <unistd.h>

namespace {

// Reads to the end of `fd` into `bytes`; a shortage of memory is ENOMEM.
int ReadAll(int fd, std::size_t expectedSize, std::string& bytes) {
  try {
    bytes.clear();
    bytes.reserve(expectedSize);
    char chunk[1 << 16];
    for (;;) {
      const ssize_t n = ::read(fd, chunk, sizeof chunk);
      if (n < 0) {
        if (errno == EINTR) continue;
        return errno;
      }
      if (n == 0) return 0;
      bytes.append(chunk, static_cast<std::size_t>(n));
    }
  } catch (const std::bad_alloc&) {
    return ENOMEM;
  }
}

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

int ReadWholeFile(const std::string& path, std::string& bytes) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return errno;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
    const int error = S_ISDIR(st.st_mode) ? EISDIR : errno;
    ::close(fd);
    return error;
  }
  const int error = ReadAll(fd, static_cast<std::size_t>(st.st_size), bytes);
  ::close(fd);
  return error;
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
    if (S_ISDIR(st.st_mode)) return EISDIR;
    // Replacing would get round a file's own protection against writing.
    if (::access(target.c_str(), W_OK) != 0) return errno;
    mode = st.st_mode & 07777;
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
  }
  std::string temp = target + ".XXXXXX";
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
