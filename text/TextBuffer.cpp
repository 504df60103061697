#include "text/TextBuffer.h"

#include "text/TextStore.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace text {

namespace {

// One change of a step. Of its two texts, the history holds the one that is
// not in the buffer now: the removed text while the step is done, the
// inserted one while it is undone. Undo and Redo trade them with the buffer.
struct Primitive {
  Position begin;
  Position removedEnd;   ///< before the change
  Position insertedEnd;  ///< after it
  store::Content held;
};

struct Step {
  std::vector<Primitive> changes;
  EditKind kind = EditKind::Other;
};

// Appends `run` to `runs`, joined to the last one where it goes on from it.
void AppendRun(std::vector<StoredRun>& runs, const StoredRun& run) {
  if (!runs.empty()) {
    StoredRun& last = runs.back();
    if (last.store == run.store &&
        (run.store == StoredRun::Store::ParagraphEnds || last.start + last.length == run.start)) {
      last.length += run.length;
      return;
    }
  }
  runs.push_back(run);
}

}  // namespace

struct TextBuffer::Impl {
  std::shared_ptr<char16_t[]> file;
  const char16_t* fileData = nullptr;
  std::uint64_t loads = 0;
  std::size_t capacity = 0;
  std::size_t loaded = 0;
  std::u16string added;
  store::Paragraphs paras{fileData, added};

  std::vector<Step> steps;
  std::size_t done = 0;                  ///< steps applied
  std::optional<std::size_t> clean = 0;  ///< where the text is unmodified
  int groupDepth = 0;
  bool groupStepOpen = false;  ///< the open group has its step
  bool mayMerge = false;       ///< the last step may take in the next edit
  std::function<void(const Change&)> listener;

  /// The stored runs of blocks of paragraphs, each kept until a change
  /// reaches it: a record of a large text then walks only what changed.
  static constexpr std::size_t kRunBlock = 4096;
  mutable std::vector<std::optional<std::vector<StoredRun>>> runBlocks;

  void Notify(const Change& change) {
    ForgetRuns(change);
    if (listener) listener(change);
  }
  void ForgetRuns(const Change& change) {
    const std::size_t first = change.begin.paragraph / kRunBlock;
    // A change that adds or removes paragraphs moves every later one.
    if (change.removedEnd.paragraph != change.insertedEnd.paragraph) {
      runBlocks.resize(std::min(runBlocks.size(), first));
      return;
    }
    const std::size_t last =
        std::min(runBlocks.size(), change.insertedEnd.paragraph / kRunBlock + 1);
    for (std::size_t b = first; b < last; ++b) runBlocks[b].reset();
  }
  std::vector<StoredRun> RunsOf(std::size_t from, std::size_t to) const;
  void Record(Primitive change, EditKind kind, bool breaks);
  bool Merge(Primitive& change, EditKind kind);
  void ResetHistory() {
    steps.clear();
    done = 0;
    clean = 0;
    groupStepOpen = false;
    mayMerge = false;
  }
};

// The runs of paragraphs `from` up to `to`, each with its paragraph end but the
// text's last.
std::vector<StoredRun> TextBuffer::Impl::RunsOf(std::size_t from, std::size_t to) const {
  using Store = StoredRun::Store;
  std::vector<StoredRun> runs;
  const std::size_t count = paras.Count();
  for (std::size_t p = from; p < to; ++p) {
    paras.ForEachStoredPiece(p, [&runs](const store::Piece& piece) {
      AppendRun(runs, {piece.added ? Store::Added : Store::Loaded, piece.start, piece.length});
    });
    if (p + 1 == count) break;
    // A paragraph end is mostly the "\n" after the run in its own store.
    if (!runs.empty() && runs.back().store != Store::ParagraphEnds) {
      const StoredRun& last = runs.back();
      const std::uint64_t next = last.start + last.length;
      const std::u16string_view store = last.store == Store::Added
                                            ? std::u16string_view(added)
                                            : std::u16string_view(fileData, loaded);
      if (next < store.size() && store[next] == u'\n') {
        AppendRun(runs, {last.store, next, 1});
        continue;
      }
    }
    AppendRun(runs, {Store::ParagraphEnds, 0, 1});
  }
  return runs;
}

// A run of typing, of Delete or of Backspace is one step, as long as it stays
// within a paragraph and nothing else happened in between.
bool TextBuffer::Impl::Merge(Primitive& change, EditKind kind) {
  if (!mayMerge || done == 0 || kind == EditKind::Other) return false;
  Step& last = steps[done - 1];
  if (last.kind != kind || last.changes.size() != 1) return false;
  Primitive& previous = last.changes.front();
  // A whole text taken out is kept as its index, which does not join others.
  if (previous.held.whole || change.held.whole) return false;
  switch (kind) {
    case EditKind::Typing:
      if (!previous.held.Empty() || !change.held.Empty() || previous.insertedEnd != change.begin)
        return false;
      previous.insertedEnd = change.insertedEnd;
      return true;
    case EditKind::DeleteForward:
      if (change.insertedEnd != change.begin || previous.insertedEnd != previous.begin ||
          previous.begin != change.begin)
        return false;
      for (store::Piece& piece : change.held.parts.front())
        previous.held.parts.front().push_back(piece);
      break;
    case EditKind::DeleteBackward:
      if (change.insertedEnd != change.begin || previous.insertedEnd != previous.begin ||
          change.removedEnd != previous.begin)
        return false;
      for (store::Piece& piece : previous.held.parts.front())
        change.held.parts.front().push_back(piece);
      previous.held.parts.front() = std::move(change.held.parts.front());
      previous.begin = change.begin;
      break;
    case EditKind::Other: return false;
  }
  previous.held.units += change.held.units;
  previous.held.lastLength = previous.held.units;
  previous.removedEnd = previous.held.EndFrom(previous.begin);
  previous.insertedEnd = previous.begin;
  return true;
}

void TextBuffer::Impl::Record(Primitive change, EditKind kind, bool breaks) {
  if (groupDepth > 0 && groupStepOpen) {
    steps[done - 1].changes.push_back(std::move(change));
    return;
  }
  if (!breaks && groupDepth == 0 && Merge(change, kind)) return;
  // A new step: the undone ones are gone, and with them a clean point among them.
  steps.resize(done);
  if (clean && *clean > done) clean.reset();
  Step step;
  step.kind = groupDepth > 0 ? EditKind::Other : kind;
  step.changes.push_back(std::move(change));
  steps.push_back(std::move(step));
  ++done;
  groupStepOpen = groupDepth > 0;
  mayMerge = groupDepth == 0 && !breaks && kind != EditKind::Other;
}

TextBuffer::TextBuffer() : m(std::make_unique<Impl>()) {}
TextBuffer::~TextBuffer() = default;

void TextBuffer::BeginLoad(std::size_t capacity) {
  auto file = std::make_unique_for_overwrite<char16_t[]>(std::max<std::size_t>(capacity, 1));
  const Position oldEnd = End();
  m->paras.Reset();
  m->runBlocks.clear();
  m->file = std::move(file);
  m->fileData = m->file.get();
  ++m->loads;
  m->capacity = capacity;
  m->loaded = 0;
  std::u16string().swap(m->added);
  m->ResetHistory();
  m->Notify({{}, oldEnd, {}});
}

char16_t* TextBuffer::LoadArea() { return m->file.get(); }
std::size_t TextBuffer::Loaded() const { return m->loaded; }

void TextBuffer::CommitLoaded(std::size_t count) {
  count = std::min(count, m->capacity - m->loaded);
  if (count == 0) return;
  const Position oldEnd = End();
  m->paras.AppendFile(m->loaded, count);
  m->loaded += count;
  m->Notify({oldEnd, oldEnd, End()});
}

void TextBuffer::SetText(std::u16string_view text) {
  BeginLoad(text.size());
  std::copy(text.begin(), text.end(), LoadArea());
  CommitLoaded(text.size());
}

std::size_t TextBuffer::ParagraphCount() const { return m->paras.Count(); }
std::size_t TextBuffer::Length(std::size_t paragraph) const { return m->paras.Length(paragraph); }
std::size_t TextBuffer::Size() const { return m->paras.Units(); }

Position TextBuffer::End() const {
  const std::size_t last = ParagraphCount() - 1;
  return {last, Length(last)};
}

Position TextBuffer::Clamp(Position position) const {
  position.paragraph = std::min(position.paragraph, ParagraphCount() - 1);
  position.offset = std::min(position.offset, Length(position.paragraph));
  return position;
}

char16_t TextBuffer::At(Position position) const {
  position = Clamp(position);
  char16_t c = u'\n';
  m->paras.ForEachPiece(position.paragraph, position.offset, position.offset + 1,
                        [&c](const char16_t* text, std::uint64_t) { c = *text; });
  return c;
}

std::optional<std::u16string_view> TextBuffer::Contiguous(std::size_t paragraph) const {
  const store::Paragraph& para = m->paras.Whole().paras[paragraph];
  if (para.HasPieces()) return std::nullopt;
  return std::u16string_view(m->paras.Source({para.start, 0, para.Added()}), para.Length());
}

void TextBuffer::ForEachSpan(Range range,
                             const std::function<void(std::u16string_view)>& visit) const {
  range = {Clamp(range.begin), Clamp(range.end)};
  for (std::size_t p = range.begin.paragraph; p <= range.end.paragraph; ++p) {
    const std::size_t from = p == range.begin.paragraph ? range.begin.offset : 0;
    const std::size_t to = p == range.end.paragraph ? range.end.offset : Length(p);
    m->paras.ForEachPiece(p, from, to, [&visit](const char16_t* text, std::uint64_t length) {
      visit({text, length});
    });
    if (p < range.end.paragraph) visit(u"\n");
  }
}

std::u16string TextBuffer::Text(Range range) const {
  std::u16string text;
  ForEachSpan(range, [&text](std::u16string_view span) { text.append(span); });
  return text;
}

std::uint64_t TextBuffer::LoadNumber() const { return m->loads; }
std::shared_ptr<const char16_t[]> TextBuffer::LoadedText() const { return m->file; }
std::u16string_view TextBuffer::AddedText() const { return m->added; }

std::vector<StoredRun> TextBuffer::StoredRuns() const {
  const std::size_t count = m->paras.Count();
  m->runBlocks.resize((count + Impl::kRunBlock - 1) / Impl::kRunBlock);
  std::vector<StoredRun> runs;
  for (std::size_t b = 0; b < m->runBlocks.size(); ++b) {
    std::optional<std::vector<StoredRun>>& block = m->runBlocks[b];
    if (!block) block = m->RunsOf(b * Impl::kRunBlock, std::min(count, (b + 1) * Impl::kRunBlock));
    for (const StoredRun& run : *block) AppendRun(runs, run);
  }
  return runs;
}

Range TextBuffer::Replace(Range range, std::u16string_view text, EditKind kind) {
  range = {Clamp(range.begin), Clamp(range.end)};
  if (range.end < range.begin) std::swap(range.begin, range.end);
  if (range.Empty() && text.empty()) return range;
  const std::size_t start = m->added.size();
  m->added.append(text);
  store::Content inserted = m->paras.AddedText(start, text.size());
  const bool breaks = inserted.Breaks() > 0 || range.begin.paragraph != range.end.paragraph;
  m->steps.reserve(m->done + 1);
  Primitive change{range.begin, range.end, {}, m->paras.Cut(range)};
  change.insertedEnd = m->paras.Paste(range.begin, std::move(inserted));
  const Change told{change.begin, change.removedEnd, change.insertedEnd};
  m->Record(std::move(change), kind, breaks);
  m->Notify(told);
  return {told.begin, told.insertedEnd};
}

void TextBuffer::BeginGroup() {
  if (m->groupDepth++ == 0) {
    m->groupStepOpen = false;
    m->mayMerge = false;
  }
}

void TextBuffer::EndGroup() {
  if (m->groupDepth == 0 || --m->groupDepth > 0) return;
  m->groupStepOpen = false;
  m->mayMerge = false;
}

bool TextBuffer::CanUndo() const { return m->done > 0; }
bool TextBuffer::CanRedo() const { return m->done < m->steps.size(); }

std::optional<Range> TextBuffer::Undo() {
  if (!CanUndo()) return std::nullopt;
  m->mayMerge = false;
  Step& step = m->steps[--m->done];
  for (auto it = step.changes.rbegin(); it != step.changes.rend(); ++it) {
    Primitive& change = *it;
    store::Content removed = std::move(change.held);
    change.held = m->paras.Cut({change.begin, change.insertedEnd});
    m->paras.Paste(change.begin, std::move(removed));
    m->Notify({change.begin, change.insertedEnd, change.removedEnd});
  }
  const Primitive& first = step.changes.front();
  return Range{first.begin, first.removedEnd};
}

std::optional<Range> TextBuffer::Redo() {
  if (!CanRedo()) return std::nullopt;
  m->mayMerge = false;
  Step& step = m->steps[m->done++];
  for (Primitive& change : step.changes) {
    store::Content inserted = std::move(change.held);
    change.held = m->paras.Cut({change.begin, change.removedEnd});
    m->paras.Paste(change.begin, std::move(inserted));
    m->Notify({change.begin, change.removedEnd, change.insertedEnd});
  }
  const Primitive& last = step.changes.back();
  return Range{last.begin, last.insertedEnd};
}

void TextBuffer::ClearHistory() {
  const bool modified = IsModified();
  m->ResetHistory();
  if (modified) m->clean.reset();
}

bool TextBuffer::IsModified() const { return m->clean != m->done; }

void TextBuffer::SetModified(bool modified) {
  m->mayMerge = false;
  if (modified)
    m->clean.reset();
  else
    m->clean = m->done;
}

void TextBuffer::SetListener(std::function<void(const Change&)> listener) {
  m->listener = std::move(listener);
}

}  // namespace text
