#include "platform/UserDirectories.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdlib>

namespace {

std::optional<std::string> HomeDirectory() {
  if (const char* home = std::getenv("HOME"); home && *home == '/') return std::string(home);
  if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir && *entry->pw_dir == '/')
    return std::string(entry->pw_dir);
  return std::nullopt;
}

bool IsDirectory(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

std::optional<std::string> UserBaseDirectory(const char* variable, const char* underHome) {
  // A relative value is invalid under the XDG rules and must be ignored.
  if (const char* value = std::getenv(variable); value && *value == '/') return std::string(value);
  std::optional<std::string> home = HomeDirectory();
  if (!home) return std::nullopt;
  if (home->back() != '/') home->push_back('/');
  return *home + underHome;
}

bool MakeDirectories(const std::string& path, mode_t mode) {
  for (std::size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
    const std::string part = path.substr(0, slash);
    if (!part.empty() && ::mkdir(part.c_str(), mode) != 0 && errno != EEXIST) return false;
    if (slash == std::string::npos) break;
  }
  return IsDirectory(path);
}
