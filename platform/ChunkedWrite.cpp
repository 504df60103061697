#include "platform/ChunkedWrite.h"

#include "platform/FileBytes.h"

#include <fcntl.h>
#include <unistd.h>
#include <array>
#include <cerrno>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

namespace {

constexpr std::size_t kChunkBytes = 1 << 20;
constexpr std::size_t kChunks = 3;  // one being filled, up to two waiting or being written

// The chunks in a ring: the filler hands them on in order and the writer gives them back.
class ChunkRing {
 public:
  ChunkRing() {
    for (Chunk& chunk : m_chunks) chunk.bytes = std::make_unique_for_overwrite<char[]>(kChunkBytes);
  }

  /// The filler's next chunk, once it is free; null when writing failed.
  char* NextToFill() {
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_filled - m_written < kChunks || m_error != 0; });
    return m_error != 0 ? nullptr : m_chunks[m_filled % kChunks].bytes.get();
  }
  /// Hands the chunk from NextToFill, with `size` bytes in it, to the writer.
  void Filled(std::size_t size) {
    {
      std::lock_guard lock(m_mutex);
      m_chunks[m_filled % kChunks].size = size;
      ++m_filled;
    }
    m_changed.notify_all();
  }
  /// No more chunks: the writer stops once it has written those handed on.
  void End() {
    {
      std::lock_guard lock(m_mutex);
      m_ended = true;
    }
    m_changed.notify_all();
  }

  /// The writer's loop: until the filler ends or a write fails.
  void WriteAllTo(int fd) {
    off_t offset = 0;
    for (;;) {
      std::unique_lock lock(m_mutex);
      m_changed.wait(lock, [this] { return m_written < m_filled || m_ended; });
      if (m_written == m_filled) return;
      const Chunk& chunk = m_chunks[m_written % kChunks];
      lock.unlock();
      const int error = WriteAll(fd, {chunk.bytes.get(), chunk.size});
      const auto size = static_cast<off_t>(chunk.size);
      // Only a hint: where write-back cannot be started, the final flush does it all.
      if (error == 0) ::sync_file_range(fd, offset, size, SYNC_FILE_RANGE_WRITE);
      offset += size;
      lock.lock();
      ++m_written;
      if (error != 0) m_error = error;
      m_changed.notify_all();
      if (error != 0) return;
    }
  }

  int Error() {
    std::lock_guard lock(m_mutex);
    return m_error;
  }

 private:
  struct Chunk {
    std::unique_ptr<char[]> bytes;
    std::size_t size = 0;
  };
  std::array<Chunk, kChunks> m_chunks;
  std::mutex m_mutex;
  std::condition_variable m_changed;
  std::size_t m_filled = 0;   // chunks handed to the writer
  std::size_t m_written = 0;  // chunks the writer is done with
  bool m_ended = false;
  int m_error = 0;
};

}  // namespace

int WriteChunks(int fd, const FillChunk& fill) {
  ChunkRing ring;
  std::thread writer([&ring, fd] { ring.WriteAllTo(fd); });
  try {
    while (char* buffer = ring.NextToFill()) {
      const std::size_t size = fill(buffer, kChunkBytes);
      if (size == 0) break;
      ring.Filled(size);
    }
  } catch (...) {
    ring.End();
    writer.join();
    throw;
  }
  ring.End();
  writer.join();
  return ring.Error();
}

int WriteFileAtomically(const std::string& path, const FillChunk& fill) {
  return ReplaceFile(
      path, [&fill](int fd) { return WriteChunks(fd, fill); }, FreeReplaced::InBackground);
}
