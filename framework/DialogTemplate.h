#pragma once
// Builds a dialog from a template: controls created in template order (which is
// also the tab order), placed in dialog units (a quarter of the font's average
// character width across, an eighth of its height down), each control carrying
// its numeric id as its object name. Group boxes and labels are siblings drawn
// behind the controls they frame, as in the template, so that the radio groups
// are the explicit button groups given here and not implied by parents.

#include <QRect>
#include <QString>

class QButtonGroup;
class QCheckBox;
class QDialog;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

/// A control without an id of its own (labels, group boxes).
constexpr int IDC_STATIC = -1;

class DialogTemplate {
 public:
  /// Gives `dialog` its caption and its client size in dialog units.
  DialogTemplate(QDialog& dialog, const QString& caption, int width, int height);

  /// OK (id 1, default, accepts) and Cancel (id 2, rejects), as templates place them.
  QPushButton* OkButton(int x, int y, int width, int height);
  QPushButton* CancelButton(int x, int y, int width, int height);
  QPushButton* Button(int id, const QString& text, int x, int y, int width, int height);
  QGroupBox* GroupBox(const QString& text, int x, int y, int width, int height);
  QLabel* Static(const QString& text, int x, int y, int width, int height);
  QLineEdit* Edit(int id, int x, int y, int width, int height);
  QCheckBox* CheckBox(int id, const QString& text, int x, int y, int width, int height);
  /// A radio button of `group`; its index in the group is the order of adding.
  QRadioButton* Radio(QButtonGroup& group, int id, const QString& text, int x, int y, int width,
                      int height);

  QRect Rect(int x, int y, int width, int height) const;

 private:
  template <class Widget>
  Widget* Add(Widget* widget, int id, int x, int y, int width, int height);

  QDialog& dialog_;
  int baseX_;
  int baseY_;
};

/// An exclusive button group that may also have no button checked: `index` outside
/// the group's range unchecks every button.
void SetCheckedIndex(QButtonGroup& group, int index);
