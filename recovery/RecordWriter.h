#pragma once
// Writes this process's recovery record on a thread of its own, so that the
// editor never waits for the disk. Plain C++.

#include "recovery/RecoveryStore.h"

#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

class RecordWriter {
 public:
  /// Brings the record up to date in `store`; 0 or the errno of the failure.
  using Job = std::function<int(RecoveryStore& store)>;

  explicit RecordWriter(RecoveryStore& store);
  /// Finishes the job in hand; a job not yet started is dropped.
  ~RecordWriter();
  RecordWriter(const RecordWriter&) = delete;
  RecordWriter& operator=(const RecordWriter&) = delete;

  /// Runs `job` on the writer's thread, in place of any job not yet started:
  /// only the newest state of the text is worth the disk's time.
  void Post(Job job);
  /// Removes the record, in place of any job not yet started.
  void PostRemove();
  /// Drops the job not yet started, waits for the one in hand and runs `job`
  /// on the calling thread: the record is on disk when it returns. 0 or the
  /// errno of the failure.
  int RunNow(const Job& job);
  /// Drops the job not yet started, waits for the one in hand and removes the record.
  void RemoveNow();
  /// Waits until every job posted so far is done.
  void Wait();

 private:
  void Run();

  RecoveryStore& m_store;
  std::mutex m_mutex;  ///< guards the fields below; the store is used only while
                       ///< m_bBusy (the thread) or under it with m_bBusy false
  std::condition_variable m_wake;
  std::optional<Job> m_pending;  ///< an empty function: remove the record
  bool m_bBusy = false;
  bool m_bStop = false;
  std::thread m_thread;
};
