#include "tools/ToolSlots.h"

#include "framework/CmdUI.h"
#include "framework/FrameWnd.h"
#include "framework/ModalSeam.h"
#include "framework/TextBoundary.h"
#include "platform/PathBuffer.h"
#include "resources/CommandIds.h"
#include "settings/SettingsFile.h"
#include "tools/StartProgram.h"
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
// Bytes read of a slot's name for the menu, with the NUL.
constexpr std::size_t kMenuNameBuffer = 64;

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

QPushButton* ToolButton(QToolBar& toolbar, int slot) {
  return toolbar.findChild<QPushButton*>(QString::number(cmd::ID_TOOL_BUTTON_FIRST + slot - 1));
}

}  // namespace

std::string ToolSlots::ReadSlot(ToolField field, int slot, std::size_t buffer) const {
  return m_settings.ReadString(section::kTools, ToolSlotKey(field, slot), buffer);
}

// The command line is stored in Shift-JIS like every setting, while the file system
// spells names in its own encoding, and a Shift-JIS trail byte may be 0x5C, which the
// command-line rules would take for a backslash.
QString ToolSlots::CommandLineText(int slot) const {
  return SjisToText(ReadSlot(ToolField::CommandLine, slot, kPathBufferSize));
}

QIcon DigitIcon(int slot) {
  QIcon icon;
  icon.addPixmap(DrawDigit(slot, 16));
  icon.addPixmap(DrawDigit(slot, 32));
  return icon;
}

QIcon ToolSlots::ToolIcon(int slot) const {
  const QString file = CommandLineText(slot);
  const QIcon icon = file.isEmpty() ? QIcon() : DesktopFileIcon(file);
  return icon.isNull() ? DigitIcon(slot) : icon;
}

void ToolSlots::CreateToolButtons(CFrameWnd& frame, QToolBar& toolbar) const {
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
    QObject::connect(button, &QPushButton::clicked, &frame,
                     [&frame, id] { frame.SendCommand(id); });
  }
  toolbar.addWidget(strip);
  UpdateToolButtonIcons(toolbar);
}

void ToolSlots::UpdateToolButtonIcons(QToolBar& toolbar) const {
  for (int slot = 1; slot <= cmd::TOOL_SLOTS; ++slot)
    if (QPushButton* button = ToolButton(toolbar, slot)) button->setIcon(ToolIcon(slot));
}

void ToolSlots::OnUpdateTool(int slot, CCmdUI& ui) const {
  const std::string name = ReadSlot(ToolField::Name, slot, kMenuNameBuffer);
  ui.SetText(name.empty() ? QStringLiteral("<NONE>") : SjisToText(name));
  ui.Enable(true);
}

void ToolSlots::OnTool(int slot) const {
  const QString line = CommandLineText(slot);
  if (line.isEmpty()) return;
  const std::optional<StartedProgram> started = StartProgram(QFile::encodeName(line).toStdString());
  if (!started) return;  // nothing is reported
  if (m_settings.ReadInt(section::kTools, ToolSlotKey(ToolField::Topmost, slot)) != 1) return;
  // Other window systems give no way to raise another program's window.
  if (QGuiApplication::platformName() != QLatin1String("xcb")) return;
  if (DesktopWindows* windows = X11DesktopWindows()) TopmostStep::Start(*started, *windows);
}

void ToolSlots::OnToolSettings(QWidget* owner, QToolBar& toolbar) {
  {
    CToolSettingsDlg dialog(m_settings, owner);
    dialog.LoadSettings();
    RunModal(dialog);
  }
  UpdateToolButtonIcons(toolbar);
}

void ToolSlots::OnToolButton(int slot, QWidget* owner, QToolBar& toolbar) {
  if (ReadSlot(ToolField::CommandLine, slot, kPathBufferSize).empty())
    OnToolSettings(owner, toolbar);
  else
    OnTool(slot);
}
