#include "tools/ToolSlots.h"

#include "settings/Settings.h"
#include "settings/SettingsDirectory.h"
#include "framework/TextBoundary.h"
#include "framework/CmdUI.h"
#include "resources/CommandIds.h"
#include "framework/FrameWnd.h"
#include "framework/ModalSeam.h"
#include "tools/StartProgram.h"
#include "tools/ToolSettings.h"
#include "tools/ToolSettingsDlg.h"
#include "tools/TopmostStep.h"
#include "tools/X11DesktopWindows.h"

#include <QFile>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QMimeDatabase>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QToolBar>

namespace {

constexpr int kButtonWidth = 23;
constexpr int kButtonHeight = 22;
constexpr int kButtonPitch = 24;

std::string SettingsPath() {
  std::string path = GetSettingsDirectory();
  MakeSettingsPath(path, "Wex.ini");
  return path;
}

std::string ReadSlot(std::string_view stem, int slot, std::size_t buffer) {
  return ReadSettingString(SettingsPath(), TOOLS_SECTION, ToolKey(stem, slot), buffer);
}

QPixmap DrawDigit(int slot, int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  QFont font;
  font.setPixelSize(size * 7 / 8);
  font.setBold(true);
  painter.setFont(font);
  painter.setPen(Qt::black);
  painter.drawText(pixmap.rect(), Qt::AlignCenter, QString::number(slot));
  return pixmap;
}

// The desktop's icon for an existing file: its type's themed icon, else the
// toolkit's icon for files of its kind.
QIcon DesktopFileIcon(const QString& path) {
  const QFileInfo info(path);
  if (!info.exists()) return {};
  const QMimeType type = QMimeDatabase().mimeTypeForFile(info);
  QIcon icon = QIcon::fromTheme(type.iconName(), QIcon::fromTheme(type.genericIconName()));
  return icon.isNull() ? QFileIconProvider().icon(info) : icon;
}

// The slot's command line as text. It is stored in Shift-JIS like every setting,
// while the file system spells names in its own encoding, and a Shift-JIS trail
// byte may be 0x5C, which the command-line rules would take for a backslash.
QString CommandLineText(int slot) { return SjisToText(ReadSlot("file", slot, PATH_BUFFER)); }

QPushButton* ToolButton(QToolBar& toolbar, int slot) {
  return toolbar.findChild<QPushButton*>(QString::number(cmd::ID_TOOL_BUTTON_FIRST + slot - 1));
}

}  // namespace

QIcon DigitIcon(int slot) {
  QIcon icon;
  icon.addPixmap(DrawDigit(slot, 16));
  icon.addPixmap(DrawDigit(slot, 32));
  return icon;
}

QIcon ToolIcon(int slot) {
  const QString file = CommandLineText(slot);
  const QIcon icon = file.isEmpty() ? QIcon() : DesktopFileIcon(file);
  return icon.isNull() ? DigitIcon(slot) : icon;
}

void CreateToolButtons(CFrameWnd& frame, QToolBar& toolbar) {
  // One strip holds the buttons, so that their pitch does not depend on the style.
  auto* strip = new QWidget(&toolbar);
  strip->setFixedSize(kButtonPitch * (cmd::TOOL_SLOTS - 1) + kButtonWidth, kButtonHeight);
  for (int slot = 1; slot <= cmd::TOOL_SLOTS; ++slot) {
    const int id = cmd::ID_TOOL_BUTTON_FIRST + slot - 1;
    auto* button = new QPushButton(strip);
    button->setObjectName(QString::number(id));
    button->setAccessibleName(QString::number(slot));  // its caption, not shown
    button->setGeometry(kButtonPitch * (slot - 1), 0, kButtonWidth, kButtonHeight);
    button->setIconSize(QSize(16, 16));
    button->setFocusPolicy(Qt::NoFocus);
    QObject::connect(button, &QPushButton::clicked, &frame, [&frame, id] { frame.SendCommand(id); });
  }
  toolbar.addWidget(strip);
  UpdateToolButtonIcons(toolbar);
}

void UpdateToolButtonIcons(QToolBar& toolbar) {
  for (int slot = 1; slot <= cmd::TOOL_SLOTS; ++slot)
    if (QPushButton* button = ToolButton(toolbar, slot)) button->setIcon(ToolIcon(slot));
}

void OnUpdateTool(int slot, CCmdUI& ui) {
  const std::string name = ReadSlot("tool", slot, MENU_NAME_BUFFER);
  ui.SetText(name.empty() ? QStringLiteral("<NONE>") : SjisToText(name));
  ui.Enable(true);
}

void OnTool(int slot) {
  const QString line = CommandLineText(slot);
  if (line.isEmpty()) return;
  const std::optional<StartedProgram> started = StartProgram(QFile::encodeName(line).toStdString());
  if (!started) return;  // nothing is reported
  if (ReadSettingInt(SettingsPath(), TOOLS_SECTION, ToolKey("Topmost", slot)) != 1) return;
  // Other window systems give no way to raise another program's window.
  if (QGuiApplication::platformName() != QLatin1String("xcb")) return;
  if (DesktopWindows* windows = X11DesktopWindows())
    TopmostStep::Start(*started, *windows);
}

void OnToolSettings(QWidget* owner, QToolBar& toolbar) {
  {
    CToolSettingsDlg dialog(owner);
    dialog.LoadSettings();
    RunModal(dialog);
  }
  UpdateToolButtonIcons(toolbar);
}

void OnToolButton(int slot, QWidget* owner, QToolBar& toolbar) {
  if (ReadSlot("file", slot, PATH_BUFFER).empty())
    OnToolSettings(owner, toolbar);
  else
    OnTool(slot);
}
