#pragma once
// Result buffers of many megabytes. Plain C++ for Linux.
//
// The program maps each big block afresh, so a plug-in's result is memory new
// to the process every time: filled through 4 KB pages, the page faults take
// most of the run. Backed by huge pages where the system allows it (the
// "madvise" and "always" settings of transparent huge pages), it costs one fault
// per 2 MB.

#include <sys/mman.h>

#include <cstddef>
#include <cstdint>
#include <string>

namespace wpi {

/// Asks for the room `out` holds to be backed by huge pages; only advice, so
/// nothing changes where the system says no.
inline void PreferHugePages(std::string& out) {
  constexpr std::uintptr_t kPage = 4096;
  constexpr std::uintptr_t kHugePage = 2 << 20;
  const auto begin = reinterpret_cast<std::uintptr_t>(out.data());
  const std::uintptr_t from = (begin + kPage - 1) & ~(kPage - 1);
  const std::uintptr_t to = (begin + out.capacity()) & ~(kPage - 1);
  if (to > from + kHugePage) ::madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE);
}

/// An empty string with room for `bytes`, on huge pages where it is large.
inline std::string ReservedOutput(std::size_t bytes) {
  std::string out;
  out.reserve(bytes);
  PreferHugePages(out);
  return out;
}

}  // namespace wpi
