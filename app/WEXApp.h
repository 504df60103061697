#pragma once
#include "app/CommandLine.h"
#include "framework/CmdTarget.h"
#include "plugin_host/PluginScan.h"
#include "resources/CommandIds.h"
#include "settings/SettingsFile.h"

#include <memory>
#include <optional>

class CMainFrame;
class CWEXDoc;
class RecoveryJournal;

// The application object: settings bootstrap before anything else, then the
// document/frame/view trio from the command line.
class CWEXApp : public CCmdTarget {
 public:
  /// Creates the settings file with its defaults when it is missing, unless
  /// the command line only asks to unregister. Must exist before any window,
  /// so that the file is there when the first one reads it.
  explicit CWEXApp(CommandLineInfo commandLine);
  ~CWEXApp() override;
  CWEXApp(const CWEXApp&) = delete;
  CWEXApp& operator=(const CWEXApp&) = delete;

  static CWEXApp* Instance() { return s_instance; }

  /// Processes the command line and shows the main window. Returns false when
  /// the program must end at once; `exitCode` then says with which status.
  bool InitInstance(int& exitCode);

  /// Destroys the main window and the document.
  void ExitInstance();

  CMainFrame* MainFrame() const { return m_mainFrame; }
  CWEXDoc* Document() const { return m_document; }

  /// Bare file names of the plug-ins found, entry i for commands i and 50 + i.
  PluginFileTable m_pluginFiles = {};

 private:
  void CreateTrio();
  /// Keeps the unsaved work safe from here on, after offering back what copies
  /// that ended without saving left; `windowIsFree`: no file was opened into it.
  void StartRecovery(bool windowIsFree);
  void OnFileNew();
  void OnFilePrintSetup();
  bool PrintAndEnd();

  static CWEXApp* s_instance;
  CommandLineInfo m_cmdInfo;
  CWEXDoc* m_document = nullptr;
  CMainFrame* m_mainFrame = nullptr;
  std::unique_ptr<RecoveryJournal> m_journal;
  /// The one settings file everything reads and writes; absent when only unregistering.
  std::optional<SettingsFile> m_settings;
};
