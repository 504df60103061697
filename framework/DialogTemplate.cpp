#include "framework/DialogTemplate.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialog>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

namespace {

// A group box drawn as dialog templates draw it: the frame's top edge runs through
// the middle of the title, so controls placed just below the title clear the frame.
class TemplateGroupBox : public QGroupBox {
 public:
  using QGroupBox::QGroupBox;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    const QFontMetrics metrics(font());
    const int indent = metrics.averageCharWidth();
    const QRect frame = rect().adjusted(0, metrics.height() / 2, -1, -1);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(frame);
    const QRect band(indent, 0, metrics.horizontalAdvance(title()) + indent, metrics.height());
    painter.fillRect(band, palette().color(QPalette::Window));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(band, Qt::AlignCenter, title());
  }
};

}  // namespace

DialogTemplate::DialogTemplate(QDialog& dialog, const QString& caption, int width, int height)
    : dialog_(dialog) {
  const QFontMetrics metrics(dialog.font());
  // The average width of the Latin letters, as dialog templates measure it. The
  // Japanese texts were fitted to a proportional font with narrow kana; with the
  // full-width kana of the desktop's CJK fonts a unit grows until they fit too.
  const QString alphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
  const int latin = (metrics.horizontalAdvance(alphabet) / 26 + 1) / 2;
  const int kana = (metrics.horizontalAdvance(QStringLiteral("あ")) * 2 + 2) / 3;
  baseX_ = std::max(latin, kana);
  baseY_ = metrics.height();
  dialog.setWindowTitle(caption);
  // A modal frame: a caption with a close button, not resizable.
  dialog.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                        Qt::WindowCloseButtonHint);
  dialog.setFixedSize(Rect(0, 0, width, height).size());
}

QRect DialogTemplate::Rect(int x, int y, int width, int height) const {
  return {x * baseX_ / 4, y * baseY_ / 8, width * baseX_ / 4, height * baseY_ / 8};
}

template <class Widget>
Widget* DialogTemplate::Add(Widget* widget, int id, int x, int y, int width, int height) {
  if (id != IDC_STATIC) widget->setObjectName(QString::number(id));
  widget->setGeometry(Rect(x, y, width, height));
  return widget;
}

QPushButton* DialogTemplate::OkButton(int x, int y, int width, int height) {
  QPushButton* ok = Button(1, QStringLiteral("OK"), x, y, width, height);
  ok->setDefault(true);
  QObject::connect(ok, &QPushButton::clicked, &dialog_, &QDialog::accept);
  return ok;
}

QPushButton* DialogTemplate::CancelButton(int x, int y, int width, int height) {
  QPushButton* cancel = Button(2, QStringLiteral("ｷｬﾝｾﾙ"), x, y, width, height);
  QObject::connect(cancel, &QPushButton::clicked, &dialog_, &QDialog::reject);
  return cancel;
}

QPushButton* DialogTemplate::Button(int id, const QString& text, int x, int y, int width,
                                    int height) {
  // Auto-default, as in any dialog: Enter presses the button that has the focus.
  return Add(new QPushButton(text, &dialog_), id, x, y, width, height);
}

QGroupBox* DialogTemplate::GroupBox(const QString& text, int x, int y, int width, int height) {
  auto* box = Add(new TemplateGroupBox(text, &dialog_), IDC_STATIC, x, y, width, height);
  // Drawn behind the controls it frames, never in their way.
  box->lower();
  box->setAttribute(Qt::WA_TransparentForMouseEvents);
  return box;
}

QLabel* DialogTemplate::Static(const QString& text, int x, int y, int width, int height) {
  return Add(new QLabel(text, &dialog_), IDC_STATIC, x, y, width, height);
}

QLineEdit* DialogTemplate::Edit(int id, int x, int y, int width, int height) {
  return Add(new QLineEdit(&dialog_), id, x, y, width, height);
}

QCheckBox* DialogTemplate::CheckBox(int id, const QString& text, int x, int y, int width,
                                    int height) {
  return Add(new QCheckBox(text, &dialog_), id, x, y, width, height);
}

QRadioButton* DialogTemplate::Radio(QButtonGroup& group, int id, const QString& text, int x, int y,
                                    int width, int height) {
  auto* radio = Add(new QRadioButton(text, &dialog_), id, x, y, width, height);
  group.addButton(radio, static_cast<int>(group.buttons().size()));
  return radio;
}

void SetCheckedIndex(QButtonGroup& group, int index) {
  // An exclusive group refuses to uncheck its last checked button.
  group.setExclusive(false);
  for (QAbstractButton* button : group.buttons()) button->setChecked(group.id(button) == index);
  group.setExclusive(true);
}
