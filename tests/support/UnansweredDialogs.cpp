#include "tests/support/UnansweredDialogs.h"

#include "framework/ModalSeam.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

namespace {

// Long enough for a test's own timer to answer the window it expects.
constexpr int kGraceMs = 3000;

void ReportUnanswered(const QString& caption, const QString& text) {
  ADD_FAILURE() << "a dialog appeared without a scripted answer: caption \""
                << caption.toStdString() << "\", text \"" << text.toStdString() << "\"";
}

void WatchModalWindows() {
  static QPointer<QWidget> watched;
  static QElapsedTimer since;
  auto* timer = new QTimer(QApplication::instance());
  QObject::connect(timer, &QTimer::timeout, [] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal != watched) {
      watched = modal;
      since.start();
      return;
    }
    if (!modal || !modal->isVisible() || since.elapsed() < kGraceMs) return;
    const auto* box = qobject_cast<QMessageBox*>(modal);
    ReportUnanswered(modal->windowTitle(), box ? box->text() : QString());
    if (auto* dialog = qobject_cast<QDialog*>(modal))
      dialog->reject();
    else
      modal->close();
    watched = nullptr;
  });
  timer->start(100);
}

}  // namespace

void FailTestsOnUnansweredDialogs() {
  SetUnansweredDialogHandler(&ReportUnanswered);
  WatchModalWindows();
}
