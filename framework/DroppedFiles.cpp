#include "framework/DroppedFiles.h"

#include <QMimeData>
#include <QUrl>

QStringList DroppedFiles(const QMimeData* data) {
  QStringList paths;
  if (data)
    for (const QUrl& url : data->urls())
      if (url.isLocalFile()) paths << url.toLocalFile();
  return paths;
}
