#include "editor/OutOfMemory.h"

#include "framework/FileErrorReport.h"

void ReportOutOfMemory(QWidget* owner) { ReportFileError(owner, FileError::OutOfMemory, {}); }
