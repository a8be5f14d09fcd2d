#include "skin/controls/bsSkinGauge.h"

#include "SkinFixture.h"
#include "WindowShot.h"
#include "skin/controls/bsSkinGaugeLayout.h"

#include <vector>

namespace bs::test {
namespace {

using namespace spv::platform;

class GaugeTest : public SkinnedFormTest {
 protected:
  TbsSkinGauge* AddGauge(int top, bool skinned = true) {
    auto* g = new TbsSkinGauge(form.get());
    g->SetParent(form.get());
    g->SetBounds(10, top, 100, 20);
    if (skinned) g->SetSkinData(skin);
    return g;
  }
};

TEST_F(GaugeTest, TakesTheSkinsHeightAndReadsExactPercentages) {
  TbsSkinGauge* g = AddGauge(10, false);
  EXPECT_EQ((std::pair{g->Width(), g->Height()}), (std::pair{100, 20}));
  g->SetSkinData(skin);
  EXPECT_EQ((std::pair{g->Width(), g->Height()}), (std::pair{100, 14}));
  EXPECT_EQ(g->SizedProgressArea(), (TRect{1, 1, 99, 13}));
  g->SetShowPercent(true);
  struct Case {
    int min, max, value;
    const wchar_t* text;
    int stored;
  } cases[] = {{0, 100, 50, L"50%", 50}, {0, 3, 2, L"66%", 2},       {0, 100, 29, L"29%", 29},
               {0, 100, 57, L"57%", 57}, {5, 5, 5, L"0%", 5},         {0, 100, 150, L"100%", 100},
               {0, 100, -4, L"0%", 0}};
  for (const Case& c : cases) {
    g->SetMinValue(c.min);
    g->SetMaxValue(c.max);
    g->SetValue(c.value);
    EXPECT_EQ(g->Value(), c.stored) << c.value;
    EXPECT_EQ(g->GaugeText(), c.text) << c.value;
  }
  g->SetMaxValue(100);
  g->SetValue(70);
  g->SetMaxValue(60);
  EXPECT_EQ(g->Value(), 60) << "a lower maximum lowers the value";
  g->SetMinValue(65);
  EXPECT_EQ(g->Value(), 65) << "a higher minimum raises it";
}

// Counts the columns of the filled area that differ from the empty gauge.
int FilledColumns(const TbsFBitmap& empty, const TbsFBitmap& full) {
  int columns = 0;
  for (int x = 0; x < empty.Width(); ++x) {
    bool differs = false;
    for (int y = 2; y < empty.Height() - 2; ++y) differs |= !(empty.At(x, y) == full.At(x, y));
    columns += differs;
  }
  return columns;
}

TEST_F(GaugeTest, TheFillCoversTheValuesShareWithCapsAndNoMagenta) {
  TbsSkinGauge* g = AddGauge(10);
  // A 100-pixel area: the gauge 101 wide puts progressarea (1..72 of 73) at 1..101 - 1.
  g->SetWidth(101);
  ASSERT_EQ(g->SizedProgressArea().Width(), 99);
  g->SetWidth(102);
  ASSERT_EQ(g->SizedProgressArea().Width(), 100);
  g->SetValue(0);
  const TbsFBitmap empty = g->Snapshot();
  const TPixel magenta{255, 0, 255};
  struct Case {
    int value, columns;
  } cases[] = {{50, 50}, {100, 100}, {10, 10}, {3, 3}};
  for (const Case& c : cases) {
    g->SetValue(c.value);
    const TbsFBitmap full = g->Snapshot();
    EXPECT_LE(FilledColumns(empty, full), c.columns) << c.value;
    EXPECT_GE(FilledColumns(empty, full), c.columns - 2) << c.value << " (the caps' own transparent columns)";
    for (int y = 0; y < full.Height(); ++y)
      for (int x = 0; x < full.Width(); ++x) ASSERT_FALSE(full.At(x, y) == magenta) << c.value << " at " << x;
    if (c.value == 3) {
      // Narrower than the two caps: the left cap starts it, the right cap ends it, clipped.
      EXPECT_FALSE(full.At(1, 7) == empty.At(1, 7));
    }
  }
  g->SetMinValue(10);
  g->SetMaxValue(10);
  EXPECT_EQ(FilledColumns(empty, g->Snapshot()), 0) << "an empty range fills nothing";
}

TEST_F(GaugeTest, AVerticalGaugesFillTilesFromTheBottomUp) {
  const auto& d = dynamic_cast<const TbsDataSkinGaugeControl&>(*skin->SkinControls[std::size_t(skin->FindSkinControl("vgauge"))]);
  ASSERT_TRUE(d.Vertical);
  // The first line of the middle of the bar's picture marked, so that each tile shows where it starts.
  const TRect bar = d.ProgressRect;
  const int middle = bar.Height() - d.BeginOffset - d.EndOffset;
  ASSERT_GT(middle, 1);
  const TPixel mark{0, 255, 0};
  TImage& picture = skin->ActivePictures[std::size_t(d.PictureIndex)].Image;
  for (int x = bar.Left + 2; x < bar.Right - 2; ++x) picture.At(x, bar.Top + d.BeginOffset) = mark;

  auto* g = new TbsSkinGauge(form.get());
  g->SetParent(form.get());
  g->SetSkinDataName("vgauge");
  g->SetBounds(10, 10, 20, 120);
  g->SetSkinData(skin);
  ASSERT_EQ(g->Width(), d.SkinRect.Width());
  int telling = 0;  // fills whose tiles would lie elsewhere if they ran from the top
  for (int value : {40, 77, 100}) {
    g->SetValue(value);
    const TRect F = ProgressRectFor(g->SizedProgressArea(), 0, 100, value, true);
    const TbsFBitmap shot = g->Snapshot();
    std::vector<int> marked;
    for (int y = 0; y < shot.Height(); ++y)
      if (shot.At(F.Left + bar.Width() / 2, y) == mark) marked.push_back(y);
    // Whole tiles stand on the bottom cap; the one cut short is the top one.
    std::vector<int> expected;
    for (int y = F.Bottom - d.EndOffset - middle; y >= F.Top + d.BeginOffset; y -= middle) expected.insert(expected.begin(), y);
    EXPECT_EQ(marked, expected) << value << " fills " << F.Top << ".." << F.Bottom;
    telling += (F.Height() - d.BeginOffset - d.EndOffset) % middle != 0;
  }
  EXPECT_GT(telling, 0);
}

TEST_F(GaugeTest, GaugesAtZeroThirtySevenAndAHundredPercent) {
  int top = 10;
  std::vector<TbsSkinGauge*> gauges;
  for (int v : {0, 37, 100}) {
    TbsSkinGauge* g = AddGauge(top);
    g->SetWidth(300);
    g->SetShowPercent(true);
    g->SetValue(v);
    gauges.push_back(g);
    top += 24;
  }
  TbsSkinGauge* plain = AddGauge(top, false);
  plain->SetWidth(300);
  plain->SetShowPercent(true);
  plain->SetValue(37);
  form->SetClientSize(330, top + 30);
  form->Show();
  UpdateWindow(form->Handle());
  spv::test::PumpMessages();
  spv::test::SaveWindowPng(form->Handle(), "gauges-0-37-100");
  // The default look: the filled part in its blue-grey up to 37 % of the inner width.
  const TbsFBitmap shot = Grab(plain->Handle());
  const int end = 1 + (298 * 37) / 100;
  EXPECT_EQ(shot.At(end - 1, 3), PixelOf(RGB(0xB6, 0xBD, 0xD2)));
  EXPECT_EQ(shot.At(end + 1, 3), PixelOf(ColorToRGB(clWindow)));
}

}  // namespace
}  // namespace bs::test
