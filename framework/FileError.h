#pragma once
#include <QString>

class QWidget;

// File failures as the user is told about them. `Failed`: the operation failed
// for a cause that is not the file's (out of memory).
enum class FileError { None, NotFound, AccessDenied, SharingViolation, DiskFull, Generic, Failed };

/// Maps an errno value to the message it is reported with.
FileError FileErrorFromErrno(int error);

/// Shows the message for `error` with `path` in place of %1 (caption "WEX").
void ReportFileError(QWidget* owner, FileError error, const QString& path);
