// Which IBus engines the editor switches to hiragana at start, and by which names.

#include "platform/IBusEngines.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST(IBusEnginesTest, OnlyJapaneseInputEnginesAreSwitchedAndMozcUnderBothOfItsNames) {
  EXPECT_THAT(HiraganaModeProperties("anthy", "ja"), ElementsAre("InputMode.Hiragana"));
  EXPECT_THAT(HiraganaModeProperties("kkc", "ja"), ElementsAre("InputMode.Hiragana"));
  EXPECT_THAT(HiraganaModeProperties("mozc-jp", "ja"),
              ElementsAre("InputMode.Hiragana", "CompositionMode.Hiragana"));
  // A Japanese keyboard layout has no modes; other languages' engines are left alone.
  EXPECT_THAT(HiraganaModeProperties("xkb:jp::jpn", "ja"), IsEmpty());
  EXPECT_THAT(HiraganaModeProperties("xkb:us::eng", "en"), IsEmpty());
  EXPECT_THAT(HiraganaModeProperties("pinyin", "zh"), IsEmpty());
  EXPECT_THAT(HiraganaModeProperties("dummy", ""), IsEmpty());
}
