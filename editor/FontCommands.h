#pragma once
#include "framework/CmdTarget.h"

#include <string>

class CWEXView;
class SettingsFile;

// The view's font: read from section "font" when the view is made, and the font
// dialog that changes it and writes it back.
class FontCommands : public CCmdTarget {
 public:
  /// The view's font as the settings file keeps it.
  struct CharFormat {
    std::string faceName;  // Shift-JIS, at most 31 bytes; empty: the control's default
    int charSet = 0;       // 128: a Japanese font
    int height = 0;        // twips; 0: the control's default
  };

  /// Gives `view` the font that `settings` name.
  FontCommands(CWEXView& view, SettingsFile& settings);

  const CharFormat& GetCharFormat() const { return m_cf; }

 private:
  /// Shows the whole text in the chosen font; selection and modified flag stay.
  void ApplyCharFormat();
  void OnFont();

  CWEXView& m_view;
  SettingsFile& m_settings;
  CharFormat m_cf;
};
