#include "tests/support/Files.h"

#include <chrono>
#include <fstream>
#include <iterator>
#include <thread>

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

bool WaitUntil(const std::function<bool()>& done, double seconds) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (!done()) {
    if (std::chrono::steady_clock::now() >= end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return true;
}

std::string WaitForBytes(const std::string& path, const std::string& expected, double seconds) {
  std::string bytes;
  WaitUntil([&] { return (bytes = ReadBytes(path)) == expected; }, seconds);
  return bytes;
}

std::string WaitForText(const std::function<std::string()>& path, const std::string& text,
                        double seconds) {
  std::string bytes;
  WaitUntil([&] { return (bytes = ReadBytes(path())).find(text) != std::string::npos; }, seconds);
  return bytes;
}
