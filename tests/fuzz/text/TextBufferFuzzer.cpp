// Any run of loads, edits, groups, saves, Undo and Redo leaves the buffer's
// text what the same edits give on a plain string; Undo and Redo only ever
// return to texts the edits went through, in order, and the modified flag is
// clear exactly at the text last marked unmodified. The stored runs always
// spell the text out of the two stores.
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "text/TextBuffer.h"

namespace {

struct Input {
  const std::uint8_t* data;
  std::size_t size;
  std::uint8_t Next() { return size == 0 ? 0 : (--size, *data++); }
  std::u16string Text() {
    static constexpr char16_t kUnits[] = u"ab\nあ\U0001F600 ";
    std::u16string text(Next() % 6, u'\0');
    for (char16_t& c : text) c = kUnits[Next() % (std::size(kUnits) - 1)];
    return text;
  }
};

void Check(bool ok) {
  if (!ok) std::abort();
}

text::Position At(const std::u16string& text, std::size_t offset) {
  text::Position at;
  for (std::size_t i = 0; i < offset; ++i) {
    if (text[i] == u'\n') {
      ++at.paragraph;
      at.offset = 0;
    } else {
      ++at.offset;
    }
  }
  return at;
}

std::u16string TextOfRuns(const text::TextBuffer& buffer) {
  using Store = text::StoredRun::Store;
  const std::u16string_view loaded(buffer.LoadedText().get(), buffer.Loaded());
  const std::u16string_view added = buffer.AddedText();
  std::u16string text;
  for (const text::StoredRun& run : buffer.StoredRuns()) {
    Check(run.length > 0);
    if (run.store == Store::ParagraphEnds) {
      text.append(run.length, u'\n');
      continue;
    }
    const std::u16string_view store = run.store == Store::Loaded ? loaded : added;
    Check(run.start + run.length <= store.size());
    text.append(store.substr(run.start, run.length));
  }
  return text;
}

void CheckSame(const text::TextBuffer& buffer, const std::u16string& model) {
  Check(buffer.Text(buffer.Whole()) == model);
  Check(TextOfRuns(buffer) == model);
  Check(buffer.Size() == model.size());
  std::size_t paragraphs = 1, start = 0;
  for (std::size_t i = 0; i <= model.size(); ++i) {
    if (i < model.size() && model[i] != u'\n') continue;
    const std::size_t p = paragraphs - 1;
    Check(buffer.Length(p) == i - start);
    if (const auto whole = buffer.Contiguous(p))
      Check(*whole == std::u16string_view(model).substr(start, i - start));
    start = i + 1;
    if (i < model.size()) ++paragraphs;
  }
  Check(buffer.ParagraphCount() == paragraphs);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input in{data, size};
  text::TextBuffer buffer;
  // Loaded in pieces first.
  std::u16string model;
  for (int piece = in.Next() % 4; piece > 0; --piece) model += in.Text();
  buffer.BeginLoad(model.size() + in.Next() % 3);
  std::copy(model.begin(), model.end(), buffer.LoadArea());
  for (std::size_t done = 0; done < model.size();) {
    const std::size_t count = std::min<std::size_t>(1 + in.Next() % 4, model.size() - done);
    buffer.CommitLoaded(count);
    done += count;
  }
  CheckSame(buffer, model);

  std::vector<std::u16string> states{model};  // after each edit; a group's edits make one
  std::size_t now = 0;
  std::optional<std::size_t> clean = 0;
  int depth = 0;
  bool inGroupState = false;
  while (in.size > 0) {
    switch (in.Next() % 8) {
      case 0:
      case 1:
      case 2: {  // an edit
        const std::size_t a = in.Next() % (model.size() + 1), b = in.Next() % (model.size() + 1);
        const std::size_t from = std::min(a, b), to = std::max(a, b);
        const std::u16string text = in.Text();
        const auto kind = static_cast<text::EditKind>(in.Next() % 4);
        const text::Range put = buffer.Replace({At(model, from), At(model, to)}, text, kind);
        model.replace(from, to - from, text);
        Check(put.begin == At(model, from) && put.end == At(model, from + text.size()));
        if (from == to && text.empty()) break;
        if (depth > 0 && inGroupState) {
          states[now] = model;
          break;
        }
        states.resize(now + 1);
        if (clean && *clean > now) clean.reset();
        states.push_back(model);
        ++now;
        inGroupState = depth > 0;
        break;
      }
      case 3: {  // Undo: back to an earlier text
        if (depth > 0) break;
        const bool could = buffer.CanUndo();
        const std::optional<text::Range> range = buffer.Undo();
        Check(could == range.has_value() && (now > 0 || !could));
        if (!range) break;
        model = buffer.Text(buffer.Whole());
        std::size_t j = now;
        while (j > 0 && states[--j] != model) {
        }
        Check(states[j] == model);
        now = j;
        break;
      }
      case 4: {  // Redo: on to a later one
        if (depth > 0) break;
        const std::optional<text::Range> range = buffer.Redo();
        if (!range) break;
        model = buffer.Text(buffer.Whole());
        std::size_t k = now + 1;
        while (k < states.size() && states[k] != model) ++k;
        Check(k < states.size());
        now = k;
        break;
      }
      case 5:
        if (depth < 3) {
          buffer.BeginGroup();
          if (depth++ == 0) inGroupState = false;
        }
        break;
      case 6:
        if (depth > 0) {
          buffer.EndGroup();
          --depth;
        }
        break;
      case 7:
        if (depth > 0) break;
        buffer.SetModified(false);
        clean = now;
        break;
    }
    CheckSame(buffer, model);
    if (depth == 0) Check(buffer.IsModified() == !(clean && *clean == now));
  }
  while (depth-- > 0) buffer.EndGroup();
  while (buffer.Undo()) {
  }
  Check(buffer.Text(buffer.Whole()) == states.front());
  return 0;
}
