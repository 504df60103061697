#pragma once
// What went wrong with a file, as the editor tells the user: the one form in which
// file failures leave the place that met them. Plain C++.

#include <utility>
#include <variant>

/// Each cause has its own message. `Generic`: any other cause, the file named.
/// `Cancelled`: the user chose not to go on when asked; nothing more is said.
enum class FileError {
  None,
  NotFound,
  AccessDenied,
  SharingViolation,
  DiskFull,
  NameTooLong,
  ReadOnlyDisk,
  IsDirectory,
  NotRegularFile,
  OutOfMemory,
  Generic,
  Cancelled
};

/// The cause an errno value (or kNotRegularFile of platform/FileBytes.h) stands for.
FileError FileErrorFromErrno(int error);

/// A `T`, or the FileError that kept it from being made.
template <class T>
class FileResult {
 public:
  FileResult(T value) : m_state(std::move(value)) {}  // NOLINT: implicit on purpose
  FileResult(FileError error) : m_state(error) {}     // NOLINT: implicit on purpose

  bool HasValue() const { return std::holds_alternative<T>(m_state); }
  /// FileError::None when there is a value.
  FileError Error() const { return HasValue() ? FileError::None : std::get<FileError>(m_state); }
  T& Value() { return std::get<T>(m_state); }

 private:
  std::variant<T, FileError> m_state;
};
