#pragma once
#include "framework/CmdTarget.h"

class CWEXView;
class SettingsFile;

// Open and Save As: their file dialogs and the settings these keep (the last
// folder, the save dialog's filters, default name and extension). The document
// reads and writes the files.
class FileDialogCommands : public CCmdTarget {
 public:
  FileDialogCommands(CWEXView& view, SettingsFile& settings);

 private:
  void Open();
  void SaveAs();

  CWEXView& m_view;
  SettingsFile& m_settings;
};
