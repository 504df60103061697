#pragma once
// What tells one state of a file on disk from another without reading it. Plain C++.

#include <cstdint>
#include <string>

/// The file's device and inode, size and modification time. A file that is not
/// there (deleted, renamed away, or never written) has `exists` false.
struct FileIdentity {
  bool exists = false;
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  std::uint64_t size = 0;
  std::int64_t modifiedNs = 0;  ///< nanoseconds since the epoch

  bool operator==(const FileIdentity&) const = default;
};

/// The identity of the file at `path` now (following symbolic links); `exists`
/// false when there is none or it cannot be looked at.
FileIdentity IdentifyFile(const std::string& path);
