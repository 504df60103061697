#pragma once
#include "editor/FileText.h"
#include "platform/FileError.h"

#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>

// A whole file's conversion to Shift-JIS on a thread of its own, while the view
// shows the converted head. Whoever holds it may drop it at any time: the thread
// then finishes alone and nothing waits for it.
class BackgroundConversion {
 public:
  /// Starts converting `bytes` (the whole file) as `reading` says.
  static std::shared_ptr<BackgroundConversion> Start(std::string bytes, FileReading reading);

  /// The bytes being converted: the converted text is seldom longer.
  std::size_t SourceBytes() const { return m_sourceBytes; }
  bool IsDone() const;
  /// The converted text, waited for.
  FileResult<FileText> Take();

 private:
  std::size_t m_sourceBytes = 0;
  mutable std::mutex m_mutex;
  std::condition_variable m_doneChanged;
  bool m_done = false;
  FileError m_error = FileError::None;
  FileText m_text;
};
