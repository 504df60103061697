#include "plugin_host/PluginScan.h"

#include "plugin_host/PluginModule.h"

#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>
#include <cstring>
#include <memory>

namespace {

constexpr char kGuardByte = '\xA5';

bool HasPluginExtension(const char* name) {
  const std::size_t length = std::strlen(name);
  return length >= 4 && ::strcasecmp(name + length - 4, ".wpi") == 0;
}

bool IsRegularFile(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// Cuts a Shift-JIS name to `limit` bytes without splitting a two-byte character.
void CutName(std::string& name, std::size_t limit) {
  if (name.size() <= limit) return;
  std::size_t end = 0;
  while (end < limit) {
    const auto byte = static_cast<unsigned char>(name[end]);
    const bool lead = (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
    const std::size_t width = lead ? 2 : 1;
    if (end + width > limit) break;
    end += width;
  }
  name.resize(end);
}

bool Exists(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0;
}

}  // namespace

std::vector<FoundPlugin> ScanPluginDirectories(const std::vector<std::string>& directories,
                                               PluginModule& holder) {
  std::vector<FoundPlugin> found;
  for (std::size_t d = 0; d < directories.size(); ++d) {
    const std::string& directory = directories[d];
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(directory.c_str()), ::closedir);
    if (!dir) continue;
    const std::vector<std::string> earlier(directories.begin(), directories.begin() + d);
    while (found.size() < cmd::MAX_PLUGINS) {
      const dirent* entry = ::readdir(dir.get());
      if (!entry) break;
      if (!HasPluginExtension(entry->d_name)) continue;
      // The entries keep bare names: a name an earlier directory holds means that file.
      if (FindPluginFile(earlier, entry->d_name)) continue;
      const std::string path = directory + "/" + entry->d_name;
      if (!IsRegularFile(path) || !holder.Load(path)) continue;
      char buffer[WPI_NAME_BUFFER_SIZE] = {};
      if (!holder.CallGetPluginName(buffer)) continue;
      buffer[WPI_NAME_BUFFER_SIZE - 1] = '\0';
      std::string name(buffer);
      CutName(name, WPI_MAX_NAME_LENGTH);
      found.push_back({entry->d_name, std::move(name)});
    }
  }
  return found;
}

std::vector<FoundPlugin> ScanPluginDirectory(const std::string& directory, PluginModule& holder) {
  return ScanPluginDirectories({directory}, holder);
}

std::optional<std::string> FindPluginFile(const std::vector<std::string>& directories,
                                          const std::string& fileName) {
  for (const std::string& directory : directories) {
    std::string path = directory + "/" + fileName;
    if (Exists(path)) return path;
  }
  return std::nullopt;
}

PluginRun RunPluginTransform(PluginModule& module, const std::string& text, std::string& result) {
  const int32_t size = module.CallGetSize(text.c_str());
  if (size < 0) return PluginRun::Declined;
  const std::size_t capacity = static_cast<std::size_t>(size) + WPI_OUTPUT_SLACK;
  const std::unique_ptr<char[]> buffer(new char[capacity]);
  // Fresh pages read as NULs: without the pattern, a result the plug-in never
  // ended (or never wrote) would pass for one.
  std::memset(buffer.get(), kGuardByte, capacity);
  if (module.CallTransport(buffer.get()) != 1) return PluginRun::Declined;
  const void* end = std::memchr(buffer.get(), '\0', capacity);
  if (!end) return PluginRun::InvalidResult;
  const std::size_t nul = text.find('\0');
  const std::size_t kept = nul == std::string::npos ? 0 : text.size() - nul;
  const std::size_t length = static_cast<std::size_t>(static_cast<const char*>(end) - buffer.get());
  result.reserve(length + kept);
  result.assign(buffer.get(), length);
  if (kept) result.append(text, nul, kept);
  return PluginRun::Transformed;
}
