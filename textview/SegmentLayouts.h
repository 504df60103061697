#pragma once
// Paragraphs laid out in segments of at most kSegment code units, each on its
// own, wrapped at one width; the layouts of the segments last asked for are
// kept. A long paragraph therefore costs only the segments near the viewport,
// wherever they are: going to the end of an 8 MB line lays out its last
// segment, not the 8 MB before it. The price: a row always starts at a
// segment's start, so a segment's last row may end short.

#include "text/TextBuffer.h"

#include <QFont>
#include <QTextLayout>

#include <cstdint>
#include <memory>
#include <unordered_map>

namespace textview {

class SegmentLayouts {
 public:
  static constexpr std::size_t kSegment = 4096;

  explicit SegmentLayouts(const text::TextBuffer& buffer) : m_buffer(buffer) {}
  void SetFont(const QFont& font);
  const QFont& Font() const { return m_font; }
  void SetWidth(qreal width);
  qreal Width() const { return m_width; }

  int SegmentCount(std::size_t para) const;
  std::size_t SegmentStart(std::size_t para, int seg) const;
  std::size_t SegmentEnd(std::size_t para, int seg) const;
  int SegmentOf(std::size_t para, std::size_t offset) const;

  /// The layout of segment `seg` of `para`, wrapped at the width; valid until
  /// the next call.
  const QTextLayout& Get(std::size_t para, int seg);
  int Rows(std::size_t para, int seg) { return Get(para, seg).lineCount(); }
  /// A layout made for the caller alone (not kept), e.g. with an input
  /// method's pre-edit text in it.
  std::unique_ptr<QTextLayout> Make(const QString& text, int preeditAt = -1,
                                    const QString& preedit = {},
                                    const QList<QTextLayout::FormatRange>& formats = {}) const;
  /// The text of paragraph `para` changed.
  void Forget(std::size_t para);
  /// The text from paragraph `para` on changed, or moved to other paragraphs.
  void ForgetFrom(std::size_t para);
  void Clear() { m_cache.clear(); }

 private:
  struct Entry {
    std::unique_ptr<QTextLayout> layout;
    std::uint64_t used = 0;
  };
  struct Key {
    std::size_t para;
    int seg;
    bool operator==(const Key&) const = default;
  };
  struct KeyHash {
    std::size_t operator()(const Key& key) const {
      return std::hash<std::size_t>()(key.para * 131 + static_cast<std::size_t>(key.seg));
    }
  };
  void EvictOldest();

  const text::TextBuffer& m_buffer;
  QFont m_font;
  qreal m_width = 100;
  std::unordered_map<Key, Entry, KeyHash> m_cache;
  std::uint64_t m_clock = 0;
};

}  // namespace textview
