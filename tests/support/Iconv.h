#pragma once
// glibc iconv as the reference converter of the tests and benchmarks.

#include <iconv.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

/// One iconv conversion descriptor with a reusable output buffer.
class Iconv {
 public:
  Iconv(const char* to, const char* from);
  ~Iconv();
  Iconv(const Iconv&) = delete;
  Iconv& operator=(const Iconv&) = delete;

  /// The whole of `in` converted (shift state flushed at the end), or nothing when some
  /// character cannot be converted. The view is valid until the next call.
  std::optional<std::string_view> Convert(std::string_view in);

 private:
  iconv_t m_cd;
  std::vector<char> m_buffer;
};

/// `in` converted with a fresh descriptor, or nothing when iconv cannot convert it.
std::optional<std::string> Convert(std::string_view in, const char* to, const char* from);
