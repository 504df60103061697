#include "editor/OutOfMemory.h"

#include "framework/FileError.h"

void ReportOutOfMemory(QWidget* owner) { ReportFileError(owner, FileError::OutOfMemory, {}); }
