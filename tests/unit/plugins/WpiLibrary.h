#pragma once
// Test access to the built plug-ins: loaded with dlopen and called by name, as the
// editor does, plus Shift-JIS spelling of test texts through glibc iconv.

#include <dlfcn.h>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "plugin_host/wpi.h"
#include "tests/support/Iconv.h"

namespace wpitest {

/// Converts between encodings with iconv; fails the test on a character that
/// cannot be converted.
inline std::string Convert(std::string_view text, const char* from, const char* to) {
  const std::optional<std::string> out = ::Convert(text, to, from);
  EXPECT_TRUE(out) << "cannot convert from " << from << " to " << to;
  return out.value_or(std::string());
}

/// The Shift-JIS (CP932) bytes of a UTF-8 text.
inline std::string Sjis(std::string_view utf8) { return Convert(utf8, "UTF-8", "CP932"); }

inline std::string Utf8(std::string_view sjis) { return Convert(sjis, "CP932", "UTF-8"); }

/// "<name>.wpi" of a directory (the build's program directory unless told), loaded
/// for the lifetime of the object.
class WpiLibrary {
 public:
  explicit WpiLibrary(const std::string& name, const std::string& directory = WEX_BIN_DIR)
      : m_handle(dlopen((directory + "/" + name + ".wpi").c_str(), RTLD_NOW | RTLD_LOCAL)) {
    if (m_handle == nullptr) {
      ADD_FAILURE() << dlerror();
    }
  }
  ~WpiLibrary() {
    if (m_handle != nullptr) {
      dlclose(m_handle);
    }
  }
  WpiLibrary(const WpiLibrary&) = delete;
  WpiLibrary& operator=(const WpiLibrary&) = delete;

  template <typename Fn>
  Fn Export(const char* name) const {
    void* symbol = m_handle != nullptr ? dlsym(m_handle, name) : nullptr;
    if (symbol == nullptr) {
      ADD_FAILURE() << "missing export " << name;
    }
    return reinterpret_cast<Fn>(symbol);
  }

  int32_t GetSize(const std::string& text) const {
    return Export<WpiGetSizeFn>("GetSize")(text.c_str());
  }
  int32_t Transport(char* buffer) const { return Export<WpiTransportFn>("Transport")(buffer); }
  int32_t Option(uintptr_t mainWindow) const { return Export<WpiOptionFn>("Option")(mainWindow); }

  std::string Name() const {
    std::vector<char> buffer(WPI_NAME_BUFFER_SIZE, '\x7F');
    char* result = Export<WpiGetPluginNameFn>("GetPluginName")(buffer.data());
    EXPECT_EQ(result, buffer.data());
    return buffer.data();
  }

  /// A whole run as the editor makes it: GetSize, a buffer of that size + 5 bytes,
  /// Transport. Checks that the result and its NUL fit into the size reported.
  std::string Run(const std::string& text, int32_t* reported = nullptr) const {
    const int32_t size = GetSize(text);
    if (reported != nullptr) {
      *reported = size;
    }
    EXPECT_GE(size, 0);
    std::vector<char> buffer(static_cast<std::size_t>(std::max(size, 0)) + WPI_OUTPUT_SLACK,
                             '\x7F');
    EXPECT_EQ(Transport(buffer.data()), 1);
    const std::size_t length = strnlen(buffer.data(), buffer.size());
    EXPECT_LE(length, static_cast<std::size_t>(size));
    return std::string(buffer.data(), std::min(length, buffer.size()));
  }

 private:
  void* m_handle;
};

/// Serialises the tests that use the program directory's data and settings files:
/// CTest may run the cases of one test binary in parallel.
class ProgramDirectoryLock {
 public:
  ProgramDirectoryLock() : m_fd(open(LockPath().c_str(), O_CREAT | O_RDWR, 0644)) {
    EXPECT_EQ(flock(m_fd, LOCK_EX), 0);
  }
  ~ProgramDirectoryLock() { close(m_fd); }
  ProgramDirectoryLock(const ProgramDirectoryLock&) = delete;
  ProgramDirectoryLock& operator=(const ProgramDirectoryLock&) = delete;

  /// Directory of the test executable, where the plug-in keeps its files.
  static std::string ProgramDirectory() {
    std::string exe(4096, '\0');
    exe.resize(static_cast<std::size_t>(readlink("/proc/self/exe", exe.data(), exe.size())));
    return exe.substr(0, exe.rfind('/'));
  }

 private:
  static std::string LockPath() { return ProgramDirectory() + "/.plugin-files.lock"; }
  int m_fd;
};

}  // namespace wpitest
