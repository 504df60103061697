#pragma once
// Access to the settings file "Wex.ini" (settings/SettingsDirectory.h says where it
// lives). Plain C++, no Qt.
//
// Every value is a byte string (Shift-JIS) and is never re-encoded. There is no
// in-memory image: each call reads or rewrites the file at that moment. Section
// and key names compare without case. A write is a locked read-modify-write that
// replaces the file atomically; a failed write is ignored (callers never report it).
// The file name is looked up without case at every call, so a path built before the
// file existed still finds it once another component has created it. The line
// format is described in settings/IniText.h.

#include <cstddef>
#include <string>
#include <string_view>

/// Directory of the running program's executable, without a trailing "/"
/// (a program in "/" gives "/").
std::string GetProgramDirectory();

/// Appends "/" and `name` to the directory in `path` (always, so a program in "/"
/// gives "//Wex.ini"). An existing file whose name differs only in case is the same
/// file: `path` then names it with the spelling found on disk.
/// Returns true when the file exists.
bool MakeSettingsPath(std::string& path, std::string_view name);

/// The number at the start of the value (optional "-", decimal digits); 0 when the
/// file, section or key is missing or the value does not start with a number.
/// A number beyond the range of int reads as INT_MAX or INT_MIN.
int ReadSettingInt(const std::string& path, std::string_view section, std::string_view key);

/// The value cut to `size` - 1 bytes, as a reader with a buffer of `size` bytes
/// sees it (a NUL byte in the file also ends it); empty when the file, section or
/// key is missing.
std::string ReadSettingString(const std::string& path, std::string_view section,
                              std::string_view key, std::size_t size);

/// Sets the key, creating the file, section and key as needed; every other byte of
/// the file stays as it was. The value is cut at its first CR, LF or NUL. Names that
/// cannot be stored (empty, with a line break, a key holding "=" or starting with
/// "[") write nothing.
void WriteSettingString(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view value);
void WriteSettingInt(const std::string& path, std::string_view section, std::string_view key,
                     int value);

/// The save-as dialog's filter list as the bootstrap writes it (Shift-JIS bytes of
/// "ﾃｷｽﾄ(*.txt)|*.txt|CGI(*.cgi)|*.cgi|HTML(*.html *.htm)|*.html;*.HTM|すべてのﾌｧｲﾙ(*.*)|*.*||").
inline constexpr std::string_view DEFAULT_FILTER =
    "\xC3\xB7\xBD\xC4"
    "(*.txt)|*.txt|CGI(*.cgi)|*.cgi|HTML(*.html *.htm)|*.html;*.HTM|"
    "\x82\xB7\x82\xD7\x82\xC4\x82\xCC\xCC\xA7\xB2\xD9"
    "(*.*)|*.*||";

/// Creates the settings file in `settingsDirectory` with every default when it does
/// not exist yet.
/// Does nothing to an existing file, even an empty one.
void BootstrapSettings(const std::string& settingsDirectory);
