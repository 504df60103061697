#include "framework/MessageBox.h"

#include "framework/ModalSeam.h"
#include "resources/Strings.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QScreen>
#include <QWidget>

namespace {

// The box wraps its text at blanks and between Japanese characters, but a long
// path has neither: such a run is cut in its middle, so that the box always
// fits on the screen and both ends of the path stay readable.
QString FitOnScreen(const QString& text, const QFontMetrics& metrics, const QScreen* screen) {
  if (!screen) return text;
  const int widest = screen->availableGeometry().width() / 2;
  static const QRegularExpression run(QStringLiteral("[^\\s]+"));
  QString fitted;
  qsizetype done = 0;
  for (auto it = run.globalMatch(text); it.hasNext();) {
    const QRegularExpressionMatch match = it.next();
    fitted += text.mid(done, match.capturedStart() - done);
    fitted += metrics.horizontalAdvance(match.captured()) > widest
                  ? metrics.elidedText(match.captured(), Qt::ElideMiddle, widest)
                  : match.captured();
    done = match.capturedEnd();
  }
  return fitted + text.mid(done);
}

}  // namespace

QMessageBox::StandardButton ShowMessageBox(QWidget* owner, const QString& text,
                                           const QString& caption,
                                           QMessageBox::StandardButtons buttons,
                                           QMessageBox::Icon icon) {
  QMessageBox box(icon, caption.isEmpty() ? LoadString(IDS_APP_NAME) : caption, QString(), buttons,
                  owner);
  box.setTextFormat(Qt::PlainText);  // a file name such as "<b>.txt" is shown as it is
  box.setText(FitOnScreen(text, box.fontMetrics(),
                          owner ? owner->screen() : QGuiApplication::primaryScreen()));
  if (buttons.testFlag(QMessageBox::Yes) && buttons.testFlag(QMessageBox::No) &&
      !buttons.testFlag(QMessageBox::Cancel))
    box.setEscapeButton(QMessageBox::No);
  return static_cast<QMessageBox::StandardButton>(RunModal(box));
}
