#include "framework/FileErrorReport.h"

#include "framework/MessageBox.h"
#include "resources/Strings.h"

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
    case FileError::Generic: break;
  }
  ShowMessageBox(owner, LoadString(id).arg(path), QString(), QMessageBox::Ok, QMessageBox::Warning);
}
