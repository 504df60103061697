#pragma once
#include <QStringList>

class QMimeData;

/// The local files of a drag or drop, in the order the drop lists them.
QStringList DroppedFiles(const QMimeData* data);
