#pragma once
#include <QString>

class QWidget;

// File failures as the user is told about them, each cause with its own text.
// `Failed`: the operation failed for a cause that is not the file's.
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
  Failed
};

/// Maps an errno value (or kNotRegularFile of platform/FileBytes) to the
/// message it is reported with.
FileError FileErrorFromErrno(int error);

/// Shows the message for `error` with `path` in place of %1 (caption "WEX").
void ReportFileError(QWidget* owner, FileError error, const QString& path);
