#include "tests/support/Iconv.h"

#include <stdexcept>

Iconv::Iconv(const char* to, const char* from) : m_cd(iconv_open(to, from)) {
  if (m_cd == reinterpret_cast<iconv_t>(-1)) {
    throw std::runtime_error(std::string("iconv cannot convert from ") + from + " to " + to);
  }
}

Iconv::~Iconv() { iconv_close(m_cd); }

std::optional<std::string_view> Iconv::Convert(std::string_view in) {
  // Four bytes out per byte in covers every pair of Japanese encodings and UTF-8.
  const std::size_t capacity = 4 * in.size() + 16;
  if (m_buffer.size() < capacity) m_buffer.resize(capacity);
  iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
  char* inPtr = const_cast<char*>(in.data());
  std::size_t inLeft = in.size();
  char* outPtr = m_buffer.data();
  std::size_t outLeft = m_buffer.size();
  if (iconv(m_cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1) ||
      iconv(m_cd, nullptr, nullptr, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) {
    return std::nullopt;
  }
  return std::string_view(m_buffer.data(), m_buffer.size() - outLeft);
}

std::optional<std::string> Convert(std::string_view in, const char* to, const char* from) {
  Iconv cd(to, from);
  const auto out = cd.Convert(in);
  return out ? std::optional<std::string>(*out) : std::nullopt;
}
