#include "app/WindowSystem.h"

#include "platform/X11Window.h"

#include <QGuiApplication>

bool UsesX11() {
  static const bool x11 = [] {
    auto* native = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!native || !native->connection()) return false;
    // Requests about our windows then stay in order with the toolkit's own.
    x11::ShareConnection(native->connection());
    return x11::Available();
  }();
  return x11;
}

bool UsesWayland() { return QGuiApplication::platformName().startsWith(QLatin1String("wayland")); }
