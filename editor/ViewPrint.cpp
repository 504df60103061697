// Printing: print dialog, printing without it, preview and printer setup. One
// printer object keeps what the setup chose for the next print.

#include "editor/WEXView.h"
#include "resources/CommandIds.h"
#include "framework/ModalSeam.h"

#include "textview/TextPrinter.h"

#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <memory>

void CWEXView::RegisterPrintCommands() {
  using namespace cmd;
  OnCommand(ID_FILE_PRINT, [this](int) { OnFilePrint(true); });
  OnCommand(ID_FILE_PRINT_DIRECT, [this](int) { OnFilePrint(false); });
  OnCommand(ID_FILE_PRINT_PREVIEW, [this](int) { OnFilePrintPreview(); });
}

QPrinter& CWEXView::Printer() {
  if (!m_pPrinter) m_pPrinter = std::make_unique<QPrinter>();
  return *m_pPrinter;
}

void CWEXView::Print(QPrinter& printer) {
  WaitForWholeText();
  // Margins of 720 twips, half an inch, on every side, and nothing more: no
  // header, footer or page number is added.
  printer.setPageMargins(QMarginsF(0.5, 0.5, 0.5, 0.5), QPageLayout::Inch);
  textview::PrintText(Buffer(), font(), printer);
}

void CWEXView::PrintSetup() {
  QPageSetupDialog dialog(&Printer(), this);
  RunModal(dialog);
}

void CWEXView::OnFilePrint(bool withDialog) {
  if (withDialog) {
    QPrintDialog dialog(&Printer(), this);
    if (RunModal(dialog) != QDialog::Accepted) return;
  }
  Print(Printer());
}

void CWEXView::OnFilePrintPreview() {
  QPrintPreviewDialog dialog(&Printer(), this);
  connect(&dialog, &QPrintPreviewDialog::paintRequested, this,
          [this](QPrinter* printer) { Print(*printer); });
  RunModal(dialog);
}
