#pragma once
#include "framework/CmdTarget.h"

#include <memory>

class CWEXView;
class QPrinter;

// Printing the view's text: the print dialog, printing without it, preview and
// printer setup. One printer object keeps what the setup chose for the next print.
class PrintCommands : public CCmdTarget {
 public:
  explicit PrintCommands(CWEXView& view);
  ~PrintCommands() override;

  void Print(QPrinter& printer);
  void PrintSetup();

 private:
  void OnFilePrint(bool withDialog);
  void OnFilePrintPreview();
  QPrinter& Printer();

  CWEXView& m_view;
  std::unique_ptr<QPrinter> m_printer;
};
