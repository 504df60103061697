#pragma once
#include <QString>
#include <QStringList>
#include <string_view>

class QFileDialog;

/// A filter list as the settings keep it ("desc|pattern|desc|pattern||", Shift-JIS,
/// patterns separated by ";") as the file dialog's name filters. "*.*" means every
/// file, as it does for the user who typed it.
QStringList FileDialogFilters(std::string_view filter);

/// Runs `dialog` and returns the chosen path, or an empty string when cancelled.
/// A name with wildcards is a filter: the dialog shows again with it. Saving
/// over an existing file asks first; No shows the dialog again.
QString ChooseFile(QFileDialog& dialog);
