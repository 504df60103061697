#include "recovery/RecoveryStore.h"

#include "platform/FileBytes.h"
#include "platform/UserDirectories.h"
#include "recovery/Crc32.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <utility>

namespace {

constexpr std::string_view kRecordSuffix = ".rec";
constexpr std::string_view kLockSuffix = ".lock";
constexpr std::string_view kTempSuffix = ".tmp";
constexpr std::string_view kUnitsSuffix = ".units";

bool EndsWith(const std::string& s, std::string_view suffix) {
  return s.size() > suffix.size() &&
         s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// "<folder>/<owner>.rec" -> "<folder>/<owner>" + suffix.
std::string Sibling(const std::string& recordPath, std::string_view suffix) {
  return recordPath.substr(0, recordPath.size() - kRecordSuffix.size()) + std::string(suffix);
}

std::string UnitsPathOf(const std::string& recordPath, std::uint64_t number) {
  return Sibling(recordPath, "." + std::to_string(number) + std::string(kUnitsSuffix));
}

// Deletes every units file of the owner of `recordPath`.
void RemoveUnitsFiles(const std::string& recordPath) {
  const std::size_t slash = recordPath.rfind('/');
  const std::string folder = recordPath.substr(0, slash);
  const std::string prefix = Sibling(recordPath.substr(slash + 1), ".");
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (name.starts_with(prefix) && EndsWith(name, kUnitsSuffix))
      ::unlink((folder + "/" + name).c_str());
  }
  ::closedir(dir);
}

bool SameFile(int fd, const std::string& path) {
  struct stat opened {
  }, named{};
  return ::fstat(fd, &opened) == 0 && ::stat(path.c_str(), &named) == 0 &&
         opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

// The lock at `lockPath`, taken without waiting; -1 when someone holds it.
int TryLock(const std::string& lockPath) {
  const int fd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) return -1;
  // A lock file deleted between the open and the lock is no one's any more.
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || !SameFile(fd, lockPath)) {
    ::close(fd);
    return -1;
  }
  return fd;
}

std::int64_t ModifiedNs(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return 0;
  return std::int64_t(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec;
}

int SyncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return errno;
  const int result = ::fsync(fd) == 0 ? 0 : errno;
  ::close(fd);
  return result;
}

}  // namespace

RecoveryStore::RecoveryStore(std::string folder) : m_folder(std::move(folder)) {
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  // The process id alone could come back after a restart; the time makes it unique.
  m_owner = std::to_string(::getpid()) + "-" +
            std::to_string(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count());
  m_recordPath = m_folder + "/" + m_owner + std::string(kRecordSuffix);
}

RecoveryStore::~RecoveryStore() {
  if (m_unitsFd >= 0) ::close(m_unitsFd);
  if (m_lockFd < 0) return;
  // Without a record nothing relies on them; with one, they come back with it.
  if (::access(m_recordPath.c_str(), F_OK) != 0) RemoveUnitsFiles(m_recordPath);
  ::unlink((m_folder + "/" + m_owner + std::string(kTempSuffix)).c_str());
  ::unlink(Sibling(m_recordPath, kLockSuffix).c_str());
  ::close(m_lockFd);
}

int RecoveryStore::Lock() {
  if (!MakeDirectories(m_folder, 0700)) return errno ? errno : ENOTDIR;
  // What the records hold is the user's text: no one else may look in.
  ::chmod(m_folder.c_str(), 0700);
  const std::string lockPath = Sibling(m_recordPath, kLockSuffix);
  for (;;) {
    const int fd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return errno;
    // A starting copy may hold a fresh lock file for a moment to delete it as
    // left over; it is then gone and a new one is made.
    if (::flock(fd, LOCK_EX) == 0 && SameFile(fd, lockPath)) {
      m_lockFd = fd;
      return 0;
    }
    ::close(fd);
  }
}

std::string RecoveryStore::UnitsPath(std::uint64_t number) const {
  return UnitsPathOf(m_recordPath, number);
}

void RecoveryStore::ForgetUnits(std::optional<std::uint64_t> number) {
  if (number && !(m_unitsFd >= 0 && *number == m_unitsNumber)) ::unlink(UnitsPath(*number).c_str());
}

int RecoveryStore::AppendUnits(std::uint64_t number, std::string_view bytes) {
  if (m_lockFd < 0)
    if (const int error = Lock()) return error;
  if (m_unitsFd < 0 || number != m_unitsNumber) {
    const int fd = ::open(UnitsPath(number).c_str(),
                          O_WRONLY | O_CREAT | O_TRUNC | O_APPEND | O_CLOEXEC, 0600);
    if (fd < 0) return errno;
    ::fchmod(fd, 0600);
    if (m_unitsFd >= 0) {
      ::close(m_unitsFd);
      m_unitsFd = -1;
      if (m_recordUnits != m_unitsNumber) ForgetUnits(m_unitsNumber);
    }
    m_unitsFd = fd;
    m_unitsNumber = number;
    m_unitsLength = 0;
    m_unitsCrc = 0;
  }
  if (const int error = WriteAll(m_unitsFd, bytes)) {
    // What a failed write left at the end is not part of the file.
    if (::ftruncate(m_unitsFd, static_cast<off_t>(m_unitsLength)) != 0) {
      ::close(m_unitsFd);
      m_unitsFd = -1;
    }
    return error;
  }
  m_unitsLength += bytes.size();
  m_unitsCrc = Crc32(bytes, m_unitsCrc);
  m_unitsSynced = false;
  return 0;
}

int RecoveryStore::Write(const RecoveryRecord& record) {
  if (m_lockFd < 0)
    if (const int error = Lock()) return error;
  if (record.pieced) {
    if (m_unitsFd < 0 || record.pieced->units != m_unitsNumber) return EINVAL;
    // The record must never be on the disk before what it relies on.
    if (!m_unitsSynced && ::fdatasync(m_unitsFd) != 0) return errno;
    m_unitsSynced = true;
  }
  const std::string tempPath = m_folder + "/" + m_owner + std::string(kTempSuffix);
  const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (fd < 0) return errno;
  ::fchmod(fd, 0600);
  int error = WriteAll(fd, EncodeRecord(record));
  if (error == 0 && ::fsync(fd) != 0) error = errno;
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && ::rename(tempPath.c_str(), m_recordPath.c_str()) != 0) error = errno;
  if (error != 0) {
    ::unlink(tempPath.c_str());
    return error;
  }
  const std::optional<std::uint64_t> replaced = std::exchange(
      m_recordUnits, record.pieced ? std::optional(record.pieced->units) : std::nullopt);
  if (replaced != m_recordUnits) ForgetUnits(replaced);
  return SyncFolder(m_folder);
}

void RecoveryStore::Remove() {
  if (m_lockFd < 0) return;
  ::unlink(m_recordPath.c_str());
  ForgetUnits(std::exchange(m_recordUnits, std::nullopt));
}

LeftRecord::LeftRecord(std::string recordPath, int lockFd)
    : m_recordPath(std::move(recordPath)), m_lockFd(lockFd) {}

LeftRecord::~LeftRecord() { Release(); }

LeftRecord::LeftRecord(LeftRecord&& other) noexcept
    : m_recordPath(std::move(other.m_recordPath)), m_lockFd(std::exchange(other.m_lockFd, -1)) {}

std::optional<RecoveryRecord> ReadRecord(const std::string& recordPath) {
  std::string bytes;
  if (ReadWholeFile(recordPath, bytes) != 0) return {};
  std::optional<RecoveryRecord> record = DecodeRecord(bytes);
  if (!record || !record->pieced) return record;
  std::string units;
  if (ReadWholeFile(UnitsPathOf(recordPath, record->pieced->units), units) != 0 ||
      !JoinPieces(*record, units))
    return {};
  return record;
}

void LeftRecord::Discard() {
  if (m_lockFd < 0) return;
  ::unlink(m_recordPath.c_str());
  ::unlink(Sibling(m_recordPath, kTempSuffix).c_str());
  RemoveUnitsFiles(m_recordPath);
  ::unlink(Sibling(m_recordPath, kLockSuffix).c_str());
  Release();
}

void LeftRecord::Release() {
  if (m_lockFd >= 0) ::close(m_lockFd);
  m_lockFd = -1;
}

std::optional<LeftRecord> ClaimLeftRecord(const std::string& recordPath) {
  if (!EndsWith(recordPath, kRecordSuffix) || ::access(recordPath.c_str(), F_OK) != 0) return {};
  const int fd = TryLock(Sibling(recordPath, kLockSuffix));
  if (fd < 0) return {};
  // Written over by its owner just before it ended, or taken by another copy.
  if (::access(recordPath.c_str(), F_OK) != 0) {
    ::close(fd);
    return {};
  }
  return LeftRecord(recordPath, fd);
}

std::vector<LeftRecord> ClaimLeftRecords(const std::string& folder) {
  std::vector<std::string> records, locks;
  if (DIR* dir = ::opendir(folder.c_str())) {
    while (const dirent* entry = ::readdir(dir)) {
      const std::string name = entry->d_name;
      if (EndsWith(name, kRecordSuffix)) records.push_back(folder + "/" + name);
      if (EndsWith(name, kLockSuffix)) locks.push_back(folder + "/" + name);
    }
    ::closedir(dir);
  }
  // An owner that ended with nothing unsaved leaves at most its lock file.
  for (const std::string& lock : locks) {
    const std::string record = lock.substr(0, lock.size() - kLockSuffix.size()) + ".rec";
    if (::access(record.c_str(), F_OK) == 0) continue;
    const int fd = TryLock(lock);
    if (fd < 0) continue;
    RemoveUnitsFiles(record);
    ::unlink(lock.c_str());
    ::close(fd);
  }
  std::sort(records.begin(), records.end(), [](const std::string& a, const std::string& b) {
    return ModifiedNs(a) < ModifiedNs(b);
  });
  std::vector<LeftRecord> claimed;
  for (const std::string& record : records)
    if (auto left = ClaimLeftRecord(record)) claimed.push_back(std::move(*left));
  return claimed;
}
