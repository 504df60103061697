// Rules of the editor without a screen: the folder kept as "LastDir", names
// that are filters, and the font dialog's arithmetic.

#include "editor/FileNames.h"
#include "editor/FontUnits.h"

#include <gtest/gtest.h>

namespace {

TEST(FolderRule, DropsTheFileNameAndTheSlashButKeepsTheRoot) {
  EXPECT_EQ(LastDirOf("/home/user/texts/a.txt"), "/home/user/texts");
  EXPECT_EQ(LastDirOf("/a.txt"), "/");
  EXPECT_EQ(LastDirOf("/home/user/dir/"), "/home/user/dir");
  EXPECT_EQ(LastDirOf("a.txt"), "");
  EXPECT_EQ(LastDirOf("/\x82\xA0/\x82\xA2.txt"), "/\x82\xA0");
}

TEST(FolderRule, WildcardsOnlyInTheFileNameCount) {
  EXPECT_TRUE(HasWildcard("/tmp/*.txt"));
  EXPECT_TRUE(HasWildcard("/tmp/a?.txt"));
  EXPECT_FALSE(HasWildcard("/tmp/a*b/c.txt"));
  EXPECT_FALSE(HasWildcard("/tmp/plain.txt"));
}

TEST(FontUnits, DialogArithmetic) {
  // At 96 pixels per inch a 12-point choice is a character height of -16 and is
  // stored as 240 twips; the first-run 280 opens the dialog at a cell of 18.
  EXPECT_EQ(ChosenCharHeight(12, 96), -16);
  EXPECT_EQ(TwipsFromChosenHeight(-16, 96), 240);
  EXPECT_EQ(DialogCellHeight(280, 96), 18);
  EXPECT_EQ(DialogCellHeight(0, 96), 0);
  // MulDiv rounds halves away from zero: -13.5 points give 14 points, 280 twips.
  EXPECT_EQ(MulDiv(-18, 72, 96), -14);
  EXPECT_EQ(MulDiv(18, 72, 96), 14);
  EXPECT_EQ(MulDiv(7, 1, 2), 4);
  EXPECT_EQ(MulDiv(1, 2, 0), 0);
  EXPECT_EQ(TwipsFromChosenHeight(-18, 96), 280);
  // Other screens: every point size from 6 to 72 comes back as itself.
  for (int ppi : {72, 96, 120, 144, 192})
    for (int points = 6; points <= 72; ++points)
      EXPECT_EQ(TwipsFromChosenHeight(ChosenCharHeight(points, ppi), ppi), points * 20)
          << points << "pt at " << ppi;
}

}  // namespace
