#include "platform/FileError.h"

#include "platform/FileBytes.h"

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
    default: return FileError::Generic;
  }
}
