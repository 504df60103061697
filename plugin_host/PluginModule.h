#pragma once
// Holder of at most one loaded plug-in library. Plain C++.
//
// Every call looks its export up by name again: a plug-in may be replaced on
// disk between commands, and the stored addresses only record the last lookup.
// An exception thrown out of a plug-in is caught and counts as a failed call.

#include "plugin_host/wpi.h"

#include <cstdint>
#include <string>

class PluginModule {
 public:
  PluginModule() = default;
  ~PluginModule() { Unload(); }
  PluginModule(const PluginModule&) = delete;
  PluginModule& operator=(const PluginModule&) = delete;

  /// Unloads the library held, then loads `path`. False when it cannot be loaded.
  bool Load(const std::string& path);
  void Unload();
  bool IsLoaded() const { return m_hModule != nullptr; }

  /// GetSize(text); -1 when the export is missing or throws.
  int32_t CallGetSize(const char* text);
  /// Transport(buffer); -1 when the export is missing, 0 when it throws.
  int32_t CallTransport(char* buffer);
  /// Option(window); 0 when the export is missing or throws.
  int32_t CallOption(uintptr_t window);
  /// GetPluginName(buffer); nothing when the export is missing. True when it ran
  /// without throwing.
  bool CallGetPluginName(char* buffer);

 private:
  void* Lookup(const char* name);

  void* m_hModule = nullptr;
  int32_t(WPI_CALL* m_pGetSize)(const char*) = nullptr;
  int32_t(WPI_CALL* m_pTransport)(char*) = nullptr;
  int32_t(WPI_CALL* m_pOption)(uintptr_t) = nullptr;
  char*(WPI_CALL* m_pGetPluginName)(char*) = nullptr;
};
