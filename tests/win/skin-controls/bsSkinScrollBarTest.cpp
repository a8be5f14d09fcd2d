#include "skin/controls/bsSkinScrollBar.h"

#include "SkinFixture.h"
#include "SkinnedForm.h"
#include "WindowShot.h"
#include "platform/Forms.h"
#include "resources/ProgramSkin.h"

#include <gtest/gtest.h>

#include <memory>

namespace bs {
namespace {

using namespace spv::platform;

using test::At;
using test::PixelOf;
using test::TSkinnedForm;

class SkinScrollBarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // The real pointer stays away, so only the messages a test sends reach the bars.
    SetCursorPos(1900, 1190);
    form = std::make_unique<TSkinnedForm>();
    form->SetClientSize(420, 300);
    skin = new TbsSkinData(form.get());
    const auto block = spv::ProgramSkinBlock();
    skin->LoadFromCompressedData(block.data(), block.size());
    ASSERT_FALSE(skin->IsEmpty);
  }
  TbsSkinScrollBar* AddBar(TbsScrollBarKind kind, int left, int top, int length, bool skinned) {
    auto* b = new TbsSkinScrollBar(form.get());
    b->SetParent(form.get());
    b->SetKind(kind);
    if (kind == TbsScrollBarKind::sbVertical) b->SetBounds(left, top, 19, length);
    else b->SetBounds(left, top, length, 19);
    if (skinned) b->SetSkinData(skin);
    b->OnChange = [this](TObject*) { ++changes; };
    b->OnLastChange = [this](TObject*) { ++lastChanges; };
    return b;
  }
  static void Press(TbsSkinScrollBar* b, int x, int y) {
    POINT p{x, y};
    ClientToScreen(b->Handle(), &p);
    SetCursorPos(p.x, p.y);
    SendMessageW(b->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(x, y));
  }
  static void Move(TbsSkinScrollBar* b, int x, int y) { SendMessageW(b->Handle(), WM_MOUSEMOVE, MK_LBUTTON, At(x, y)); }
  static void Release(TbsSkinScrollBar* b, int x, int y) { SendMessageW(b->Handle(), WM_LBUTTONUP, 0, At(x, y)); }
  static POINT Centre(const TRect& r) { return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }

  std::unique_ptr<TSkinnedForm> form;
  TbsSkinData* skin = nullptr;
  int changes = 0, lastChanges = 0;
};

TEST_F(SkinScrollBarTest, RangeClampingAndThePage) {
  TbsSkinScrollBar* b = AddBar(TbsScrollBarKind::sbVertical, 10, 10, 134, false);
  struct Case {
    int min, max, page, set, expected;
  } cases[] = {
      {0, 100, 0, 150, 100}, {0, 100, 0, -5, 0}, {0, 99, 10, 95, 90}, {10, 20, 0, 5, 10}, {-50, -10, 5, 0, -14},
  };
  for (const Case& c : cases) {
    b->SetRange(c.min, c.max, c.page, 0);
    b->SetPosition(c.set);
    EXPECT_EQ(b->Position(), c.expected) << c.min << ".." << c.max << " page " << c.page << " set " << c.set;
  }
  // No skin, a 100-pixel track: a page of 10 in 100 is 10 pixels, raised to 16; ties go to even.
  struct Thumb {
    int max, page, length;
  } thumbs[] = {{99, 10, 16}, {7, 3, 38}, {7, 5, 62}, {99, 0, 16}};
  for (const Thumb& t : thumbs) {
    b->SetRange(0, t.max, t.page, 0);
    EXPECT_EQ(b->Layout().Track.Height(), 100);
    EXPECT_EQ(b->Layout().ThumbLength, t.length) << t.max << " " << t.page;
  }
  b->SetRange(0, 99, 0, 60);
  b->SetPageSize(50);
  EXPECT_EQ(b->PageSize(), 0) << "a page past the end is refused";
  b->SetPageSize(-3);
  EXPECT_EQ(b->PageSize(), 0) << "a negative page is refused";
  b->SetRange(100, 199, 0, 150);
  b->SetPageSize(40);
  EXPECT_EQ(b->PageSize(), 40) << "the page is measured from Min";
  b->SetMin(300);
  EXPECT_GE(b->Max(), b->Min()) << "Min above Max raises Max";
  EXPECT_EQ(b->Position(), 300);
}

TEST_F(SkinScrollBarTest, HoldingTheIncreaseButtonRepeatsPausesAndResumes) {
  TbsSkinScrollBar* b = AddBar(TbsScrollBarKind::sbHorizontal, 10, 10, 200, true);
  form->Show();
  b->SetRange(0, 1000, 0, 0);
  const POINT inc = Centre(b->Layout().IncreaseButton);
  Press(b, inc.x, inc.y);
  EXPECT_EQ(b->Position(), 1) << "one step at once";
  spv::test::PumpMessages(300);
  EXPECT_EQ(b->Position(), 1) << "nothing more before 500 ms";
  ASSERT_TRUE(spv::test::PumpUntil([&] { return b->Position() >= 2; }));
  const int before = b->Position();
  spv::test::PumpMessages(600);
  EXPECT_GE(b->Position() - before, 4) << "then about one every 50 ms";
  Move(b, inc.x, 100);
  const int paused = b->Position();
  spv::test::PumpMessages(300);
  EXPECT_EQ(b->Position(), paused) << "off the button it pauses";
  Move(b, inc.x, inc.y);
  ASSERT_TRUE(spv::test::PumpUntil([&] { return b->Position() > paused + 2; })) << "back on it resumes";
  Release(b, inc.x, inc.y);
  const int released = b->Position();
  spv::test::PumpMessages(200);
  EXPECT_EQ(b->Position(), released);
  EXPECT_EQ(changes, released);
  EXPECT_EQ(lastChanges, 0);
}

TEST_F(SkinScrollBarTest, TrackPagingStopsWhenTheThumbPassesThePointer) {
  TbsSkinScrollBar* b = AddBar(TbsScrollBarKind::sbVertical, 10, 10, 220, true);
  form->Show();
  b->SetRange(0, 100, 0, 100);
  b->SetLargeChange(10);
  int pageUps = 0;
  b->OnPageUp = [&](TObject*) { ++pageUps; };
  const TRect track = b->Layout().Track;
  const int y = track.Top + track.Height() / 3;
  Press(b, 6, y);
  ASSERT_TRUE(spv::test::PumpUntil([&] { return !b->Repeating(); }));
  Release(b, 6, y);
  const TbsScrollBarLayout l = b->Layout();
  EXPECT_LE(l.Thumb.Top, y) << "the thumb reached the pointer";
  EXPECT_GT(b->Position(), 0) << "and went no further";
  EXPECT_EQ(pageUps, (100 - b->Position()) / 10);
}

TEST_F(SkinScrollBarTest, ButtonEventsThumbDragAndBoth) {
  TbsSkinScrollBar* b = AddBar(TbsScrollBarKind::sbHorizontal, 10, 10, 200, true);
  form->Show();
  int ups = 0;
  b->OnUpButtonClick = [&](TObject*) { ++ups; };
  const POINT inc = Centre(b->Layout().IncreaseButton);
  Press(b, inc.x, inc.y);
  Release(b, inc.x, inc.y);
  EXPECT_EQ(ups, 1);
  EXPECT_EQ(b->Position(), 0) << "the event replaces the step";
  b->SetPosition(0);
  EXPECT_EQ(changes, 0) << "no change, no event";
  const POINT thumb = Centre(b->Layout().Thumb);
  Press(b, thumb.x, thumb.y);
  EXPECT_TRUE(b->Dragging());
  Move(b, thumb.x + 40, thumb.y);
  EXPECT_GT(b->Position(), 0);
  EXPECT_EQ(lastChanges, 0);
  Release(b, thumb.x + 40, thumb.y);
  EXPECT_EQ(lastChanges, 1);
  EXPECT_FALSE(b->Focused()) << "a bar that may not take the focus does not take it";

  EXPECT_EQ(b->SkinDataName(), "hscrollbar");
  b->SetBoth(true);
  EXPECT_EQ(b->SkinDataName(), "bothhscrollbar");
  EXPECT_EQ(b->SkinObjectIndex(), skin->FindSkinControl("bothhscrollbar"));
  b->SetBoth(false);
  EXPECT_EQ(b->SkinDataName(), "hscrollbar");
}

TEST_F(SkinScrollBarTest, LooksOfEveryState) {
  std::vector<TbsSkinScrollBar*> bars;
  for (int skinned = 0; skinned < 2; ++skinned)
    for (int state = 0; state < 4; ++state) {
      bars.push_back(AddBar(TbsScrollBarKind::sbHorizontal, 10 + skinned * 200, 10 + state * 30, 180, skinned));
      bars.push_back(AddBar(TbsScrollBarKind::sbVertical, 10 + skinned * 200 + state * 30, 140, 150, skinned));
    }
  form->Show();
  spv::test::PumpMessages();
  for (std::size_t i = 0; i < bars.size(); ++i) {
    TbsSkinScrollBar* b = bars[i];
    const int state = int(i / 2) % 4;
    b->SetRange(0, 100, state == 3 ? 30 : 0, 40);
    if (state == 1) {
      const POINT inc = Centre(b->Layout().IncreaseButton);
      SendMessageW(b->Handle(), WM_MOUSEMOVE, 0, At(inc.x, inc.y));
    } else if (state == 2) {
      const POINT dec = Centre(b->Layout().DecreaseButton);
      Press(b, dec.x, dec.y);
    }
  }
  spv::test::PumpMessages();
  spv::test::SaveWindowPng(form->Handle(), "skin-scrollbar-states");
  // The default look: a hot increase button in its hot colours, a pressed one in the pressed.
  const TbsFBitmap hot = bars[2]->Snapshot(), pressed = bars[4]->Snapshot(), normal = bars[0]->Snapshot();
  const POINT inc = Centre(bars[2]->Layout().IncreaseButton), dec = Centre(bars[4]->Layout().DecreaseButton);
  EXPECT_EQ(hot.At(inc.x + 5, 3), PixelOf(0xD2BDB6));
  EXPECT_EQ(pressed.At(dec.x - 5, 3), PixelOf(0xB59385));
  EXPECT_EQ(normal.At(inc.x + 5, 3), PixelOf(GetSysColor(COLOR_BTNFACE)));
  EXPECT_EQ(normal.At(bars[0]->Layout().IncreaseButton.Left, 3), PixelOf(GetSysColor(COLOR_BTNSHADOW)));
  for (TbsSkinScrollBar* b : bars) Release(b, 0, 0);
}

// The skinned bar per state, read back from the screen: the buttons plain (the bar's own
// picture), hot and pressed, and the thumb plain, hot and pressed, each from its picture of the
// skin, copied as it is there (the thumb's transparent colour shows the track through).
TEST_F(SkinScrollBarTest, TheSkinsLooksOfButtonsAndThumbPerState) {
  const auto& o = dynamic_cast<const TbsDataSkinScrollBarControl&>(
      *skin->SkinControls[std::size_t(skin->FindSkinControl("hscrollbar"))]);
  const TImage& picture = skin->ActivePicture(o.PictureIndex)->Image;
  const TPixel clear = PixelOf(ColorToRGB(TColor(o.ThumbTransparentColor)));
  struct Case {
    const char* state;
    int part;                       // where the pointer is
    bool press;                     // and whether its button is down there
    int shown;                      // the part whose look is checked
    TRect piece;                    // the skin's picture of it
  } cases[] = {
      {"a plain increase button", sbpNone, false, sbpIncreaseButton,
       {o.SkinRect.Left + o.UpButtonRect.Left, o.SkinRect.Top + o.UpButtonRect.Top, o.SkinRect.Left + o.UpButtonRect.Right,
        o.SkinRect.Top + o.UpButtonRect.Bottom}},
      {"a hot increase button", sbpIncreaseButton, false, sbpIncreaseButton, o.ActiveUpButtonRect},
      {"a pressed increase button", sbpIncreaseButton, true, sbpIncreaseButton, o.DownUpButtonRect},
      {"a hot decrease button", sbpDecreaseButton, false, sbpDecreaseButton, o.ActiveDownButtonRect},
      {"a pressed decrease button", sbpDecreaseButton, true, sbpDecreaseButton, o.DownDownButtonRect},
      {"a plain thumb", sbpNone, false, sbpScrollThumb, o.ThumbRect},
      {"a hot thumb", sbpScrollThumb, false, sbpScrollThumb, o.ActiveThumbRect},
      {"a pressed thumb", sbpScrollThumb, true, sbpScrollThumb, o.DownThumbRect},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.state);
    SetCursorPos(1900, 1190);
    TbsSkinScrollBar* b = AddBar(TbsScrollBarKind::sbHorizontal, 10, 10, 180, true);
    form->Show();
    b->SetRange(0, 1000, 0, 500);
    if (c.part != sbpNone) {
      const POINT p = Centre(b->Layout().Part(c.part));
      // The real pointer goes there too, so that the bar does not see it leave.
      POINT screen = p;
      ClientToScreen(b->Handle(), &screen);
      SetCursorPos(screen.x, screen.y);
      if (c.press) Press(b, p.x, p.y);
      else SendMessageW(b->Handle(), WM_MOUSEMOVE, 0, At(p.x, p.y));
    }
    spv::test::PumpMessages();
    const TRect at = b->Layout().Part(c.shown);
    ASSERT_EQ(at.Width(), c.piece.Width());
    ASSERT_EQ(at.Height(), c.piece.Height());
    const TbsFBitmap shot = test::Grab(b->Handle());
    int compared = 0, differing = 0;
    for (int y = 0; y < at.Height(); ++y)
      for (int x = 0; x < at.Width(); ++x) {
        const TPixel want = picture.At(c.piece.Left + x, c.piece.Top + y);
        if (c.shown == sbpScrollThumb && want == clear) continue;
        differing += !(shot.At(at.Left + x, at.Top + y) == want);
        ++compared;
      }
    EXPECT_GT(compared, at.Width() * at.Height() / 2);
    EXPECT_EQ(differing, 0) << "pixels that are not the picture's";
    if (c.press) Release(b, 0, 0);
    delete b;
  }
  // The pointer goes away again, so that it lights nothing in the windows of later tests.
  SetCursorPos(1900, 1190);
  // The pictures of the states differ, so that each case tells its state from the others.
  const auto same = [&](const TRect& a, const TRect& b) {
    for (int y = 0; y < a.Height(); ++y)
      for (int x = 0; x < a.Width(); ++x)
        if (!(picture.At(a.Left + x, a.Top + y) == picture.At(b.Left + x, b.Top + y))) return false;
    return true;
  };
  EXPECT_FALSE(same(o.ActiveUpButtonRect, o.DownUpButtonRect));
  EXPECT_FALSE(same(o.ActiveDownButtonRect, o.DownDownButtonRect));
  EXPECT_FALSE(same(o.ThumbRect, o.ActiveThumbRect));
  EXPECT_FALSE(same(o.ActiveThumbRect, o.DownThumbRect));
}

}  // namespace
}  // namespace bs
