#pragma once
// A limit on the address space for tests of what happens when memory runs out.

#include <sys/resource.h>
#include <unistd.h>
#include <cstddef>
#include <fstream>

// Limits the address space to what is in use now and `headroom` more, so that
// a bigger allocation fails, for as long as it lives.
class MemoryHeadroom {
 public:
  explicit MemoryHeadroom(std::size_t headroom) {
    ::getrlimit(RLIMIT_AS, &old_);
    rlimit small = old_;
    std::ifstream statm("/proc/self/statm");
    std::size_t pages = 0;
    statm >> pages;
    small.rlim_cur = pages * static_cast<std::size_t>(::sysconf(_SC_PAGESIZE)) + headroom;
    ::setrlimit(RLIMIT_AS, &small);
  }
  MemoryHeadroom(const MemoryHeadroom&) = delete;
  MemoryHeadroom& operator=(const MemoryHeadroom&) = delete;
  ~MemoryHeadroom() { ::setrlimit(RLIMIT_AS, &old_); }

 private:
  rlimit old_{};
};
