// A plug-in that fails the way a faulty one does, for the tests only: "Crash"
// reads through a null pointer in GetSize, "Hang" never returns from it.

#include "plugin_host/wpi.h"

#include <unistd.h>
#include <cstring>

extern "C" {

WPI_EXPORT int32_t WPI_CALL GetSize(const char* text) {
#if defined(WEX_FAULT_CRASH)
  const char* volatile nothing = nullptr;
  return *nothing + text[0];
#else
  for (;;) ::pause();
  return static_cast<int32_t>(std::strlen(text));
#endif
}

WPI_EXPORT int32_t WPI_CALL Transport(char* buffer) {
  buffer[0] = '\0';
  return 1;
}

WPI_EXPORT int32_t WPI_CALL Option(uintptr_t) { return 0; }

WPI_EXPORT char* WPI_CALL GetPluginName(char* buffer) {
  std::strcpy(buffer, WEX_FAULT_NAME);
  return buffer;
}
}
