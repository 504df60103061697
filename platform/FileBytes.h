#pragma once
// Whole-file reads and safe whole-file writes. Plain C++; errors are errno values.

#include <functional>
#include <string>
#include <string_view>

/// Not an errno: the path names a FIFO, a device or a socket. Such a file is
/// never read or replaced: opening one may wait for a writer, have a side effect
/// or give bytes without end.
constexpr int kNotRegularFile = 0x10000;

/// Reads the whole file; 0 or the errno of the failure: EISDIR for a directory,
/// kNotRegularFile for a FIFO, device or socket (never opened), ENOMEM when
/// memory runs out or the file is bigger than the machine's memory.
int ReadWholeFile(const std::string& path, std::string& bytes);

/// A regular file read a block at a time, so that its head can be shown before
/// the rest is read.
class FileReader {
 public:
  FileReader() = default;
  FileReader(const FileReader&) = delete;
  FileReader& operator=(const FileReader&) = delete;
  ~FileReader();

  /// 0 or the errno of the failure: EISDIR for a directory, kNotRegularFile for
  /// a FIFO, device or socket (never opened).
  int Open(const std::string& path);
  /// The file's size when it was opened.
  std::size_t Size() const { return m_size; }
  /// Appends up to `count` more bytes to `bytes`; 0 or the errno of the failure,
  /// ENOMEM when memory runs out or the file grows past the machine's memory.
  int Read(std::size_t count, std::string& bytes);
  /// Appends all that is left.
  int ReadRest(std::string& bytes);
  bool AtEnd() const { return m_atEnd; }

 private:
  int m_fd = -1;
  std::size_t m_size = 0;
  std::size_t m_read = 0;
  bool m_atEnd = false;
};

/// Memory the process can be given without the system swapping (MemAvailable),
/// and within its address-space limit; SIZE_MAX when neither is known.
std::size_t AvailableMemoryBytes();

/// Writes all of `bytes` to `fd`; 0 or the errno of the failure.
int WriteAll(int fd, std::string_view bytes);

/// Writes the file's contents to the file descriptor it is given; 0 or an errno.
/// It may throw.
using WriteBody = std::function<int(int fd)>;

/// When the file system frees the blocks of the file that ReplaceFile replaces.
/// For a big file that takes milliseconds, which a caller in a hurry can leave
/// to a thread of its own; code that may be unloaded (a plug-in) must not.
enum class FreeReplaced { Now, InBackground };

/// Has `body` write a temporary file beside `path` and renames it over `path`
/// once the contents are flushed to the disk, so a failed write never destroys
/// the old file. A symbolic link stays and the file it names is replaced; an
/// existing file that may not be written is refused (EACCES), a directory
/// (EISDIR) and a FIFO, device or socket (kNotRegularFile) too; a writable file
/// in a folder that takes no new files is rewritten in place. The temporary
/// file's name is cut to fit the folder's longest name. 0 or the errno of the
/// failure; an exception from `body` removes the temporary file and passes on.
int ReplaceFile(const std::string& path, const WriteBody& body,
                FreeReplaced freeReplaced = FreeReplaced::Now);

/// ReplaceFile with `bytes` as the contents.
int WriteWholeFileAtomically(const std::string& path, std::string_view bytes);
