#include "editor/BackgroundConversion.h"

#include <new>
#include <thread>

std::shared_ptr<BackgroundConversion> BackgroundConversion::Start(std::string bytes,
                                                                  FileReading reading) {
  auto conversion = std::make_shared<BackgroundConversion>();
  conversion->m_sourceBytes = bytes.size();
  std::thread([conversion, bytes = std::move(bytes), reading]() mutable {
    FileText text;
    FileError error = FileError::None;
    try {
      text = ReadFileBytes(std::move(bytes), reading);
    } catch (const std::bad_alloc&) {
      error = FileError::OutOfMemory;
    }
    const std::lock_guard lock(conversion->m_mutex);
    conversion->m_text = std::move(text);
    conversion->m_error = error;
    conversion->m_done = true;
    conversion->m_doneChanged.notify_all();
  }).detach();
  return conversion;
}

bool BackgroundConversion::IsDone() const {
  const std::lock_guard lock(m_mutex);
  return m_done;
}

FileResult<FileText> BackgroundConversion::Take() {
  std::unique_lock lock(m_mutex);
  m_doneChanged.wait(lock, [this] { return m_done; });
  if (m_error != FileError::None) return m_error;
  return std::move(m_text);
}
