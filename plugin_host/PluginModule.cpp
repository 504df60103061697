#include "plugin_host/PluginModule.h"

#include <dlfcn.h>

namespace {

// Runs a call into the plug-in; an exception it lets out must not end the editor,
// so it counts as the call's `failure` value.
template <typename Result, typename Call>
Result Guarded(Result failure, Call call) noexcept {
  try {
    return call();
  } catch (...) {
    return failure;
  }
}

}  // namespace

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
  if (!m_pGetSize) return -1;
  return Guarded<int32_t>(-1, [&] { return m_pGetSize(text); });
}

int32_t PluginModule::CallTransport(char* buffer) {
  m_pTransport = reinterpret_cast<decltype(m_pTransport)>(Lookup("Transport"));
  if (!m_pTransport) return -1;
  return Guarded<int32_t>(0, [&] { return m_pTransport(buffer); });
}

int32_t PluginModule::CallOption(uintptr_t window) {
  m_pOption = reinterpret_cast<decltype(m_pOption)>(Lookup("Option"));
  if (!m_pOption) return 0;
  return Guarded<int32_t>(0, [&] { return m_pOption(window); });
}

bool PluginModule::CallGetPluginName(char* buffer) {
  m_pGetPluginName = reinterpret_cast<decltype(m_pGetPluginName)>(Lookup("GetPluginName"));
  if (!m_pGetPluginName) return false;
  return Guarded(false, [&] {
    m_pGetPluginName(buffer);
    return true;
  });
}
