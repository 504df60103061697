#include "framework/FileError.h"

#include "framework/MessageBox.h"
#include "resources/Strings.h"

#include <cerrno>

FileError FileErrorFromErrno(int error) {
  switch (error) {
    case 0: return FileError::None;
    case ENOENT:
    case ENOTDIR:
    case ENAMETOOLONG: return FileError::NotFound;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR: return FileError::AccessDenied;
    case EBUSY:
    case ETXTBSY:
    case EWOULDBLOCK: return FileError::SharingViolation;
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return FileError::DiskFull;
    case ENOMEM: return FileError::Failed;
    case ECANCELED: return FileError::Cancelled;
    default: return FileError::Generic;
  }
}

void ReportFileError(QWidget* owner, FileError error, const QString& path) {
  int id = IDS_GENERIC_FILE_ERROR;
  switch (error) {
    case FileError::None:
    case FileError::Cancelled: return;
    case FileError::NotFound: id = IDS_FILE_NOT_FOUND; break;
    case FileError::AccessDenied: id = IDS_ACCESS_DENIED; break;
    case FileError::SharingViolation: id = IDS_SHARING_VIOLATION; break;
    case FileError::DiskFull: id = IDS_DISK_FULL; break;
    case FileError::Generic:
    case FileError::Failed: break;
  }
  ShowMessageBox(owner, LoadString(id).arg(path), QString(), QMessageBox::Ok,
                 QMessageBox::Warning);
}
