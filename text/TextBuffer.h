#pragma once
// The editor's text: paragraphs over two stores that never change once written.
// The file's text is decoded once into one area reserved at its size (only the
// pages written become memory); everything typed, pasted or put in by a
// whole-text change goes to an append store. A paragraph nobody edited is one
// span of the file's text; an edited one is a short list of pieces of its own.
// An edit therefore costs the same in an 8 MB line as in an empty one, and the
// history keeps references to pieces, never copies of the text. Plain C++.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace text {

/// A place in the text: a paragraph and a code-unit offset into it.
struct Position {
  std::size_t paragraph = 0;
  std::size_t offset = 0;
  bool operator==(const Position&) const = default;
  bool operator<(const Position& other) const {
    return paragraph != other.paragraph ? paragraph < other.paragraph : offset < other.offset;
  }
  bool operator>(const Position& other) const { return other < *this; }
  bool operator<=(const Position& other) const { return !(other < *this); }
  bool operator>=(const Position& other) const { return !(*this < other); }
};

/// From `begin` up to `end`, `begin` <= `end`.
struct Range {
  Position begin;
  Position end;
  bool Empty() const { return begin == end; }
  bool operator==(const Range&) const = default;
};

/// What an edit is, for merging it into the step before it in the history, as
/// a text control does: a run of typing, of Delete or of Backspace is one step.
enum class EditKind {
  Other,           ///< a step of its own (paste, drop, replace, whole-text change)
  Typing,          ///< merges with a Typing step that ends where it starts
  DeleteForward,   ///< merges with a DeleteForward step removed at the same place
  DeleteBackward,  ///< merges with a DeleteBackward step that began where it ends
};

/// One primitive change, told to the listener after it is made (also for each
/// change an Undo or Redo makes): the text from `begin` up to `removedEnd` (in
/// the coordinates before the change) became the text from `begin` up to
/// `insertedEnd` (after it).
struct Change {
  Position begin;
  Position removedEnd;
  Position insertedEnd;
};

/// Where a stretch of the text is stored: `length` code units from `start` of
/// the loaded text or of the added text (see TextBuffer::StoredRuns), or
/// `length` paragraph ends stored in neither.
struct StoredRun {
  enum class Store : unsigned char { Loaded, Added, ParagraphEnds };
  Store store = Store::Loaded;
  std::uint64_t start = 0;
  std::uint64_t length = 0;
  bool operator==(const StoredRun&) const = default;
};

class TextBuffer {
 public:
  /// One empty paragraph, no history, not modified.
  TextBuffer();
  ~TextBuffer();
  TextBuffer(const TextBuffer&) = delete;
  TextBuffer& operator=(const TextBuffer&) = delete;

  // --- A whole text put in, as a file's text is: no history, not modified.

  /// Empties the text and the history and reserves `capacity` code units for the
  /// text to come through LoadArea() and CommitLoaded(). Throws std::bad_alloc
  /// when the room cannot be reserved (the text is then empty).
  void BeginLoad(std::size_t capacity);
  /// Where the text to come is written, in order, from index Loaded() on; it
  /// may be written from another thread while this one reads the text.
  char16_t* LoadArea();
  std::size_t Loaded() const;
  /// Takes the next `count` code units written into LoadArea() at the end of the
  /// text; each "\n" among them ends a paragraph. Loaded() + `count` must not
  /// pass the capacity.
  void CommitLoaded(std::size_t count);
  /// BeginLoad, the whole of `text` written and committed.
  void SetText(std::u16string_view text);

  // --- Reading

  std::size_t ParagraphCount() const;
  std::size_t Length(std::size_t paragraph) const;
  /// Code units, each paragraph end counting one.
  std::size_t Size() const;
  bool IsEmpty() const { return Size() == 0; }
  Position End() const;
  Range Whole() const { return {Position{}, End()}; }
  /// `position` moved into the text: paragraph and offset clamped.
  Position Clamp(Position position) const;

  char16_t At(Position position) const;
  /// The paragraph's text when it is stored in one span (valid until the next
  /// change); nothing when it is in pieces.
  std::optional<std::u16string_view> Contiguous(std::size_t paragraph) const;
  /// The text of `range`, paragraph ends as "\n".
  std::u16string Text(Range range) const;
  /// Calls `visit` with the text of `range` in order, as the spans it is stored
  /// in, each paragraph end as a span "\n"; for streaming the text out without
  /// copying it. The spans are valid during the call.
  void ForEachSpan(Range range, const std::function<void(std::u16string_view)>& visit) const;

  // --- The two stores, for keeping a copy of the text elsewhere by its changes
  // alone: what was loaded never changes and what was added only grows, so
  // the text is always runs of them.

  /// Counts the loads (BeginLoad): the stores below are new with each.
  std::uint64_t LoadNumber() const;
  /// The text put in by the last load, Loaded() code units of it, "\n" ending
  /// paragraphs; it never changes, so it may be read from any thread, and it
  /// lives as long as someone holds it.
  std::shared_ptr<const char16_t[]> LoadedText() const;
  /// Everything added since the last load, in order; it only grows.
  std::u16string_view AddedText() const;
  /// The whole text as runs of the two stores, neighbours joined.
  std::vector<StoredRun> StoredRuns() const;

  // --- Editing: each change is a step of the history, or part of one.

  /// Replaces `range` (clamped) with `text`, where "\n" ends a paragraph; returns
  /// where `text` now is. Throws std::bad_alloc with the text unchanged.
  Range Replace(Range range, std::u16string_view text, EditKind kind = EditKind::Other);
  Range Insert(Position at, std::u16string_view text, EditKind kind = EditKind::Other) {
    return Replace({at, at}, text, kind);
  }
  void Remove(Range range, EditKind kind = EditKind::Other) { Replace(range, {}, kind); }

  /// The edits until the matching EndGroup are one step (groups nest).
  void BeginGroup();
  void EndGroup();

  bool CanUndo() const;
  bool CanRedo() const;
  /// Takes back the last step; returns where its old text now is (empty range
  /// when that was nothing), or nothing when there was no step.
  std::optional<Range> Undo();
  /// Makes the step undone last again; returns where its new text is.
  std::optional<Range> Redo();
  void ClearHistory();

  /// Whether the text differs from the point last marked unmodified: Undo and
  /// Redo back to that point make it unmodified again.
  bool IsModified() const;
  /// false marks the present point unmodified (and ends any merging into the
  /// step before); true makes the text modified until the next SetModified(false).
  void SetModified(bool modified);

  /// Called after each change; one at a time.
  void SetListener(std::function<void(const Change&)> listener);

 private:
  struct Impl;
  std::unique_ptr<Impl> m;
};

}  // namespace text
