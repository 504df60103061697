// A plug-in for the host's tests whose exports throw, as a careless C++ plug-in's may.
//   TEST_THROW_LATE  GetPluginName and GetSize work, Transport and Option throw
//                    (default: every export throws)
#include "plugin_host/wpi.h"

#include <cstring>
#include <stdexcept>

namespace {
#ifdef TEST_THROW_LATE
constexpr bool kThrowEarly = false;
#else
constexpr bool kThrowEarly = true;
#endif
}  // namespace

int32_t WPI_CALL GetSize(const char* text) {
  if (kThrowEarly) throw std::runtime_error("GetSize");
  return static_cast<int32_t>(std::strlen(text));
}

int32_t WPI_CALL Transport(char*) { throw std::runtime_error("Transport"); }

int32_t WPI_CALL Option(uintptr_t) { throw std::runtime_error("Option"); }

char* WPI_CALL GetPluginName(char* buffer) {
  if (kThrowEarly) throw std::runtime_error("GetPluginName");
  std::strcpy(buffer, TEST_PLUGIN_NAME);
  return buffer;
}
