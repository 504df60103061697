// Printing through a real print system: "/p", "/pt" and File > Print hand a PDF
// of the text, Japanese included, with half-inch margins to CUPS, and the job
// completes.

#include "tests/e2e/printing/CupsServer.h"
#include "tests/e2e/support/E2E.h"

#include <gtest/gtest.h>
#include <unistd.h>
#include <QRegularExpression>
#include <QString>
#include <cstdlib>
#include <fstream>

namespace {

// "日本語のテキスト" in Shift-JIS, then a line of ASCII.
const char kText[] =
    "\x93\xfa\x96\x7b\x8c\xea\x82\xcc\x83\x65\x83\x4c\x83\x58\x83\x67\r\nsecond line\r\n";

// The text pdftotext reads from `pdf`. Glyphs that CJK fonts share between an
// ideograph and its radical may read back as the radical: compared after NFKC.
QString PdfText(const std::string& pdf) {
  return QString::fromStdString(RunCommand("pdftotext -layout '" + pdf + "' - 2>/dev/null"))
      .normalized(QString::NormalizationForm_KC);
}

// The left and top edges, in points, of the first word pdftotext places on the page.
std::pair<double, double> FirstWordOrigin(const std::string& pdf) {
  const QRegularExpressionMatch word =
      QRegularExpression(R"re(<word xMin="([0-9.]+)" yMin="([0-9.]+)")re")
          .match(QString::fromStdString(RunCommand("pdftotext -bbox '" + pdf + "' - 2>/dev/null")));
  return {word.captured(1).toDouble(), word.captured(2).toDouble()};
}

void ExpectPrinted(CupsServer& cups, int job) {
  ASSERT_TRUE(cups.WaitForCompletedJob(job, 30)) << RunCommand("lpstat -W all -o");
  const QString text = PdfText(cups.JobDocument(job));
  EXPECT_TRUE(text.contains(QString::fromUtf8("日本語のテキスト"))) << text.toStdString();
  EXPECT_TRUE(text.contains(QStringLiteral("second line"))) << text.toStdString();
  // Half an inch is 36 points; the first line's box starts at the margin.
  const auto [left, top] = FirstWordOrigin(cups.JobDocument(job));
  EXPECT_NEAR(left, 36, 1);
  EXPECT_NEAR(top, 36, 4);
}

}  // namespace

TEST(PrintingE2E, PrintSwitchesAndThePrintDialogGoThroughCups) {
  if (::geteuid() != 0) GTEST_SKIP() << "cupsd and its PDF backend need root";
  if (std::system("command -v cupsd >/dev/null && command -v pdftotext >/dev/null") != 0)
    GTEST_SKIP() << "cupsd or pdftotext missing";
  CupsServer cups;
  ASSERT_TRUE(cups.running()) << "cupsd did not start";
  WexInstall install;
  const std::string file = install.dir() + "/日本語.txt";
  std::ofstream(file, std::ios::binary) << kText;

  // No printer at all: a message, and the exit status says it failed.
  {
    WexProcess wex(install, {"/p", file});
    std::string box;
    for (int i = 0; i < 100 && box.empty(); ++i)
      box = RunCommand("xdotool search --onlyvisible --pid " + std::to_string(wex.pid()) +
                       " 2>/dev/null | head -n1");
    ASSERT_FALSE(box.empty()) << "no message without a printer";
    RunCommand("xdotool windowactivate --sync " + box + " key Return");
    EXPECT_EQ(wex.Wait(10), 1);
  }

  ASSERT_TRUE(cups.AddPdfQueue("WexPDF"));
  EXPECT_EQ(WexProcess(install, {"/p", file}).Wait(30), 0);
  ExpectPrinted(cups, 1);
  EXPECT_EQ(WexProcess(install, {"/pt", file, "WexPDF", "driver", "port"}).Wait(30), 0);
  ExpectPrinted(cups, 2);

  // File > Print: the print dialog's OK prints on the default printer.
  WexProcess wex(install, {file});
  const std::string window = WaitForWindow("日本語.txt - Wex");
  ASSERT_FALSE(window.empty());
  std::string dialog;
  for (int attempt = 0; attempt < 3 && dialog.empty(); ++attempt) {
    RunCommand("xdotool windowactivate --sync " + window + " key ctrl+p");
    dialog = WaitForWindow("印刷", 5);
  }
  ASSERT_FALSE(dialog.empty()) << "the print dialog did not open";
  RunCommand("xdotool windowactivate --sync " + dialog + " key Return");
  ExpectPrinted(cups, 3);
  EXPECT_EQ(CloseWindow(window, wex), 0);
}
