#pragma once
// Appends to a string through a pointer, with room made ahead in steps, so that a
// page is written at the speed of plain stores. Plain C++.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

namespace markwell {

class PageWriter {
 public:
  /// Runs shorter than this are copied as one block of this size.
  static constexpr std::size_t kShortRun = 16;
  /// The longest piece Write takes as a block.
  static constexpr std::size_t kPiece = 8;
  /// How far past the end of what it keeps the writer may write: reserve this much
  /// beyond the longest page, and the page is never moved.
  static constexpr std::size_t kOverrun = kShortRun + kPiece;

  /// Appends to `page`, which holds exactly what was written once the writer is gone.
  explicit PageWriter(std::string& page) : m_page(page), m_out(page.data() + page.size()) {}
  ~PageWriter() { m_page.resize(static_cast<std::size_t>(m_out - m_page.data())); }
  PageWriter(const PageWriter&) = delete;
  PageWriter& operator=(const PageWriter&) = delete;

  /// Copies the bytes from `from` to `to`; up to kShortRun bytes from `from` may be
  /// read as long as they lie before `end`.
  void CopyRun(const unsigned char* from, const unsigned char* to, const unsigned char* end) {
    const auto length = static_cast<std::size_t>(to - from);
    MakeRoom(length);
    if (length < kShortRun && end - from >= static_cast<std::ptrdiff_t>(kShortRun)) {
      std::memcpy(m_out, from, kShortRun);
    } else {
      std::memcpy(m_out, from, length);
    }
    m_out += length;
  }

  /// Writes the first `length` bytes of `piece`. There is room for it after a run.
  void Write(const std::array<char, kPiece>& piece, std::size_t length) {
    std::memcpy(m_out, piece.data(), kPiece);
    m_out += length;
  }

  /// Writes `bytes`, at most kPiece of them. There is room for them after a run.
  void Write(std::string_view bytes) { m_out = std::copy(bytes.begin(), bytes.end(), m_out); }

 private:
  // Room is made this much at a time, so that the zeros it is filled with are
  // still in the cache when the page is written over them.
  static constexpr std::size_t kRoomStep = 64 * 1024;

  // Room for `length` bytes and then a piece, within the capacity where it suffices.
  void MakeRoom(std::size_t length) {
    if (static_cast<std::size_t>(m_end - m_out) < length + kOverrun) {
      const std::size_t used = static_cast<std::size_t>(m_out - m_page.data());
      const std::size_t needed = used + length + kOverrun;
      m_page.resize(std::max(needed, std::min(needed + kRoomStep, m_page.capacity())));
      m_out = m_page.data() + used;
      m_end = m_page.data() + m_page.size();
    }
  }

  std::string& m_page;
  char* m_out;
  char* m_end = m_out;
};

}  // namespace markwell
