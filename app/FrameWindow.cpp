// The main window as the window manager sees it: where it starts, the rectangle
// it leaves in the settings file, and the always-on-top band.
//
// Sizes and positions here are outer ones, decorations included: the close
// handler stores the frame rectangle, and the start-up placement gives the frame
// that rectangle back. The toolkit can only place the client exactly before the
// window is mapped (the decorations are not known to it yet), so the client's
// rectangle is worked out from the decorations the window manager announces.

#include "app/MainFrame.h"

#include "app/FramePlacement.h"
#include "app/WindowSystem.h"
#include "platform/X11Window.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsKeys.h"

#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QWindow>

namespace {

constexpr int kFrameExtentsWaitMs = 500;

}  // namespace

QMargins CMainFrame::ExpectedFrameMargins() {
  winId();  // the native window, so that the decorations can be known before mapping
  if (UsesX11()) {
    const std::optional<x11::FrameExtents> extents =
        x11::RequestFrameExtents(winId(), kFrameExtentsWaitMs);
    return extents ? QMargins(extents->left, extents->top, extents->right, extents->bottom)
                   : QMargins();
  }
  return windowHandle()->frameMargins();
}

void CMainFrame::ApplyStartupPlacement() {
  const auto read = [this](std::string_view name) {
    return m_settings.ReadInt(section::kSetting, name);
  };
  using namespace key;
  const PlacementSettings stored{read(kSize),  read(kPosition), read(kSizeX),
                                 read(kSizeY), read(kPosX),     read(kPosY)};
  const QSize screen = QGuiApplication::primaryScreen()->size();
  const StartupPlacement placement =
      ComputeStartupPlacement(stored, screen.width(), screen.height());
  // A stored size is used as it is, even below what the bars would ask for.
  layout()->setSizeConstraint(QLayout::SetNoConstraint);
  if (!placement.size && !placement.position) return;
  const QMargins frame = ExpectedFrameMargins();
  if (placement.size)
    resize(placement.size->width - frame.left() - frame.right(),
           placement.size->height - frame.top() - frame.bottom());
  if (placement.position) {
    if (!placement.size) adjustSize();  // the toolkit's own size, chosen now to place the client
    // The client's place inside the frame that is to start at the stored corner.
    setGeometry(QRect(
        QPoint(placement.position->x + frame.left(), placement.position->y + frame.top()), size()));
  }
}

void CMainFrame::SaveWindowRectangle() {
  const QRect outer = frameGeometry();
  using namespace key;
  if (m_settings.ReadInt(section::kSetting, kSize) == 2) {
    m_settings.WriteInt(section::kSetting, kSizeX, outer.width());
    m_settings.WriteInt(section::kSetting, kSizeY, outer.height());
  }
  if (m_settings.ReadInt(section::kSetting, kPosition) == 2) {
    m_settings.WriteInt(section::kSetting, kPosX, outer.x());
    m_settings.WriteInt(section::kSetting, kPosY, outer.y());
  }
}

bool CMainFrame::CanKeepAbove() { return !UsesWayland(); }

bool CMainFrame::IsAlwaysOnTop() const {
  // The compositor keeps no window above the others and says nothing of it.
  if (UsesWayland()) return false;
  if (UsesX11())
    if (std::optional<bool> above = x11::IsAbove(winId())) return *above;
  return windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

void CMainFrame::OnToggleAlwaysOnTop() { SetAlwaysOnTop(m_alwaysOnTop == 0); }

void CMainFrame::SetAlwaysOnTop(bool on) {
  // The toolkit's hint would only re-create the window, which loses its place.
  if (!CanKeepAbove()) return;
  if (UsesX11() && x11::SetAbove(winId(), on)) return;
  // The toolkit's hint re-creates the native window, which hides it: show it
  // again where it was.
  const QRect where = geometry();
  const bool shown = isVisible();
  setWindowFlag(Qt::WindowStaysOnTopHint, on);
  setGeometry(where);
  if (shown) show();
}
