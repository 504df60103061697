#pragma once
#include "platform/Cp932Codec.h"

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <cstddef>
#include <string>

class CWEXView;

// A file's text brought into the view a piece at a time: the first screenful
// at once, the rest from the event loop in slices short enough that the window
// repaints, scrolls and opens its menus meanwhile. Destroying the load ends it
// where it is.
class BackgroundLoad : public QObject {
  Q_OBJECT
 public:
  /// `sjis` is the whole text (Shift-JIS, paragraph ends as `lineEnds` says).
  BackgroundLoad(CWEXView* view, std::string sjis, cp932::LineEnds lineEnds,
                 QObject* parent = nullptr);
  ~BackgroundLoad() override;

  /// Shows the first screenful and schedules the rest.
  void Start();
  bool IsDone() const { return m_done == m_sjis.size(); }
  /// Brings in all that is left before returning, for a command that needs the whole text.
  void Complete();

 signals:
  /// How much of the text is in the view, in percent, while the load goes on.
  void Progress(int percent);
  /// The whole text is in the view.
  void Finished();

 private:
  void QueueSlice();
  void AppendSlice();
  /// Appends the next piece; false when nothing was left.
  bool AppendPiece(std::size_t limit);

  QPointer<CWEXView> m_view;
  std::string m_sjis;
  cp932::LineEnds m_lineEnds;
  std::size_t m_done = 0;  ///< bytes of m_sjis already in the view
  int m_percent = -1;
  QTimer m_nextSlice;
};
