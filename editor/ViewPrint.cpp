// Printing: print dialog, printing without it, preview and printer setup. One
// printer object keeps what the setup chose for the next print.

#include "editor/WEXView.h"
#include "framework/CommandIds.h"
#include "framework/ModalSeam.h"

#include <QAbstractTextDocumentLayout>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTextDocument>
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
  // Margins of 720 twips, half an inch, on every side, and nothing more: a copy
  // of the text laid out at the printer's page size and resolution, without a
  // frame margin, is printed as it is, with no margin or page number added.
  printer.setPageMargins(QMarginsF(0.5, 0.5, 0.5, 0.5), QPageLayout::Inch);
  const std::unique_ptr<QTextDocument> copy(document()->clone());
  copy->documentLayout()->setPaintDevice(&printer);
  copy->setDocumentMargin(0);
  copy->setPageSize(QSizeF(printer.width(), printer.height()));
  copy->print(&printer);
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
