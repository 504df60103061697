#include "editor/FontCommands.h"

#include "editor/FontUnits.h"
#include "editor/WEXView.h"
#include "framework/ModalSeam.h"
#include "framework/TextBoundary.h"
#include "framework/WaitCursor.h"
#include "resources/CommandIds.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsKeys.h"

#include <QFontDatabase>
#include <QFontDialog>

namespace {

constexpr int SHIFTJIS_CHARSET = 128;
constexpr std::size_t kFaceNameSize = 32;  // bytes with the NUL

// Faces for Japanese text that a Linux desktop has, tried after the chosen face
// (which may be a face of another system that does not exist here).
const QStringList& JapaneseFallbacks() {
  static const QStringList faces = {"Noto Sans Mono CJK JP", "Noto Sans CJK JP", "IPAGothic",
                                    "VL Gothic", "TakaoGothic"};
  return faces;
}

bool SupportsJapanese(const QString& family) {
  return QFontDatabase::writingSystems(family).contains(QFontDatabase::Japanese);
}

QFont MakeFont(QFont font, const FontCommands::CharFormat& cf) {
  if (cf.height > 0) font.setPointSizeF(cf.height / 20.0);
  QStringList families;
  if (!cf.faceName.empty())
    families << SjisToText(cf.faceName);
  else
    families << font.family();
  if (cf.charSet == SHIFTJIS_CHARSET) families << JapaneseFallbacks();
  font.setFamilies(families);
  // Kana, kanji and Latin need no shaping to be legible; without it a long
  // paragraph is laid out in a fraction of the time.
  font.setStyleStrategy(QFont::PreferNoShaping);
  return font;
}

// The face name cut to what the settings keep, never inside a two-byte character.
std::string FaceNameBytes(const QString& family) {
  std::string bytes = TextToSjis(family);
  std::size_t end = 0;
  for (std::size_t i = 0; i < bytes.size();) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    const std::size_t n = ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC)) ? 2 : 1;
    if (i + n > kFaceNameSize - 1) break;
    i += n;
    end = i;
  }
  bytes.resize(end);
  return bytes;
}

}  // namespace

FontCommands::FontCommands(CWEXView& view, SettingsFile& settings)
    : m_view(view), m_settings(settings) {
  OnCommand(cmd::ID_FONT, [this](int) { OnFont(); });
  m_cf.faceName = FaceNameBytes(m_view.font().family());
  if (const int height = m_settings.ReadInt(section::kFont, key::kHeight)) m_cf.height = height;
  if (const int charSet = m_settings.ReadInt(section::kFont, key::kCharSet))
    m_cf.charSet = charSet & 0xFF;
  const std::string face = m_settings.ReadString(section::kFont, key::kFaceName, kFaceNameSize);
  if (!face.empty()) m_cf.faceName = face;
  ApplyCharFormat();
}

void FontCommands::ApplyCharFormat() {
  CWaitCursor wait;
  // The widget's font is the whole text's: neither selection nor undo history
  // nor the modified flag is touched.
  m_view.setFont(MakeFont(m_view.font(), m_cf));
}

void FontCommands::OnFont() {
  const int ppi = m_view.logicalDpiY();
  QFont initial = MakeFont(m_view.font(), m_cf);
  const int cell = DialogCellHeight(m_settings.ReadInt(section::kFont, key::kHeight), ppi);
  if (cell > 0) initial.setPointSizeF(cell * 72.0 / ppi);
  QFontDialog dialog(initial, &m_view);
  dialog.setOption(QFontDialog::DontUseNativeDialog);
  if (RunModal(dialog) != QDialog::Accepted) return;

  CWaitCursor wait;
  const QFont chosen = dialog.currentFont();
  const double points =
      chosen.pointSizeF() > 0 ? chosen.pointSizeF() : chosen.pixelSize() * 72.0 / ppi;
  m_cf.height = TwipsFromChosenHeight(ChosenCharHeight(points, ppi), ppi);
  m_cf.charSet = SupportsJapanese(chosen.family()) ? SHIFTJIS_CHARSET : 0;
  m_cf.faceName = FaceNameBytes(chosen.family());
  ApplyCharFormat();
  m_settings.WriteInt(section::kFont, key::kHeight, m_cf.height);
  m_settings.WriteInt(section::kFont, key::kCharSet, m_cf.charSet);
  m_settings.WriteString(section::kFont, key::kFaceName, m_cf.faceName);
}
