#include "platform/Hints.h"
#include "skin/controls/bsSkinTabs.h"
#include "skin/controls/bsSkinTabsLayout.h"

#include "SkinTestForm.h"
#include "UserDrag.h"

#include <string>
#include <vector>

namespace bs::test {
namespace {

using namespace spv::platform;

// The legend's colours: by hand, moved, not aired.
const TbsTabMarks kThree{0x0000FF, 0x00FFFF, 0x00FF00};

// The window's 24 hour tabs in two rows over the page, drawn with the program's skin.
class TabMarksTest : public SkinnedFormTest {
 protected:
  void SetUp() override {
    SkinnedFormTest::SetUp();
    tabs = new TbsSkinTabControl(form.get());
    tabs->SetParent(form.get());
    tabs->SetAlign(TAlign::alClient);
    tabs->SetMultiLine(true);
    tabs->SetSkinData(skin);
    for (int h = 0; h < 24; ++h) tabs->AddTab(std::to_wstring(h));
    tabs->SetTabWidth(tabs->ClientWidth() / 12 - 1);
    form->SetLeft(60);
    form->SetTop(60);
    form->Show();
    SetForegroundWindow(form->Handle());
    UpdateWindow(form->Handle());
    spv::test::PumpMessages();
  }
  void TearDown() override { spv::test::ParkPointer(); }

  static void PointerTo(POINT screen) {
    INPUT i = spv::test::PointerInput(screen, 0);
    SendInput(1, &i, sizeof(INPUT));
    spv::test::PumpMessages(40);
  }
  POINT TabCentre(int index) const {
    const RECT r = tabs->TabRect(index);
    return tabs->ClientToScreen({(r.left + r.right) / 2, (r.top + r.bottom) / 2 + 3});
  }
  TbsFBitmap Shown() {
    spv::test::PumpMessages(60);
    return Grab(tabs->Handle());
  }
  // The marks' squares of every tab marked with `marks`, and their colours, by pixel.
  std::vector<std::pair<TRect, TColor>> Squares(const std::vector<TbsTabMarks>& marks) {
    std::vector<std::pair<TRect, TColor>> all;
    for (int i = 0; i < int(marks.size()); ++i) {
      const auto squares = TabMarkRects(FromRECT(tabs->TabRect(i)), int(marks[std::size_t(i)].size()));
      for (std::size_t k = 0; k < squares.size(); ++k) all.push_back({squares[k], marks[std::size_t(i)][k]});
    }
    return all;
  }
  // With and without the marks, the control's picture differs exactly in the squares, each a
  // solid square of its colour.
  void ExpectOnlyTheSquaresDiffer(const TbsFBitmap& plain, const TbsFBitmap& marked,
                                  const std::vector<TbsTabMarks>& marks) {
    const auto squares = Squares(marks);
    ASSERT_FALSE(squares.empty());
    int wrong = 0;
    for (int y = 0; y < plain.Height(); ++y)
      for (int x = 0; x < plain.Width(); ++x) {
        const TColor* colour = nullptr;
        for (const auto& [r, c] : squares)
          if (x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom) colour = &c;
        const TPixel want = colour ? PixelOf(ColorToRGB(*colour)) : plain.At(x, y);
        if (!(marked.At(x, y) == want) && ++wrong <= 5)
          ADD_FAILURE() << "pixel " << x << ", " << y << (colour ? " of a mark" : " outside the marks");
      }
    EXPECT_EQ(wrong, 0);
  }

  TbsSkinTabControl* tabs = nullptr;
};

TEST_F(TabMarksTest, MarksShowInEveryTabStateAndLeaveEverythingElseAsItWas) {
  // Tab 0 selected, tab 7 under the pointer (hot), the rest plain; tab 13 in the other row.
  std::vector<TbsTabMarks> marks(24);
  marks[0] = kThree;
  marks[5] = {0x0000FF};
  marks[7] = {0x00FFFF, 0x00FF00};
  marks[13] = kThree;
  marks[20] = {0x00FF00};
  PointerTo(TabCentre(7));
  ASSERT_EQ(tabs->HotTabIndex(), 7);
  ASSERT_EQ(tabs->TabIndex(), 0);
  for (const bool focused : {false, true}) {
    SCOPED_TRACE(focused ? "focused" : "not focused");
    if (focused) {
      tabs->SetFocus();
      ASSERT_TRUE(tabs->Focused());
    }
    tabs->SetMarks({});
    const TbsFBitmap plain = Shown();
    tabs->SetMarks(marks);
    const TbsFBitmap marked = Shown();
    ExpectOnlyTheSquaresDiffer(plain, marked, marks);
    spv::test::SaveWindowPng(form->Handle(), focused ? "tab-marks-focused" : "tab-marks");
  }
  // The pointer moves on: the tab it leaves is drawn plain again, its marks kept, and the tab
  // it comes to is drawn hot with its own.
  PointerTo(TabCentre(13));
  ASSERT_EQ(tabs->HotTabIndex(), 13);
  const TbsFBitmap moved = Shown();
  tabs->SetMarks({});
  ExpectOnlyTheSquaresDiffer(Shown(), moved, marks);
}

TEST_F(TabMarksTest, SettingMarksRepaintsOnlyTheTabsWhoseMarksChanged) {
  const auto invalid = [&] {
    const HRGN region = CreateRectRgn(0, 0, 0, 0);
    const int kind = GetUpdateRgn(tabs->Handle(), region, FALSE);
    RECT box{};
    GetRgnBox(region, &box);
    DeleteObject(region);
    return kind == NULLREGION ? RECT{} : box;
  };
  const auto settle = [] { spv::test::PumpMessages(60); };
  settle();
  ASSERT_EQ(FromRECT(invalid()), TRect{});

  std::vector<TbsTabMarks> marks(24);
  marks[3] = kThree;
  tabs->SetMarks(marks);
  EXPECT_EQ(FromRECT(invalid()), FromRECT(tabs->TabRect(3)));
  settle();

  // The same marks again, as a list of another length or tab by tab: nothing to repaint.
  tabs->SetMarks(marks);
  tabs->SetMarks(std::vector<TbsTabMarks>(marks.begin(), marks.begin() + 4));
  tabs->SetTabMarks(3, kThree);
  tabs->SetTabMarks(30, {});
  EXPECT_EQ(FromRECT(invalid()), TRect{});

  tabs->SetTabMarks(15, {0x00FF00});
  EXPECT_EQ(FromRECT(invalid()), FromRECT(tabs->TabRect(15)));
  settle();
  EXPECT_EQ(tabs->Marks()[15], (TbsTabMarks{0x00FF00}));

  // Clearing repaints the two marked tabs and nothing between them.
  tabs->SetMarks({});
  const HRGN region = CreateRectRgn(0, 0, 0, 0);
  GetUpdateRgn(tabs->Handle(), region, FALSE);
  const RECT between = tabs->TabRect(9);
  EXPECT_FALSE(RectInRegion(region, &between));
  const RECT three = tabs->TabRect(3), fifteen = tabs->TabRect(15);
  EXPECT_TRUE(RectInRegion(region, &three));
  EXPECT_TRUE(RectInRegion(region, &fifteen));
  DeleteObject(region);
}

// The hint over the tabs is the tab's own: it appears once the pointer rests on a tab, changes
// on the next tab, and goes when the pointer leaves the tabs.
class TabHintsTest : public TabMarksTest {
 protected:
  void SetUp() override {
    TabMarksTest::SetUp();
    auto& hints = ApplicationHints();
    hints.HintPause = 150;
    hints.HintShortPause = 40;
    hints.HintHidePause = 5000;
    form->SetShowHint(true);
    tabs->Hint = L"Часы дня";
    tabs->OnTabHint = [this](int index, std::wstring& hint) {
      asked.push_back(index);
      if (index == 5) hint.clear();
      else hint = L"Час " + std::to_wstring(index);
    };
  }
  void TearDown() override {
    TabMarksTest::TearDown();
    ApplicationHints().CancelHint();
    auto& hints = ApplicationHints();
    hints.HintPause = 500;
    hints.HintShortPause = 50;
    hints.HintHidePause = 2500;
  }
  static std::wstring HintShown() {
    THintWindow* w = ApplicationHints().HintWindow();
    if (!w || !w->HandleAllocated() || !IsWindowVisible(w->WindowHandle())) return {};
    wchar_t text[256] = {};
    GetWindowTextW(w->WindowHandle(), text, 256);
    return text;
  }
  static bool WaitHint(const std::wstring& text) {
    return spv::test::PumpUntil([&] { return HintShown() == text; });
  }

  std::vector<int> asked;
};

TEST_F(TabHintsTest, EachTabShowsItsOwnHintAndLeavingTheTabsHidesIt) {
  PointerTo(TabCentre(2));
  ASSERT_TRUE(WaitHint(L"Час 2"));
  // A picture of the hint over the tab, with the window around it.
  RECT shot;
  GetWindowRect(form->Handle(), &shot);
  RECT hint;
  GetWindowRect(ApplicationHints().HintWindow()->WindowHandle(), &hint);
  UnionRect(&shot, &shot, &hint);
  spv::test::SaveScreenPng(shot, "tab-hint");

  // Along the same tab: the same hint, not asked for again.
  PointerTo({TabCentre(2).x + 6, TabCentre(2).y});
  EXPECT_EQ(HintShown(), L"Час 2");
  EXPECT_EQ(asked, (std::vector<int>{2}));

  // The next tab, in the other row too.
  PointerTo(TabCentre(3));
  ASSERT_TRUE(WaitHint(L"Час 3"));
  PointerTo(TabCentre(15));
  ASSERT_TRUE(WaitHint(L"Час 15"));
  // A tab the handler gives no hint shows none.
  PointerTo(TabCentre(5));
  EXPECT_EQ(HintShown(), L"");
  spv::test::PumpMessages(400);
  EXPECT_EQ(HintShown(), L"");
  EXPECT_EQ(asked, (std::vector<int>{2, 3, 15, 5}));

  // Off the tabs, onto the page: the control's own hint, not a tab's.
  const RECT page = tabs->DisplayRect();
  PointerTo(tabs->ClientToScreen({(page.left + page.right) / 2, (page.top + page.bottom) / 2}));
  ASSERT_TRUE(WaitHint(L"Часы дня"));
  EXPECT_EQ(asked.size(), 4u);
  // Off the window: nothing at all, once the system has told the window the pointer left.
  spv::test::ParkPointer();
  EXPECT_TRUE(spv::test::PumpUntil([] { return HintShown().empty(); }));
  EXPECT_EQ(ApplicationHints().HintControl(), nullptr);
}

}  // namespace
}  // namespace bs::test
