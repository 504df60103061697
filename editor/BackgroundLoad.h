#pragma once
#include "platform/Cp932Codec.h"
#include "platform/FileError.h"

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

class BackgroundConversion;
class CWEXView;
class FileReader;
struct FileText;

// A file's text brought into the view a piece at a time: the first screenful
// at once, the rest from the event loop in slices short enough that the window
// repaints, scrolls and opens its menus meanwhile. Destroying the load ends it
// where it is.
class BackgroundLoad : public QObject {
  Q_OBJECT
 public:
  /// `sjis` is the text (Shift-JIS, paragraph ends as `lineEnds` says), or its
  /// head: when `rest` gives the bytes that follow it, read as they are needed,
  /// or when `conversion` gives the whole text, which starts with the head.
  BackgroundLoad(CWEXView* view, std::string sjis, cp932::LineEnds lineEnds,
                 std::shared_ptr<FileReader> rest = nullptr,
                 std::shared_ptr<BackgroundConversion> conversion = nullptr,
                 QObject* parent = nullptr);
  ~BackgroundLoad() override;

  /// Shows the first screenful and schedules the rest.
  void Start();
  bool IsDone() const { return m_done == m_sjis.size() && !m_rest && !m_conversion; }
  /// Brings in all that is left before returning, for a command that needs the whole text.
  void Complete();

 signals:
  /// How much of the text is in the view, in percent, while the load goes on.
  void Progress(int percent);
  /// The whole text is in the view.
  void Finished();
  /// The whole file's conversion has come, with its format and the characters
  /// it replaced (its text is the load's now).
  void Converted(const FileText& whole);
  /// The rest of the file could not be read: the load has finished with what
  /// came in. Told just before Finished.
  void ReadFailed(FileError error);

 private:
  void QueueSlice();
  void AppendSlice();
  /// Appends the next piece; false when nothing was left, or when the rest is
  /// a conversion still running and `wait` is false.
  bool AppendPiece(std::size_t limit, bool wait);
  /// Takes the whole converted text once the head is in the view; false while
  /// the conversion runs and `wait` is false.
  bool TakeConversion(bool wait);
  /// Puts `sjis` at the end of the view's text.
  void Append(std::string_view sjis);
  /// Reads on until the bytes not yet in the view hold a piece of `limit` bytes
  /// that ends a line, or the file's end.
  void ReadAhead(std::size_t limit);
  int Percent() const;

  QPointer<CWEXView> m_view;
  std::string m_sjis;  ///< the text read and not yet in the view, from m_done
  cp932::LineEnds m_lineEnds;
  std::shared_ptr<FileReader> m_rest;                  ///< null once the file is read to its end
  std::shared_ptr<BackgroundConversion> m_conversion;  ///< null once taken
  std::size_t m_total;                                 ///< the text's bytes, as far as known
  std::size_t m_dropped = 0;                           ///< bytes in the view and gone from m_sjis
  std::size_t m_done = 0;                              ///< bytes of m_sjis already in the view
  std::size_t m_capacity = 0;                          ///< code units the view's text has room for
  bool m_overflowed = false;                           ///< text came in past that room
  FileError m_readError = FileError::None;             ///< why the rest could not be read
  int m_percent = -1;
  QTimer m_nextSlice;
};
