// Text entering the view from the user: typing, input-method commits, paste and
// dropped text. It is made what Shift-JIS can hold on the way in, so that the
// view shows exactly what Save writes.

#include "framework/TextBoundary.h"
#include "editor/WEXView.h"
#include "framework/StatusBar.h"

void CWEXView::ReportReplaced(std::size_t count) {
  if (count == 0 || !m_pStatusBar) return;
  m_pStatusBar->SetPaneText(
      0, QString::fromUtf8("Shift-JISにない文字を〓に置き換えました（%1文字）").arg(count));
}

QString CWEXView::Representable(const QString& text) {
  std::size_t replaced = 0;
  QString representable = RepresentableText(text, replaced);
  ReportReplaced(replaced);
  return representable;
}

QString CWEXView::FilterInput(const QString& text) { return Representable(text); }
