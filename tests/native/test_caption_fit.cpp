// Display scale and captions that read whole: the arithmetic and the fitting rules.
#include <gtest/gtest.h>

#include <vector>

#include "ui/uCaptionFit.h"
#include "ui/uScale.h"

using namespace velmora::ui;

TEST(DisplayScale, NothingMovesAt96AndHalvesRoundAwayFromZeroAt144) {
  for (int v : {-427, -12, -1, 0, 1, 3, 17, 367, 427}) EXPECT_EQ(ScaleDpi(v, 96), v);
  EXPECT_EQ(ScaleDpi(427, 144), 641);  // 640.5
  EXPECT_EQ(ScaleDpi(367, 144), 551);  // 550.5
  EXPECT_EQ(ScaleDpi(-12, 144), -18);
  EXPECT_EQ(ScaleDpi(-9, 144), -14);  // -13.5, as 9 goes to 14
  EXPECT_EQ(ScaleDpi(9, 144), 14);
  EXPECT_EQ(ScaleDpi(40, 120), 50);
  EXPECT_EQ(ScaleDpi(20, 192), 40);
}

namespace {
int kPage, kGroup;  // parents, told apart by address

struct Fixture {
  std::vector<TFitBox> boxes;
  std::vector<std::size_t> asked;
  int lines = 2;
  void Fit() {
    FitCaptions(boxes, [&](std::size_t i, int) {
      asked.push_back(i);
      return boxes[i].Height * lines;
    });
  }
};
}  // namespace

TEST(CaptionFit, AShortCaptionStaysAndALongerOneGrowsToTheRightUpToTheLimit) {
  Fixture f;
  f.boxes = {{&kPage, 3, 2, 230, 17, 200, 415},   // fits: unchanged
             {&kPage, 3, 26, 230, 17, 274, 415},  // grows to its caption
             {&kPage, 3, 50, 100, 17, 0, 415}};   // no caption to fit (an edit)
  f.Fit();
  EXPECT_EQ(f.boxes[0].Width, 230);
  EXPECT_EQ(f.boxes[1].Width, 274);
  EXPECT_EQ(f.boxes[1].Height, 17);
  EXPECT_EQ(f.boxes[2].Width, 100);
  EXPECT_EQ(f.boxes[2].Top, 50);  // nothing wrapped: nothing moved
  EXPECT_TRUE(f.asked.empty());
}

TEST(CaptionFit, ACaptionWiderThanItsPageWrapsAndWhatIsBelowOnThatPageMovesDown) {
  Fixture f;
  f.boxes = {{&kPage, 3, 2, 390, 17, 456, 415},    // wider than the page: wraps
             {&kPage, 3, 26, 294, 17, 340, 415},   // below: moves, then grows
             {&kPage, 211, 2, 50, 17, 0, 415},     // beside it, not below: stays
             {&kGroup, 8, 30, 100, 20, 0, 400},    // another parent: stays
             {&kPage, 3, 50, 222, 17, 999, 415},   // wraps too, after moving
             {&kPage, 150, 19, 50, 17, 0, 415}};   // its top on the wrap's bottom: below
  f.Fit();
  EXPECT_EQ(f.boxes[0].Width, 412);  // the limit less its left
  EXPECT_EQ(f.boxes[0].Height, 34);
  EXPECT_EQ(f.boxes[1].Top, 26 + 17);
  EXPECT_EQ(f.boxes[1].Width, 340);
  EXPECT_EQ(f.boxes[2].Top, 2);
  EXPECT_EQ(f.boxes[3].Top, 30);
  EXPECT_EQ(f.boxes[4].Top, 50 + 17);  // by the first wrap
  EXPECT_EQ(f.boxes[4].Height, 34);
  EXPECT_EQ(f.boxes[5].Top, 19 + 17);
  EXPECT_EQ(f.asked, (std::vector<std::size_t>{0, 4}));
}

TEST(CaptionFit, WrapsAreJudgedTopToBottomWhateverTheTableOrder) {
  Fixture f;
  f.boxes = {{&kPage, 3, 50, 222, 17, 999, 415}, {&kPage, 3, 2, 390, 17, 999, 415}};
  f.lines = 3;
  f.Fit();
  EXPECT_EQ(f.boxes[1].Top, 2);
  EXPECT_EQ(f.boxes[1].Height, 51);
  EXPECT_EQ(f.boxes[0].Top, 50 + 34);
  EXPECT_EQ(f.boxes[0].Height, 51);
}

TEST(CaptionFit, ALabelOfSeveralLinesGrowsDownAndANarrowLimitNeverShrinks) {
  Fixture f;
  TFitBox label{&kPage, 1, 2, 136, 36, 150, 200};
  label.NeededHeight = 57;  // three lines that need more than the table gave
  f.boxes = {label, {&kPage, 31, 44, 75, 20, 60, 200}, {&kPage, 150, 60, 40, 17, 90, 100}};
  f.Fit();
  EXPECT_EQ(f.boxes[0].Width, 150);
  EXPECT_EQ(f.boxes[0].Height, 57);
  EXPECT_EQ(f.boxes[1].Top, 44 + 21);  // the button below, by what the label added
  EXPECT_EQ(f.boxes[1].Width, 75);     // its caption fits: as it was
  // Its left is already past the limit: it keeps its width and wraps in it.
  EXPECT_EQ(f.boxes[2].Width, 40);
  EXPECT_EQ(f.boxes[2].Height, 34);
}
