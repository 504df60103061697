#include "settings/SettingsFiles.h"

#include "platform/FileBytes.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>

namespace {

// Closes a descriptor on every way out.
class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  ~Fd() {
    if (fd_ >= 0) close(fd_);
  }
  int get() const { return fd_; }
  bool ok() const { return fd_ >= 0; }

 private:
  int fd_;
};

bool SameFileName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto fold = [](char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; };
    if (fold(a[i]) != fold(b[i])) return false;
  }
  return true;
}

void LockExclusive(int fd) {
  // A file system without flock still gets the atomic replace; only the
  // serialization of concurrent writers is lost there.
  while (flock(fd, LOCK_EX) < 0 && errno == EINTR) {
  }
}

// Writes `bytes` to a new file beside `target` and renames it over `target`; a
// writable file in a directory that takes no new files is rewritten in place, so
// that a settings file the user may write always keeps what is written to it.
void ReplaceSettingsFile(const std::string& target, std::string_view bytes) {
  ReplaceFile(target, [bytes](int fd) { return WriteAll(fd, bytes); });
}

}  // namespace

std::string DirectoryPart(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string_view::npos) return ".";
  return std::string(path.substr(0, slash == 0 ? 1 : slash));
}

std::optional<std::string> ExistingSpelling(const std::string& path) {
  // Every spelling of the name is the same file to every component, so when
  // several case variants exist all of them settle on the same one (the first in
  // byte order), never on their own spelling.
  const std::string directory = DirectoryPart(path);
  const std::string_view name = std::string_view(path).substr(path.rfind('/') + 1);
  DIR* dir = opendir(directory.c_str());
  if (!dir) {
    struct stat st {};
    return lstat(path.c_str(), &st) == 0 ? std::optional<std::string>(path) : std::nullopt;
  }
  std::optional<std::string> best;
  while (const dirent* entry = readdir(dir)) {
    const std::string_view candidate = entry->d_name;
    if (SameFileName(candidate, name) && (!best || candidate < *best)) best = candidate;
  }
  closedir(dir);
  if (!best) return std::nullopt;
  return path.substr(0, path.size() - name.size()) + *best;
}

std::optional<std::string> ReadFileNoCase(const std::string& path) {
  Fd fd(open(ExistingSpelling(path).value_or(path).c_str(), O_RDONLY | O_CLOEXEC));
  if (!fd.ok()) {
    if (errno == ENOENT || errno == ENOTDIR) return std::string();
    return std::nullopt;
  }
  std::string bytes;
  char buffer[65536];
  for (;;) {
    const ssize_t n = read(fd.get(), buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return std::nullopt;
    if (n == 0) return bytes;
    bytes.append(buffer, static_cast<std::size_t>(n));
  }
}

void RewriteFileNoCase(const std::string& path,
                       const std::function<std::optional<std::string>(std::string_view)>& change) {
  Fd directory(open(DirectoryPart(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!directory.ok()) return;
  LockExclusive(directory.get());
  // Looked up again under the lock: another process may have just created the file
  // with another spelling.
  const std::string target = ExistingSpelling(path).value_or(path);
  const std::optional<std::string> old = ReadFileNoCase(target);
  if (!old) return;
  const std::optional<std::string> updated = change(*old);
  if (updated && *updated != *old) ReplaceSettingsFile(target, *updated);
}
