#pragma once
// Reads a Shift-JIS file into a TextBuffer of its own: the head at once, so that
// the first screenful can be painted before anything else, and the rest on a
// thread, decoded straight into the buffer's file area. Each decoded piece is
// handed to the window's thread, which indexes its paragraphs between events.

#include <QObject>
#include <QString>

#include "bench/textview/TextBuffer.h"

#include <atomic>
#include <memory>
#include <thread>

class FileLoader : public QObject {
  Q_OBJECT
 public:
  /// Opens `path` and decodes its head; false when it cannot be read.
  bool Open(const QString& path);
  /// The text read so far; only the window's thread touches it.
  TextBuffer& Buffer() { return *m_buffer; }
  /// Starts the thread that reads the rest.
  void Start();
  ~FileLoader() override;

 signals:
  /// More text is in the buffer (on the window's thread).
  void Grown();
  void Finished();

 private:
  void ReadRest(std::size_t written);

  int m_fd = -1;
  std::unique_ptr<TextBuffer> m_buffer;
  std::size_t m_written = 0;  // code units the head decoded to
  std::atomic<bool> m_stop{false};
  std::thread m_thread;
};
