#pragma once
// Files as the tests read, write and wait for them: whole, as bytes.

#include <functional>
#include <string>

/// Reads or writes a whole file as bytes; reading a missing file gives nothing.
std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);

/// Asks `done` every 100 ms for up to `seconds`; whether it said yes.
bool WaitUntil(const std::function<bool()>& done, double seconds = 5);

/// Waits up to `seconds` for the file at `path` to hold `expected`; the bytes
/// it holds at the end.
std::string WaitForBytes(const std::string& path, const std::string& expected, double seconds = 5);

/// Waits up to `seconds` for the file that `path` names (asked again each time)
/// to hold `text` somewhere; the bytes it holds at the end.
std::string WaitForText(const std::function<std::string()>& path, const std::string& text,
                        double seconds = 5);
