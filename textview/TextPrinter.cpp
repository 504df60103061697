#include "textview/TextPrinter.h"

#include <QFont>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextLayout>

namespace textview {

namespace {

// Long paragraphs are laid out in pieces, so no layout holds megabytes. A
// piece ends after a blank near its end where there is one, so that no word is
// parted at the piece's edge.
constexpr std::size_t kPiece = 4096;
constexpr std::size_t kBlankSearch = 256;

std::size_t PieceEnd(const text::TextBuffer& buffer, std::size_t paragraph, std::size_t start) {
  const std::size_t length = buffer.Length(paragraph);
  const std::size_t end = start + kPiece;
  if (end >= length) return length;
  for (std::size_t at = end; at > end - kBlankSearch; --at)
    if (QChar::isSpace(buffer.At({paragraph, at - 1}))) return at;
  const char16_t last = buffer.At({paragraph, end - 1});
  return last >= 0xD800 && last < 0xDC00 ? end - 1 : end;  // never between a pair's halves
}

}  // namespace

bool PrintText(const text::TextBuffer& buffer, const QFont& font, QPagedPaintDevice& device) {
  QPainter painter;
  if (!painter.begin(&device)) return false;
  const QRectF page = device.pageLayout().paintRectPixels(device.logicalDpiX());
  const QFont printed(font, &device);
  QTextOption option;
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  // The screen's tab stops of 80 pixels, at the device's resolution.
  option.setTabStopDistance(80.0 * device.logicalDpiX() / 96.0);
  painter.setFont(printed);
  qreal y = 0;
  for (std::size_t p = 0; p < buffer.ParagraphCount(); ++p) {
    std::size_t start = 0;
    do {
      const std::size_t end = PieceEnd(buffer, p, start);
      QTextLayout layout(QString::fromStdU16String(buffer.Text({{p, start}, {p, end}})), printed,
                         &device);
      layout.setTextOption(option);
      layout.beginLayout();
      qreal lineY = 0;
      for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(page.width());
        line.setPosition({0, lineY});
        lineY += line.height();
      }
      layout.endLayout();
      for (int i = 0; i < layout.lineCount(); ++i) {
        const QTextLine line = layout.lineAt(i);
        // A row never parts between two pages.
        if (y > 0 && y + line.height() > page.height()) {
          device.newPage();
          y = 0;
        }
        line.draw(&painter, {0, y - line.y()});
        y += line.height();
      }
      start = end;
    } while (start < buffer.Length(p));
  }
  return painter.end();
}

}  // namespace textview
