#include "plugin_host/PluginModule.h"

#include <dlfcn.h>

bool PluginModule::Load(const std::string& path) {
  Unload();
  m_hModule = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  return m_hModule != nullptr;
}

void PluginModule::Unload() {
  if (m_hModule) ::dlclose(m_hModule);
  m_hModule = nullptr;
  m_pGetSize = nullptr;
  m_pTransport = nullptr;
  m_pOption = nullptr;
  m_pGetPluginName = nullptr;
}

void* PluginModule::Lookup(const char* name) {
  return m_hModule ? ::dlsym(m_hModule, name) : nullptr;
}

int32_t PluginModule::CallGetSize(const char* text) {
  m_pGetSize = reinterpret_cast<decltype(m_pGetSize)>(Lookup("GetSize"));
  return m_pGetSize ? m_pGetSize(text) : -1;
}

int32_t PluginModule::CallTransport(char* buffer) {
  m_pTransport = reinterpret_cast<decltype(m_pTransport)>(Lookup("Transport"));
  return m_pTransport ? m_pTransport(buffer) : -1;
}

int32_t PluginModule::CallOption(uintptr_t window) {
  m_pOption = reinterpret_cast<decltype(m_pOption)>(Lookup("Option"));
  return m_pOption ? m_pOption(window) : 0;
}

bool PluginModule::CallGetPluginName(char* buffer) {
  m_pGetPluginName = reinterpret_cast<decltype(m_pGetPluginName)>(Lookup("GetPluginName"));
  if (!m_pGetPluginName) return false;
  m_pGetPluginName(buffer);
  return true;
}
