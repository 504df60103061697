#pragma once
// The result a plug-in keeps between GetSize and Transport.

#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <utility>

namespace wpi {

class PendingResult {
 public:
  /// Keeps `result` pending in place of any earlier one and returns its length plus
  /// `extra`: the size GetSize reports. A result too long for that value is
  /// dropped and -1 returned, so the host leaves its text alone.
  std::int32_t Hold(std::string result, std::size_t extra = 0) {
    Release();
    if (result.size() > static_cast<std::size_t>(INT32_MAX) - extra) {
      return -1;
    }
    m_result = std::move(result);
    m_pending = true;
    return static_cast<std::int32_t>(m_result.size() + extra);
  }

  /// GetSize's body: releases any pending result, then holds what `make` returns
  /// (see Hold). No exception may leave an export, so when `make` throws nothing is
  /// pending and -1 is returned.
  template <typename Make>
  std::int32_t HoldResultOf(Make make, std::size_t extra = 0) noexcept {
    Release();
    try {
      return Hold(make(), extra);
    } catch (...) {
      Release();
      return -1;
    }
  }

  /// Copies the pending result and its NUL into `buffer` and releases it: 1. With
  /// nothing pending (or no buffer) nothing is written: 0.
  std::int32_t TransportTo(char* buffer) noexcept {
    if (!m_pending || buffer == nullptr) {
      return 0;
    }
    std::memcpy(buffer, m_result.c_str(), m_result.size() + 1);
    Release();
    return 1;
  }

 private:
  void Release() noexcept {
    std::string().swap(m_result);
    m_pending = false;
  }

  std::string m_result;
  bool m_pending = false;
};

/// GetPluginName's body: `name` with its NUL into the host's buffer.
inline char* CopyPluginName(char* buffer, const char* name) noexcept {
  std::strcpy(buffer, name);
  return buffer;
}

}  // namespace wpi
