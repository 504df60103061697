#pragma once
// The order in which a directory lists its entries, as the host's scan meets them.

#include <dirent.h>

#include <string>
#include <vector>

/// The first `limit` entries of `directory` whose names end in ".wpi", in readdir order.
inline std::vector<std::string> WpiEntriesInDirectoryOrder(const std::string& directory,
                                                           std::size_t limit) {
  std::vector<std::string> names;
  if (DIR* dir = ::opendir(directory.c_str())) {
    while (const dirent* entry = ::readdir(dir)) {
      const std::string name = entry->d_name;
      if (names.size() < limit && name.size() > 4 && name.ends_with(".wpi")) names.push_back(name);
    }
    ::closedir(dir);
  }
  return names;
}
