#include "text/TextBuffer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using text::EditKind;
using text::Position;

std::u16string All(const text::TextBuffer& buffer) { return buffer.Text(buffer.Whole()); }

// A file's text in pieces: paragraph ends at a piece's edge, an empty last
// paragraph, and the spans it is read back in.
TEST(TextBufferTest, LoadsInPiecesAndReadsBack) {
  text::TextBuffer buffer;
  const std::u16string file = u"ab\ncd\n\nあい\n";
  buffer.BeginLoad(file.size());
  std::copy(file.begin(), file.end(), buffer.LoadArea());
  for (const std::size_t count : {3u, 2u, 1u, 5u}) buffer.CommitLoaded(count);
  EXPECT_EQ(All(buffer), file);
  EXPECT_EQ(buffer.ParagraphCount(), 5u);
  EXPECT_EQ(buffer.Length(3), 2u);
  EXPECT_EQ(buffer.Length(4), 0u);
  EXPECT_EQ(buffer.End(), (Position{4, 0}));
  EXPECT_EQ(buffer.Size(), file.size());
  EXPECT_EQ(*buffer.Contiguous(3), u"あい");
  EXPECT_EQ(buffer.At({1, 1}), u'd');
  EXPECT_EQ(buffer.Text({{0, 1}, {3, 1}}), u"b\ncd\n\nあ");
  std::vector<std::u16string> spans;
  buffer.ForEachSpan({{1, 1}, {3, 0}}, [&](std::u16string_view s) { spans.emplace_back(s); });
  EXPECT_EQ(spans, (std::vector<std::u16string>{u"d", u"\n", u"\n"}));
}

// Replacing across paragraphs joins them; text with paragraph ends splits one;
// an edited paragraph reads back whole from its pieces.
TEST(TextBufferTest, ReplacesAcrossParagraphs) {
  text::TextBuffer buffer;
  buffer.SetText(u"one\ntwo\nthree");
  EXPECT_EQ(buffer.Replace({{0, 1}, {2, 2}}, u"X"), (text::Range{{0, 1}, {0, 2}}));
  EXPECT_EQ(All(buffer), u"oXree");
  EXPECT_EQ(buffer.Replace({{0, 2}, {0, 2}}, u"1\n2\n3"), (text::Range{{0, 2}, {2, 1}}));
  EXPECT_EQ(All(buffer), u"oX1\n2\n3ree");
  EXPECT_EQ(buffer.ParagraphCount(), 3u);
  EXPECT_FALSE(buffer.Contiguous(0));
  EXPECT_EQ(buffer.Text({{0, 0}, {0, 3}}), u"oX1");
  buffer.Remove(buffer.Whole());
  EXPECT_TRUE(buffer.IsEmpty());
  EXPECT_EQ(buffer.ParagraphCount(), 1u);
}

// Typing, Delete and Backspace runs are one Undo step each; a paragraph end,
// a save, a group or an Undo ends a run.
TEST(TextBufferTest, RunsOfTypingAndDeletingAreOneStep) {
  text::TextBuffer buffer;
  buffer.SetText(u"abcdef");
  for (std::size_t i = 0; i < 3; ++i) buffer.Insert({0, 6 + i}, u"x", EditKind::Typing);
  buffer.Insert({0, 9}, u"\n", EditKind::Typing);
  buffer.Insert({1, 0}, u"y", EditKind::Typing);
  EXPECT_EQ(All(buffer), u"abcdefxxx\ny");
  buffer.Undo();
  buffer.Undo();
  EXPECT_EQ(All(buffer), u"abcdefxxx");
  EXPECT_EQ(buffer.Undo(), (text::Range{{0, 6}, {0, 6}}));
  EXPECT_EQ(All(buffer), u"abcdef");
  EXPECT_FALSE(buffer.CanUndo());
  EXPECT_EQ(buffer.Redo(), (text::Range{{0, 6}, {0, 9}}));
  EXPECT_EQ(All(buffer), u"abcdefxxx");

  buffer.Remove({{0, 1}, {0, 2}}, EditKind::DeleteForward);
  buffer.Remove({{0, 1}, {0, 2}}, EditKind::DeleteForward);
  buffer.Remove({{0, 3}, {0, 4}}, EditKind::DeleteBackward);  // a run of its own
  buffer.Remove({{0, 2}, {0, 3}}, EditKind::DeleteBackward);
  buffer.Remove({{0, 4}, {0, 5}}, EditKind::DeleteBackward);  // not where that one began
  EXPECT_EQ(All(buffer), u"adxx");
  buffer.Undo();
  EXPECT_EQ(All(buffer), u"adxxx");
  buffer.Undo();
  EXPECT_EQ(All(buffer), u"adefxxx");
  buffer.Undo();
  EXPECT_EQ(All(buffer), u"abcdefxxx");

  buffer.Insert({0, 0}, u"p", EditKind::Typing);
  buffer.SetModified(false);
  buffer.Insert({0, 1}, u"q", EditKind::Typing);  // after the save: a step of its own
  buffer.Undo();
  EXPECT_EQ(All(buffer), u"pabcdefxxx");
  EXPECT_FALSE(buffer.IsModified());
}

// The modified flag follows Undo and Redo around the point marked unmodified,
// until an edit after an Undo makes that point unreachable.
TEST(TextBufferTest, ModifiedFlagFollowsTheHistory) {
  text::TextBuffer buffer;
  buffer.SetText(u"text");
  EXPECT_FALSE(buffer.IsModified());
  buffer.Insert({0, 0}, u"a");
  buffer.SetModified(false);
  buffer.Insert({0, 0}, u"b");
  EXPECT_TRUE(buffer.IsModified());
  buffer.Undo();
  EXPECT_FALSE(buffer.IsModified());
  buffer.Undo();
  EXPECT_TRUE(buffer.IsModified());
  buffer.Redo();
  EXPECT_FALSE(buffer.IsModified());
  buffer.Undo();
  buffer.Insert({0, 0}, u"c");  // the saved text can no longer come back
  buffer.Undo();
  EXPECT_TRUE(buffer.IsModified());
  buffer.ClearHistory();
  EXPECT_TRUE(buffer.IsModified());
  EXPECT_FALSE(buffer.CanUndo());
  buffer.SetModified(true);
  EXPECT_TRUE(buffer.IsModified());
}

// A group (nested or not) is one step; a whole-text replacement is undone in
// one step and gives back the very text, however many paragraphs it had.
TEST(TextBufferTest, GroupsAndWholeTextReplacementsAreOneStep) {
  text::TextBuffer buffer;
  std::u16string big;
  for (int i = 0; i < 10000; ++i) big += u"line\n";
  buffer.SetText(big);
  buffer.BeginGroup();
  buffer.Replace(buffer.Whole(), u"new");
  buffer.BeginGroup();
  buffer.Insert({0, 3}, u"er", EditKind::Typing);
  buffer.EndGroup();
  buffer.EndGroup();
  buffer.Insert({0, 5}, u"!", EditKind::Typing);  // not merged into the group
  EXPECT_EQ(All(buffer), u"newer!");
  buffer.Undo();
  EXPECT_EQ(All(buffer), u"newer");
  buffer.Undo();
  EXPECT_EQ(All(buffer), big);
  EXPECT_EQ(buffer.ParagraphCount(), 10001u);
  buffer.Redo();
  EXPECT_EQ(All(buffer), u"newer");
  buffer.Undo();
  EXPECT_EQ(All(buffer), big);
}

}  // namespace

// The stored runs spell the text out of the two stores after edits anywhere in
// a text of many blocks of paragraphs, each block's runs kept between records;
// an unedited text is one run.
TEST(TextBufferTest, StoredRunsFollowEditsAcrossManyParagraphs) {
  text::TextBuffer buffer;
  std::u16string file;
  for (int i = 1; i <= 20000; ++i) file += i % 7 ? u"line\n" : u"\n";
  buffer.SetText(file);
  using Store = text::StoredRun::Store;
  EXPECT_EQ(buffer.StoredRuns(), (std::vector<text::StoredRun>{{Store::Loaded, 0, file.size()}}));
  const auto spelled = [&buffer] {
    const std::u16string_view loaded(buffer.LoadedText().get(), buffer.Loaded());
    std::u16string text;
    for (const text::StoredRun& run : buffer.StoredRuns()) {
      if (run.store == Store::ParagraphEnds)
        text.append(run.length, u'\n');
      else
        text += (run.store == Store::Loaded ? loaded : buffer.AddedText())
                    .substr(run.start, run.length);
    }
    return text;
  };
  std::uint32_t seed = 1;
  const auto next = [&seed](std::size_t below) {
    seed = seed * 1103515245u + 12345u;
    return (seed >> 8) % below;
  };
  for (int step = 0; step < 300; ++step) {
    const Position at{next(buffer.ParagraphCount()), 0};
    switch (next(4)) {
      case 0: buffer.Insert(at, u"x"); break;
      case 1: buffer.Insert(at, u"y\nz"); break;
      case 2: buffer.Remove({at, buffer.Clamp({at.paragraph + next(3), 2})}); break;
      case 3: buffer.Undo(); break;
    }
    ASSERT_EQ(spelled(), All(buffer)) << "step " << step;
  }
}
