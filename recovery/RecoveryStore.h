#pragma once
// The folder of recovery records: this process's own record, and the records
// left by copies of the program that no longer run. Plain C++.
//
// Each running copy holds an exclusive lock (flock) on "<owner>.lock" for its whole
// life and writes its record as "<owner>.rec"; the kernel drops the lock when the
// process ends in any way, so a record whose lock can be taken is one nobody
// keeps any more. A record is replaced by writing "<owner>.tmp", flushing it to
// the disk and renaming it over the record: a crash at any moment leaves the old
// record or the new one whole. The folder has mode 0700, every file 0600.

#include "recovery/RecoveryRecord.h"

#include <optional>
#include <string>
#include <vector>

/// This process's place in the folder. Not thread-safe: one thread writes.
class RecoveryStore {
 public:
  explicit RecoveryStore(std::string folder);
  /// Lets go of the lock and removes the lock file; the record stays unless
  /// Remove was called, so it is offered at the next start.
  ~RecoveryStore();
  RecoveryStore(const RecoveryStore&) = delete;
  RecoveryStore& operator=(const RecoveryStore&) = delete;

  /// Replaces this process's record with `record`; 0 or the errno of the failure.
  /// Creates the folder and takes the lock on the first call.
  int Write(const RecoveryRecord& record);
  /// Removes this process's record, if any.
  void Remove();
  const std::string& RecordPath() const { return m_recordPath; }

 private:
  int Lock();

  std::string m_folder;
  std::string m_owner;
  std::string m_recordPath;
  int m_lockFd = -1;
};

/// A record whose owner no longer runs, claimed by taking its lock: another copy
/// starting meanwhile takes it for a running one and leaves it alone. The claim
/// ends when the object goes.
class LeftRecord {
 public:
  LeftRecord(std::string recordPath, int lockFd);
  ~LeftRecord();
  LeftRecord(LeftRecord&& other) noexcept;
  LeftRecord& operator=(LeftRecord&&) = delete;

  const std::string& RecordPath() const { return m_recordPath; }
  /// The record's contents; nothing when the file is not one whole record.
  std::optional<RecoveryRecord> Read() const;
  /// Deletes the record and its owner's other files, and ends the claim.
  void Discard();
  /// Ends the claim, leaving the record for another copy or the next start.
  void Release();

 private:
  std::string m_recordPath;
  int m_lockFd = -1;
};

/// Claims every record in `folder` whose owner no longer runs, oldest first by
/// file time; lock files left without a record are deleted on the way.
std::vector<LeftRecord> ClaimLeftRecords(const std::string& folder);
/// Claims the one record at `recordPath`; nothing when its owner still runs, it
/// is already claimed, or it is gone.
std::optional<LeftRecord> ClaimLeftRecord(const std::string& recordPath);
