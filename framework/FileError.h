#pragma once
#include <QString>

class QWidget;

// File failures as the user is told about them, each cause with its own text.
// `Failed`: the operation failed for a cause that is not the file's. `Cancelled`:
// the user chose not to go on when asked (ECANCELED); nothing more is said.
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
  Failed,
  Cancelled
};

/// Maps an errno value (or kNotRegularFile of platform/FileBytes) to the
/// message it is reported with.
FileError FileErrorFromErrno(int error);

/// Shows the message for `error` with `path` in place of %1 (caption "WEX").
void ReportFileError(QWidget* owner, FileError error, const QString& path);
