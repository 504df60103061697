#include "platform/FileBytes.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace {

int WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return 0;
}

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

// Writes `bytes`, flushes them to the disk and closes `fd`; 0 or the first errno.
int WriteAndClose(int fd, std::string_view bytes) {
  int error = WriteAll(fd, bytes);
  if (error == 0 && ::fsync(fd) != 0) error = errno;
  if (::close(fd) != 0 && error == 0) error = errno;
  return error;
}

int WriteInPlace(const std::string& path, std::string_view bytes) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
  if (fd < 0) return errno;
  return WriteAndClose(fd, bytes);
}

}  // namespace

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

int WriteWholeFileAtomically(const std::string& path, std::string_view bytes) {
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
    if (exists && (errno == EACCES || errno == EPERM)) return WriteInPlace(target, bytes);
    return errno;
  }
  int error = ::fchmod(fd, mode) == 0 ? 0 : errno;
  if (error == 0) {
    error = WriteAndClose(fd, bytes);
  } else {
    ::close(fd);
  }
  if (error == 0 && ::rename(temp.c_str(), target.c_str()) != 0) error = errno;
  if (error != 0) ::unlink(temp.c_str());
  return error;
}
