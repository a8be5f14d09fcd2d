#include "skin/dialogs/bsDialogsLayout.h"

#include <gtest/gtest.h>

#include <climits>

namespace bs {
namespace {

TEST(ProgressDialogLayout, DialogUnitsRoundToTheNearestPixel) {
  struct Row {
    int avgW, avgH;
    int clientW, labelX, labelY, labelMax, buttonW, buttonH;
  } rows[] = {
      // The worked figures: average 6 × 13.
      {6, 13, 270, 12, 13, 246, 75, 23},
      // Tahoma 8 as many systems measure it: 5 × 13.
      {5, 13, 225, 10, 13, 205, 63, 23},
      // 7 × 16: 14 × 16 / 8 = 28 exactly; 50 × 7 / 4 = 87.5 rounds up.
      {7, 16, 315, 14, 16, 287, 88, 28},
      {0, 0, 0, 0, 0, 0, 0, 0},
  };
  for (const Row& r : rows) {
    const TbsProgressLayout l = LayoutProgressDialog({r.avgW, r.avgH});
    EXPECT_EQ(l.ClientWidth, r.clientW) << r.avgW;
    EXPECT_EQ(l.LabelPos, (TPoint{r.labelX, r.labelY})) << r.avgW;
    EXPECT_EQ(l.LabelMaxWidth, r.labelMax) << r.avgW;
    EXPECT_EQ(l.GaugeWidth, r.labelMax) << r.avgW;
    EXPECT_EQ(l.ButtonWidth, r.buttonW) << r.avgW;
    EXPECT_EQ(l.ButtonHeight, r.buttonH) << r.avgW;
  }
  // Large fonts do not overflow the product.
  EXPECT_EQ(DialogUnitsX(INT_MAX / 2, {8, 8}), INT_MAX / 2 * 2);
  EXPECT_EQ(DialogUnitsY(-3, {6, 13}), -5);
}

TEST(ProgressDialogLayout, AverageCharacterIsTheAlphabetOverFiftyTwo) {
  EXPECT_EQ(AverageCharFromExtent(312, 13).Width, 6);
  EXPECT_EQ(AverageCharFromExtent(363, 13).Width, 6);
  EXPECT_EQ(AverageCharFromExtent(364, 16).Width, 7);
  EXPECT_EQ(AverageCharFromExtent(364, 16).Height, 16);
}

TEST(ProgressDialogLayout, ButtonAndClientHeight) {
  const TRect gauge{12, 34, 258, 48};
  const TRect button = ProgressButtonRect(gauge, 75, 23);
  EXPECT_EQ(button, (TRect{183, 63, 258, 86}));
  EXPECT_EQ(ProgressClientHeight(gauge, &button), 99);
  EXPECT_EQ(ProgressClientHeight(gauge, nullptr), 63);
  EXPECT_EQ(ProgressGaugeTop(29), 34);
}

TEST(ProgressDialogLayout, CompleteOnlyWhenTheClampedValueFillsTheGauge) {
  struct Row {
    int min, max, value;
    bool complete;
  } rows[] = {
      {0, 100, 100, true},
      {0, 100, 99, false},
      {0, 100, 40, false},
      // Past the end is the end: no cancel for a finished job.
      {0, 100, 250, true},
      {0, 100, INT_MAX, true},
      {0, 100, -5, false},
      {5, 5, 5, true},
      {5, 5, 0, true},
      // An inverted range holds the gauge at its minimum, which is never its maximum.
      {10, 0, 10, false},
      {10, 0, 0, false},
  };
  for (const Row& r : rows) EXPECT_EQ(ProgressComplete(r.min, r.max, r.value), r.complete) << r.min << " " << r.max << " " << r.value;
}

}  // namespace
}  // namespace bs
