#pragma once
// Lays out paragraphs in segments of at most kSegment code units, each on its own,
// and keeps the layouts of the segments last asked for. A long paragraph therefore
// costs only the segments near the viewport, wherever they are: going to the end
// of an 8 MB line lays out its last segment, not the 8 MB before it. The price:
// a row always starts at a segment's start, so a segment's last row may end short.

#include <QFont>
#include <QTextLayout>

#include <cstdint>
#include <memory>
#include <unordered_map>

class TextBuffer;

class SegmentLayouts {
 public:
  static constexpr qsizetype kSegment = 4096;

  explicit SegmentLayouts(const TextBuffer& buffer) : m_buffer(buffer) {}
  void SetFont(const QFont& font);
  void SetWidth(qreal width);

  int SegmentCount(int para) const;
  qsizetype SegmentStart(int para, int seg) const;
  int SegmentOf(int para, qsizetype offset) const;

  /// The layout of segment `seg` of `para`, wrapped at the width.
  const QTextLayout& Get(int para, int seg);
  int Rows(int para, int seg) { return Get(para, seg).lineCount(); }
  /// The text of `para` changed from segment `seg` on.
  void Forget(int para, int seg = 0);
  void Clear() { m_cache.clear(); }

 private:
  struct Entry {
    std::unique_ptr<QTextLayout> layout;
    std::uint64_t used;
  };
  static std::uint64_t Key(int para, int seg) {
    return (std::uint64_t(std::uint32_t(para)) << 32) | std::uint32_t(seg);
  }
  void EvictOldest();

  const TextBuffer& m_buffer;
  QFont m_font;
  qreal m_width = 100;
  std::unordered_map<std::uint64_t, Entry> m_cache;
  std::uint64_t m_clock = 0;
};
