#include "recovery/RecordWriter.h"

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <cerrno>
#include <new>

RecordWriter::RecordWriter(RecoveryStore& store) : m_store(store), m_thread([this] { Run(); }) {}

RecordWriter::~RecordWriter() {
  {
    std::lock_guard lock(m_mutex);
    m_bStop = true;
    m_pending.reset();
  }
  m_wake.notify_all();
  m_thread.join();
}

void RecordWriter::Post(Job job) {
  {
    std::lock_guard lock(m_mutex);
    m_pending = std::move(job);
  }
  m_wake.notify_all();
}

void RecordWriter::PostRemove() { Post(Job()); }

int RecordWriter::RunNow(const Job& job) {
  std::unique_lock lock(m_mutex);
  m_pending.reset();
  // The job in hand holds an older text: it must not land after this one.
  m_wake.wait(lock, [this] { return !m_bBusy; });
  try {
    return job(m_store);
  } catch (const std::bad_alloc&) {
    return ENOMEM;
  }
}

void RecordWriter::RemoveNow() {
  std::unique_lock lock(m_mutex);
  m_pending.reset();
  m_wake.wait(lock, [this] { return !m_bBusy; });
  m_store.Remove();
}

void RecordWriter::Wait() {
  std::unique_lock lock(m_mutex);
  m_wake.wait(lock, [this] { return !m_pending && !m_bBusy; });
}

void RecordWriter::Run() {
  // Typing comes first: on a busy machine the record waits for the editor, never
  // the other way round. (Linux gives each thread a priority of its own.)
  ::setpriority(PRIO_PROCESS, static_cast<id_t>(::syscall(SYS_gettid)), 10);
  std::unique_lock lock(m_mutex);
  for (;;) {
    m_wake.wait(lock, [this] { return m_bStop || m_pending; });
    if (m_bStop) return;
    Job job = std::move(*m_pending);
    m_pending.reset();
    m_bBusy = true;
    lock.unlock();
    if (!job) {
      m_store.Remove();
    } else {
      // A record that cannot be built or written leaves the last one in place:
      // older unsaved work is still better than none.
      try {
        job(m_store);
      } catch (const std::bad_alloc&) {
      }
    }
    lock.lock();
    m_bBusy = false;
    m_wake.notify_all();
  }
}
