// The recovery record as the editor keeps it: the view's text given back exactly,
// current a second after typing, and gone whenever nothing is left unsaved.

#include "editor/RecoveryJournal.h"
#include "editor/WEXDoc.h"
#include "editor/WEXView.h"
#include "settings/SettingsFile.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>
#include <QKeyEvent>
#include <QTest>
#include <filesystem>
#include <random>

namespace {

using namespace std::string_literals;

struct Editor {
  PluginFileTable plugins = {};
  SettingsFile settings = SettingsFile::InSettingsDirectory();
  CWEXView view{nullptr, nullptr, plugins, settings};
  CWEXDoc doc{settings};
  Editor() { doc.SetView(&view); }
  void Type(const QString& text) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, text);
    QApplication::sendEvent(&view, &press);
  }
};

std::optional<RecoveryRecord> RecordIn(const std::string& path) { return ReadRecord(path); }

TEST(RecoveryJournalTest, TheRecordGivesBackTheViewsTextExactly) {
  TempDir dir;
  Editor editor;
  // NULs, bytes no character has, and a CR that is not a line end in an LF file.
  const std::string bytes = "a\0b\x80\xff\r\x82\xa0\nend"s;
  editor.view.SetWholeText(bytes, cp932::LineEnds::OnlyLf);
  editor.doc.SetPathName(QString::fromStdString(dir.file("a.txt")));
  editor.doc.SetFormat({TextEncoding::Utf8, LineEnd::Lf});
  RecoveryJournal journal(editor.doc, dir.path());
  editor.Type(QStringLiteral("x"));
  journal.UpdateNow();

  const std::optional<RecoveryRecord> record = RecordIn(journal.RecordPath());
  ASSERT_TRUE(record);
  EXPECT_EQ(record->path, dir.file("a.txt"));
  EXPECT_EQ(record->format, (TextFormat{TextEncoding::Utf8, LineEnd::Lf}));

  Editor restored;
  restored.view.RestoreText(TextOfRecord(record->text));
  EXPECT_EQ(restored.view.GetPlainText(), editor.view.GetPlainText());
  EXPECT_EQ(restored.view.GetPlainText(), "xa\0b\x80\xff\r\x82\xa0\r\nend"s);
  EXPECT_TRUE(restored.doc.IsModified());
}

TEST(RecoveryJournalTest, TheRecordFollowsTypingAndGoesWhenNothingIsUnsaved) {
  TempDir dir;
  Editor editor;
  editor.view.SetWholeText("old");
  auto journal = std::make_unique<RecoveryJournal>(editor.doc, dir.path());
  const std::string path = journal->RecordPath();

  editor.Type(QStringLiteral("x"));
  QTest::qWait(RecoveryJournal::kDelayMs + 200);
  journal->WaitForWriter();
  ASSERT_TRUE(RecordIn(path)) << "no record a second after typing";
  EXPECT_EQ(TextOfRecord(RecordIn(path)->text), u"xold");

  editor.view.Undo();  // back to the text as saved
  journal->WaitForWriter();
  EXPECT_FALSE(std::filesystem::exists(path)) << "undone to the saved text";

  editor.Type(QStringLiteral("y"));
  journal->UpdateNow();
  ASSERT_TRUE(std::filesystem::exists(path));
  editor.doc.SetModifiedFlag(false);  // as a save leaves it
  journal->WaitForWriter();
  EXPECT_FALSE(std::filesystem::exists(path)) << "saved";

  editor.Type(QStringLiteral("z"));
  journal->UpdateNow();
  ASSERT_TRUE(std::filesystem::exists(path));
  journal.reset();  // the program ends as the user chose (No to saving)
  EXPECT_FALSE(std::filesystem::exists(path));
}

// Each record, written after any kind of edit, gives back the view's text; and
// after the first, a record costs the disk only what was added to the text.
TEST(RecoveryJournalTest, EveryRecordHoldsTheTextAndTheDiskGetsOnlyWhatWasAdded) {
  TempDir dir;
  Editor editor;
  std::string lines;
  for (int i = 0; i < 300; ++i) lines += "\x8d\x73 " + std::to_string(i) + "\r\n\r\n";
  editor.view.SetWholeText(lines);
  RecoveryJournal journal(editor.doc, dir.path());
  const text::TextBuffer& buffer = editor.view.Buffer();
  const auto somewhere = [&buffer](std::mt19937& random) {
    const std::size_t p = random() % buffer.ParagraphCount();
    return text::Position{p, random() % (buffer.Length(p) + 1)};
  };
  std::mt19937 random(7);
  for (int step = 0; step < 300; ++step) {
    switch (random() % 6) {
      case 0:
        editor.view.SetCaret(somewhere(random));
        editor.Type(QStringLiteral("x"));
        break;
      case 1:
        editor.view.SetCaret(somewhere(random));
        editor.view.InsertText(u"\nあ\n"_qs);
        break;
      case 2:
        editor.view.SetSelection(somewhere(random), somewhere(random));
        editor.view.InsertText({});
        break;
      case 3: editor.view.Undo(); break;
      case 4: editor.view.Redo(); break;
      case 5:
        if (random() % 8 == 0) {  // a whole-text change, or a new text loaded
          editor.view.SelectAll();
          editor.view.InsertText(u"all\nnew"_qs);
        } else if (random() % 8 == 0) {
          editor.view.SetWholeText("loaded\r\nagain");
        }
        break;
    }
    journal.UpdateNow();
    journal.WaitForWriter();
    const std::optional<RecoveryRecord> record = RecordIn(journal.RecordPath());
    if (!editor.doc.IsModified()) {
      EXPECT_FALSE(record) << "step " << step;
      continue;
    }
    ASSERT_TRUE(record) << "step " << step;
    ASSERT_EQ(TextOfRecord(record->text), buffer.Text(buffer.Whole())) << "step " << step;
  }
  editor.Type(QStringLiteral("x"));
  journal.UpdateNow();
  std::uintmax_t units = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
    if (entry.path().extension() == ".units") units += entry.file_size();
  EXPECT_EQ(units, (buffer.Loaded() + buffer.AddedText().size()) * sizeof(char16_t));
}

}  // namespace
