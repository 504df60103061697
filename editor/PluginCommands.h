#pragma once
#include "framework/CmdTarget.h"
#include "plugin_host/PluginModule.h"
#include "plugin_host/PluginScan.h"

#include <QObject>

class CWEXView;

// The plug-in commands: run a plug-in on the view's whole text, open its settings.
class PluginCommands : public QObject, public CCmdTarget {
  Q_OBJECT
 public:
  /// `pluginFiles` names the plug-ins of the commands; it outlives this object.
  PluginCommands(CWEXView& view, const PluginFileTable& pluginFiles);

 signals:
  /// A plug-in is about to be given the text: what is unsaved must be safe first,
  /// in case it never returns.
  void PluginAboutToRun();

 private:
  void Run(int index);
  /// Tells the user that the plug-in of command `index` gave a result that was not used.
  void ReportInvalidResult(int index);
  void OpenOptions(int index);
  bool Load(int index);

  CWEXView& m_view;
  const PluginFileTable& m_pluginFiles;
  PluginModule m_pluginModule;  ///< the plug-in of the last plug-in command
};
