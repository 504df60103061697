// The four exports of a plug-in without settings, over what TextFilter.h declares.

#include "plugin_host/wpi.h"
#include "plugins/common/MessageBox.h"
#include "plugins/common/PendingResult.h"
#include "plugins/common/TextFilter.h"

namespace {
wpi::PendingResult g_result;
}

int32_t WPI_CALL GetSize(const char* text) {
  return g_result.HoldResultOf(
      [text] { return wpi::filter::Transform(text != nullptr ? text : ""); });
}

int32_t WPI_CALL Transport(char* buffer) { return g_result.TransportTo(buffer); }

int32_t WPI_CALL Option(uintptr_t mainWindow) {
  try {
    return wpi::ShowMessage(wpi::FindWindow(mainWindow),
                            QString::fromUtf8(wpi::filter::kDisplayName),
                            QString::fromUtf8(wpi::filter::kOptionMessage));
  } catch (...) {
    return 0;  // no exception may leave an export
  }
}

char* WPI_CALL GetPluginName(char* buffer) {
  return wpi::CopyPluginName(buffer, wpi::filter::kDisplayName);
}
