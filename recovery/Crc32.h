#pragma once
// CRC-32 (the polynomial of zip and PNG). Plain C++.

#include <cstdint>
#include <string_view>

/// The CRC-32 of `bytes` continued from `crc` (0 to start).
std::uint32_t Crc32(std::string_view bytes, std::uint32_t crc = 0);
