#pragma once
// The folder of recovery records: this process's own record, and the records
// left by copies of the program that no longer run. Plain C++.
//
// Each running copy holds an exclusive lock (flock) on "<owner>.lock" for its whole
// life and writes its record as "<owner>.rec"; the kernel drops the lock when the
// process ends in any way, so a record whose lock can be taken is one nobody
// keeps any more. A record is replaced by writing "<owner>.tmp", flushing it to
// the disk and renaming it over the record: a crash at any moment leaves the old
// record or the new one whole. A record that keeps its text as pieces relies on
// "<owner>.<number>.units" beside it, a file that is only appended to; one that
// no record relies on any more is deleted. The folder has mode 0700, every
// file 0600.

#include "recovery/RecoveryRecord.h"

#include <cstdint>
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
  /// Creates the folder and takes the lock on the first call. A pieced record
  /// must rely on the units file appended to last, which is on the disk first.
  int Write(const RecoveryRecord& record);
  /// Removes this process's record, if any; the units file appended to last
  /// stays for the next record.
  void Remove();
  const std::string& RecordPath() const { return m_recordPath; }

  /// Appends `bytes` to the units file `number`, begun empty when it is another
  /// than the one appended to last. 0 or the errno of the failure, when nothing
  /// of `bytes` counts as appended.
  int AppendUnits(std::uint64_t number, std::string_view bytes);
  /// The units file appended to last: its number, and its length and CRC-32.
  std::uint64_t UnitsNumber() const { return m_unitsNumber; }
  std::uint64_t UnitsLength() const { return m_unitsLength; }
  std::uint32_t UnitsCrc() const { return m_unitsCrc; }

 private:
  int Lock();
  std::string UnitsPath(std::uint64_t number) const;
  /// Deletes the units file `number` unless it is the one appended to.
  void ForgetUnits(std::optional<std::uint64_t> number);

  std::string m_folder;
  std::string m_owner;
  std::string m_recordPath;
  int m_lockFd = -1;
  int m_unitsFd = -1;
  std::uint64_t m_unitsNumber = 0;
  std::uint64_t m_unitsLength = 0;
  std::uint32_t m_unitsCrc = 0;
  bool m_unitsSynced = true;
  /// The units file the record on disk relies on.
  std::optional<std::uint64_t> m_recordUnits;
};

/// The record at `recordPath`, its text joined from its pieces; nothing when the
/// file is not one whole record or the units it relies on are not there.
std::optional<RecoveryRecord> ReadRecord(const std::string& recordPath);

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
  std::optional<RecoveryRecord> Read() const { return ReadRecord(m_recordPath); }
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
