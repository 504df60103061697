// Markwell.wpi: the exports of the HTML page builder.

#include "plugin_host/wpi.h"
#include "plugins/common/MessageBox.h"
#include "plugins/common/PendingResult.h"
#include "plugins/markwell/MarkwellDialog.h"
#include "plugins/markwell/MarkwellFiles.h"
#include "plugins/markwell/MarkwellPage.h"
#include "plugins/markwell/TemplateLines.h"

namespace {

// Room the host reserves beyond the page.
constexpr std::size_t kSizeSlack = 1024;

wpi::PendingResult g_result;

}  // namespace

int32_t WPI_CALL GetSize(const char* text) {
  return g_result.HoldResultOf(
      [text] {
        const int t = markwell::ReadTemplateNumber();
        const std::string head = markwell::LoadTemplateLine(2 * t);
        const std::string foot = markwell::LoadTemplateLine(2 * t + 1);
        return markwell::BuildPage(text != nullptr ? text : "", head, foot);
      },
      kSizeSlack);
}

int32_t WPI_CALL Transport(char* buffer) { return g_result.TransportTo(buffer); }

int32_t WPI_CALL Option(uintptr_t mainWindow) {
  if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
    return 0;
  }
  try {
    markwell::MarkwellDialog dialog(wpi::FindWindow(mainWindow));
    return dialog.exec();
  } catch (...) {
    return 0;  // no exception may leave an export
  }
}

char* WPI_CALL GetPluginName(char* buffer) { return wpi::CopyPluginName(buffer, "Markwell"); }
