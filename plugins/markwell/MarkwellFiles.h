#pragma once
// Where Markwell keeps its choice and its templates: the settings file "Wex.ini"
// (section "Markwell", key "Template") and "wpi.dat", both in the running program's
// settings directory, whichever directory the plug-in itself was loaded from. Both are
// found through settings/SettingsDirectory.h, as the program finds them.

#include <string>

namespace markwell {

inline constexpr int kTemplateCount = 6;

std::string DataFilePath();

/// The chosen template, 0..5; a stored value outside that range counts as 0.
int ReadTemplateNumber();

void WriteTemplateNumber(int t);

}  // namespace markwell
