#include "framework/FileError.h"

#include "framework/MessageBox.h"
#include "platform/FileBytes.h"
#include "resources/Strings.h"

#include <cerrno>

FileError FileErrorFromErrno(int error) {
  switch (error) {
    case 0: return FileError::None;
    case ENOENT:
    case ENOTDIR: return FileError::NotFound;
    case ENAMETOOLONG: return FileError::NameTooLong;
    case EACCES:
    case EPERM: return FileError::AccessDenied;
    case EROFS: return FileError::ReadOnlyDisk;
    case EISDIR: return FileError::IsDirectory;
    case kNotRegularFile: return FileError::NotRegularFile;
    case EBUSY:
    case ETXTBSY:
    case EWOULDBLOCK: return FileError::SharingViolation;
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return FileError::DiskFull;
    case ENOMEM: return FileError::OutOfMemory;
    case ECANCELED: return FileError::Cancelled;
    default: return FileError::Generic;
  }
}

void ReportFileError(QWidget* owner, FileError error, const QString& path) {
  int id = IDS_GENERIC_FILE_ERROR;
  switch (error) {
    case FileError::None:
    case FileError::Cancelled: return;
    case FileError::OutOfMemory:
      // Not the file's fault, so the file is not named.
      ShowMessageBox(owner, LoadString(IDS_OUT_OF_MEMORY), QString(), QMessageBox::Ok,
                     QMessageBox::Critical);
      return;
    case FileError::NotFound: id = IDS_FILE_NOT_FOUND; break;
    case FileError::AccessDenied: id = IDS_ACCESS_DENIED; break;
    case FileError::SharingViolation: id = IDS_SHARING_VIOLATION; break;
    case FileError::DiskFull: id = IDS_DISK_FULL; break;
    case FileError::NameTooLong: id = IDS_NAME_TOO_LONG; break;
    case FileError::ReadOnlyDisk: id = IDS_READ_ONLY_DISK; break;
    case FileError::IsDirectory: id = IDS_IS_DIRECTORY; break;
    case FileError::NotRegularFile: id = IDS_NOT_REGULAR_FILE; break;
    case FileError::Generic:
    case FileError::Failed: break;
  }
  ShowMessageBox(owner, LoadString(id).arg(path), QString(), QMessageBox::Ok,
                 QMessageBox::Warning);
}
