#include "framework/StatusBar.h"

#include <QFontMetrics>
#include <QLabel>

CStatusBar::CStatusBar(QWidget* parent) : QStatusBar(parent) { setSizeGripEnabled(true); }

void CStatusBar::SetIndicators(const std::vector<int>& ids,
                               const std::vector<QString>& widthTexts) {
  ids_ = ids;
  for (std::size_t i = 0; i < ids.size(); ++i) {
    auto* pane = new QLabel(this);
    if (i == 0) {
      addWidget(pane, 1);
    } else {
      pane->setFrameShape(QFrame::Panel);
      pane->setFrameShadow(QFrame::Sunken);
      pane->setAlignment(Qt::AlignCenter);
      const QString sample = i - 1 < widthTexts.size() ? widthTexts[i - 1] : QString();
      pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(sample) + 8);
      addPermanentWidget(pane);
    }
    panes_.push_back(pane);
  }
}

int CStatusBar::CommandToIndex(int id) const {
  for (std::size_t i = 0; i < ids_.size(); ++i)
    if (ids_[i] == id) return static_cast<int>(i);
  return -1;
}

void CStatusBar::SetPaneText(int index, const QString& text) {
  if (index >= 0 && index < PaneCount()) panes_[static_cast<std::size_t>(index)]->setText(text);
}

QString CStatusBar::GetPaneText(int index) const {
  return index >= 0 && index < PaneCount() ? panes_[static_cast<std::size_t>(index)]->text()
                                           : QString();
}
