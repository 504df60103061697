// Find over the buffer answers as the toolkit's document find does, on texts
// stored in one span and in pieces alike; printing lays a text out on pages.

#include "tests/support/TempDir.h"
#include "text/TextBuffer.h"
#include "textview/TextFind.h"
#include "textview/TextPrinter.h"

#include <gtest/gtest.h>
#include <QFont>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTextCursor>
#include <QTextDocument>
#include <random>

namespace {

std::size_t OffsetOf(const text::TextBuffer& buffer, text::Position p) {
  std::size_t offset = p.offset;
  for (std::size_t i = 0; i < p.paragraph; ++i) offset += buffer.Length(i) + 1;
  return offset;
}

text::Position PositionOf(const text::TextBuffer& buffer, std::size_t offset) {
  std::size_t para = 0;
  while (offset > buffer.Length(para)) offset -= buffer.Length(para++) + 1;
  return {para, offset};
}

QString Random(std::mt19937& random, const QString& alphabet, int length) {
  QString s;
  for (int i = 0; i < length; ++i) s += alphabet[static_cast<int>(random() % alphabet.size())];
  return s;
}

TEST(TextFind, AnswersAsTheDocumentFindDoes) {
  std::mt19937 random(7);
  // Letters in both cases, accents, kana, blanks, a no-break space, paragraph ends.
  const QString alphabet = QString::fromUtf8("aAbBéÉあア1 _\u00a0\n");
  // A no-break space is found where a blank is asked for; asked for itself, it
  // is not a character the editor's text can hold.
  const QString needles = QString::fromUtf8("aAbBéÉあア1 _");
  int matches = 0;
  for (int round = 0; round < 300; ++round) {
    const QString whole = Random(random, alphabet, 60);
    QTextDocument document(whole);
    text::TextBuffer buffer;
    buffer.SetText(whole.toStdU16String());
    // Every other round the text is in pieces, as after edits.
    if (round % 2) {
      const QString edit = whole.mid(10, 20);
      buffer.Remove({PositionOf(buffer, 10), PositionOf(buffer, 30)});
      buffer.Insert(PositionOf(buffer, 10), edit.toStdU16String());
    }
    const QString what = Random(random, needles, 1 + static_cast<int>(random() % 2));
    for (int flags = 0; flags < 8; ++flags) {
      const textview::FindOptions options{(flags & 1) != 0, (flags & 2) != 0, (flags & 4) != 0};
      QTextDocument::FindFlags qtFlags;
      if (options.matchCase) qtFlags |= QTextDocument::FindCaseSensitively;
      if (options.wholeWord) qtFlags |= QTextDocument::FindWholeWords;
      if (options.backward) qtFlags |= QTextDocument::FindBackward;
      const std::size_t from = random() % (static_cast<std::size_t>(whole.size()) + 1);
      const QTextCursor expected = document.find(what, static_cast<int>(from), qtFlags);
      const auto found = textview::Find(buffer, what, PositionOf(buffer, from), options);
      SCOPED_TRACE(testing::Message()
                   << "text \"" << whole.toStdString() << "\" what \"" << what.toStdString()
                   << "\" from " << from << " flags " << flags << " round " << round);
      ASSERT_EQ(found.has_value(), !expected.isNull());
      if (!found) continue;
      ++matches;
      EXPECT_EQ(OffsetOf(buffer, found->begin),
                static_cast<std::size_t>(expected.selectionStart()));
      EXPECT_EQ(OffsetOf(buffer, found->end), static_cast<std::size_t>(expected.selectionEnd()));
    }
  }
  EXPECT_GT(matches, 500) << "the texts gave find little to find";
}

// The text of each page of `buffer` printed to a PDF, as pdftotext reads it.
QStringList PrintedPages(const std::u16string& content) {
  const TempDir dir;
  const QString path = QString::fromStdString(dir.path() + "/out.pdf");
  text::TextBuffer buffer;
  buffer.SetText(content);
  {
    QPdfWriter pdf(path);
    pdf.setResolution(300);
    EXPECT_TRUE(textview::PrintText(buffer, QFont(QStringLiteral("Monospace"), 10), pdf));
  }
  QProcess process;
  process.start(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
  process.waitForFinished();
  QStringList pages = QString::fromUtf8(process.readAllStandardOutput()).split(u'\f');
  pages.removeLast();  // after the last page's form feed
  return pages;
}

// The words of `pages` in order.
QStringList Words(const QStringList& pages) {
  static const QRegularExpression blanks(QStringLiteral("\\s+"));
  return pages.join(u' ').split(blanks, Qt::SkipEmptyParts);
}

TEST(TextPrinter, EveryRowIsPrintedOnceOnAsManyPagesAsItNeeds) {
  if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
    GTEST_SKIP() << "pdftotext (poppler-utils) is needed to read the printed pages";
  EXPECT_EQ(PrintedPages(u"").size(), 1) << "an empty text is one empty page";

  // Short paragraphs, and one paragraph as long as many pages.
  QStringList expected;
  std::u16string lines, paragraph;
  for (int i = 0; i < 2000; ++i) {
    const QString word = QStringLiteral("w%1").arg(i, 4, 10, QLatin1Char('0'));
    expected << word;
    if (i < 300) lines += word.toStdU16String() + u"\n";
    paragraph += word.toStdU16String() + u" ";
  }
  const QStringList linePages = PrintedPages(lines);
  EXPECT_GE(linePages.size(), 3);
  EXPECT_EQ(Words(linePages).join(u' ').toStdString(),
            expected.mid(0, 300).join(u' ').toStdString())
      << "a row lost or printed twice";
  const QStringList paragraphPages = PrintedPages(paragraph);
  EXPECT_GE(paragraphPages.size(), 2) << "a long paragraph goes on from page to page";
  EXPECT_EQ(Words(paragraphPages).join(u' ').toStdString(), expected.join(u' ').toStdString());
}

}  // namespace
