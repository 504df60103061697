#pragma once
#include "platform/FileError.h"

#include <QString>

class QWidget;

/// Tells the user of `error` with `path` in place of %1 (caption "WEX"); nothing
/// for None and Cancelled.
void ReportFileError(QWidget* owner, FileError error, const QString& path);
