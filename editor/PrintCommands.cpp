#include "editor/PrintCommands.h"

#include "editor/WEXView.h"
#include "framework/ModalSeam.h"
#include "resources/CommandIds.h"
#include "textview/TextPrinter.h"

#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <memory>

PrintCommands::PrintCommands(CWEXView& view) : m_view(view) {
  using namespace cmd;
  OnCommand(ID_FILE_PRINT, [this](int) { OnFilePrint(true); });
  OnCommand(ID_FILE_PRINT_DIRECT, [this](int) { OnFilePrint(false); });
  OnCommand(ID_FILE_PRINT_PREVIEW, [this](int) { OnFilePrintPreview(); });
}

PrintCommands::~PrintCommands() = default;

QPrinter& PrintCommands::Printer() {
  if (!m_printer) m_printer = std::make_unique<QPrinter>();
  return *m_printer;
}

void PrintCommands::Print(QPrinter& printer) {
  m_view.WaitForWholeText();
  // Margins of 720 twips, half an inch, on every side, and nothing more: no
  // header, footer or page number is added.
  printer.setPageMargins(QMarginsF(0.5, 0.5, 0.5, 0.5), QPageLayout::Inch);
  textview::PrintText(m_view.Buffer(), m_view.font(), printer);
}

void PrintCommands::PrintSetup() {
  QPageSetupDialog dialog(&Printer(), &m_view);
  RunModal(dialog);
}

void PrintCommands::OnFilePrint(bool withDialog) {
  if (withDialog) {
    QPrintDialog dialog(&Printer(), &m_view);
    if (RunModal(dialog) != QDialog::Accepted) return;
  }
  Print(Printer());
}

void PrintCommands::OnFilePrintPreview() {
  QPrintPreviewDialog dialog(&Printer(), &m_view);
  QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &m_view,
                   [this](QPrinter* printer) { Print(*printer); });
  RunModal(dialog);
}
