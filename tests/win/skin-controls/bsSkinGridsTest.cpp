#include "skin/controls/bsSkinGrids.h"

#include "SkinnedForm.h"
#include "WindowShot.h"
#include "platform/Forms.h"
#include "platform/SysUtils.h"
#include "resources/ProgramSkin.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>

namespace bs {
namespace {

using namespace spv::platform;

using test::At;
using test::PixelOf;
using test::TSkinnedForm;

// A pixel of a shot; a point outside it is a failure of the test, not a read past the picture.
TPixel Px(const TImage& shot, int x, int y) {
  if (x < 0 || y < 0 || x >= shot.Width() || y >= shot.Height()) {
    ADD_FAILURE() << "(" << x << ", " << y << ") lies outside the " << shot.Width() << " x " << shot.Height() << " shot";
    return {};
  }
  return shot.At(x, y);
}

// What the screen shows of the grid's client area.
TbsFBitmap Capture(TWinControl& control) {
  UpdateWindow(control.Handle());
  GdiFlush();
  const RECT c = control.ClientRect();
  TbsFBitmap shot(c.right, c.bottom);
  HDC dc = GetDC(control.Handle());
  BitBlt(shot.DC(), 0, 0, c.right, c.bottom, dc, 0, 0, SRCCOPY);
  ReleaseDC(control.Handle(), dc);
  GdiFlush();
  return shot;
}

bool SameRows(const TImage& a, const TImage& b, int top, int bottom) {
  for (int y = top; y < bottom; ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (!(a.At(x, y) == b.At(x, y))) return false;
  return true;
}

std::string Ru(std::wstring_view text) { return WideToCp1251(text); }

class SkinGridTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // The real pointer stays away, so only the messages a test sends reach the grid.
    SetCursorPos(1900, 1190);
    form = std::make_unique<TSkinnedForm>();
    form->SetClientSize(700, 420);
    skin = new TbsSkinData(form.get());
    const auto block = spv::ProgramSkinBlock();
    skin->LoadFromCompressedData(block.data(), block.size());
    ASSERT_FALSE(skin->IsEmpty);
    other = new TbsSkinButton(form.get());
    other->SetParent(form.get());
    other->SetBounds(660, 380, 30, 20);
  }

  // Configured as the main window's result grid.
  TbsSkinStringGrid* AddGrid(int rows, bool skinned = true) {
    auto* g = new TbsSkinStringGrid(form.get());
    g->SetParent(form.get());
    g->SetBounds(10, 10, 640, 360);
    g->SetUseSkinCellHeight(false);
    g->SetDefaultRowHeight(16);
    g->SetFixedCols(0);
    g->SetRowCount(rows);
    g->SetOptions(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRowSelect);
    const int widths[] = {33, 230, 168, 67, 92};
    for (int i = 0; i < 5; ++i) g->SetColWidths(i, widths[i]);
    g->SetGridLineColor(clWindowText);
    const wchar_t* header[] = {L"№", L"Исполнитель", L"Название", L"Время", L"Место"};
    for (int i = 0; i < 5; ++i) g->SetCellText(i, 0, Ru(header[i]));
    for (int r = 1; r < rows; ++r) {
      g->SetCellText(0, r, std::to_string(r));
      g->SetCellText(1, r, Ru(L"Исполнитель номер ") + std::to_string(r));
      g->SetCellText(2, r, Ru(L"Песня о весне, часть ") + std::to_string(r));
      g->SetCellText(3, r, "12:" + std::to_string(10 + r % 50));
      g->SetCellText(4, r, std::to_string(r * 3 % 41));
    }
    if (skinned) g->SetSkinData(skin);
    return g;
  }

  const TbsDataSkinGridControl& GridObject() {
    return dynamic_cast<const TbsDataSkinGridControl&>(*skin->SkinControls[std::size_t(skin->FindSkinControl("grid"))]);
  }
  TbsDataSkinGridControl& MutableGridObject() { return const_cast<TbsDataSkinGridControl&>(GridObject()); }

  void Key(TbsSkinCustomGrid* g, WORD key) { SendMessageW(g->Handle(), WM_KEYDOWN, key, 0); }
  void Wheel(TbsSkinCustomGrid* g, int delta) {
    SendMessageW(g->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(short(delta))), 0);
  }

  std::unique_ptr<TSkinnedForm> form;
  TbsSkinData* skin = nullptr;
  TbsSkinButton* other = nullptr;
};

TEST_F(SkinGridTest, TheMainWindowsGridLooksTheSameFocusedAndNot) {
  TbsSkinStringGrid* g = AddGrid(41);  // the header and 40 rows
  form->Show();
  g->SetCurrentCell(0, 30);
  EXPECT_EQ(g->RowHeights(5), 16);
  EXPECT_GT(g->FirstVisibleCell().Y, 1) << "scrolled so that row 30 shows";
  const RECT current = g->CellRect(1, 30);
  ASSERT_GT(current.bottom, current.top);
  ASSERT_LE(current.bottom, g->ClientHeight()) << "the current row shows whole";
  g->SetFocus();
  ASSERT_TRUE(g->Focused());
  spv::test::PumpMessages();
  spv::test::SaveWindowPng(form->Handle(), "skin-grid-focused");
  const TbsFBitmap focusedShot = Capture(*g);
  other->SetFocus();
  ASSERT_FALSE(g->Focused());
  spv::test::PumpMessages();
  spv::test::SaveWindowPng(form->Handle(), "skin-grid-unfocused");
  const TbsFBitmap unfocusedShot = Capture(*g);
  // The current row keeps the focus picture and no focus rectangle comes or goes.
  EXPECT_TRUE(SameRows(focusedShot, unfocusedShot, 0, unfocusedShot.Height()));

  const TbsDataSkinGridControl& o = GridObject();
  const TPixel white = PixelOf(o.BGColor), silver = PixelOf(o.LinesColor);
  const RECT normal = g->CellRect(1, g->FirstVisibleCell().Y), header = g->CellRect(1, 0);
  // Lines in the skin's colour right of and below a cell; white inside a plain cell.
  EXPECT_EQ(Px(unfocusedShot, 33, normal.top + 5), silver);
  EXPECT_EQ(Px(unfocusedShot, 100, normal.bottom), silver);
  EXPECT_EQ(Px(unfocusedShot, normal.right - 3, normal.top + 1), white);
  // The header and every cell of the current row carry their pictures (squeezed to 16 rows, so
  // the pictures' top and bottom rows land on the cells' top and bottom rows), not the white.
  const TImage& picture = skin->ActivePicture(o.PictureIndex)->Image;
  for (int col = 0; col < 5; ++col) {
    const RECT h = g->CellRect(col, 0), c = g->CellRect(col, 30);
    EXPECT_EQ(Px(unfocusedShot, h.right - 1, h.top), picture.At(o.FixedCellRect.Right - 1, o.FixedCellRect.Top)) << col;
    EXPECT_EQ(Px(unfocusedShot, h.right - 1, h.bottom - 1),
              picture.At(o.FixedCellRect.Right - 1, o.FixedCellRect.Bottom - 1)) << col;
    EXPECT_EQ(Px(unfocusedShot, c.right - 1, c.top), picture.At(o.FocusCellRect.Right - 1, o.FocusCellRect.Top)) << col;
    EXPECT_EQ(Px(unfocusedShot, c.right - 1, c.bottom - 1),
              picture.At(o.FocusCellRect.Right - 1, o.FocusCellRect.Bottom - 1)) << col;
  }
  // The texts are there, in the fonts' colours (all black in the program's skin).
  const auto darkIn = [&](const RECT& r) {
    int dark = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) dark += Px(unfocusedShot, x, y) == PixelOf(o.FocusFontColor);
    return dark;
  };
  EXPECT_GT(darkIn(header), 20);
  EXPECT_GT(darkIn(current), 20);
  EXPECT_GT(darkIn(normal), 20);
  // Past the last column (595 pixels with the gaps) the background colour, on every row.
  EXPECT_EQ(g->CellRect(4, 30).right, 33 + 230 + 168 + 67 + 92 + 4);
  for (int y : {0, 8, int(current.top) + 3, g->ClientHeight() - 1}) EXPECT_EQ(Px(unfocusedShot, 620, y), white) << y;
}

TEST_F(SkinGridTest, DrawCellComesForEveryPaintedCellAfterTheGridsOwnPainting) {
  TbsSkinStringGrid* g = AddGrid(8);
  form->Show();
  spv::test::PumpMessages();
  std::set<std::pair<int, int>> cells;
  bool rectsWhole = true;
  g->OnDrawCell = [&](TObject*, int col, int row, const RECT& rect, TGridDrawState state) {
    cells.insert({col, row});
    const RECT expected = g->CellRect(col, row);
    rectsWhole = rectsWhole && EqualRect(&rect, &expected);
    EXPECT_EQ((state & gdFixed) != 0, row == 0);
    if (col == 4 && row > 0) {
      g->Canvas().Brush().SetColor(clRed);
      g->Canvas().FillRect(rect);
    }
  };
  g->Invalidate();
  const TbsFBitmap shot = Capture(*g);
  EXPECT_EQ(cells.size(), 5u * 8u);
  EXPECT_TRUE(rectsWhole);
  const RECT last = g->CellRect(4, 3);
  EXPECT_EQ(Px(shot, last.left + 3, last.top + 3), PixelOf(RGB(255, 0, 0)));
  // Below the last row, the skin's background colour.
  EXPECT_EQ(Px(shot, 100, g->CellRect(1, 7).bottom + 10), PixelOf(GridObject().BGColor));
}

TEST_F(SkinGridTest, SkinCellHeightSqueezesOrSetsTheRows) {
  TbsSkinStringGrid* g = AddGrid(5);
  form->Show();
  g->SetCurrentCell(0, 2);
  const TbsDataSkinGridControl& o = GridObject();
  const TImage& picture = skin->ActivePicture(o.PictureIndex)->Image;
  ASSERT_EQ(o.FocusCellRect.Height(), 20);
  // A column of the right cap (copied unscaled to the cell's right end) whose rows 15 and 19
  // differ, so that a picture cut off at 16 rows is told from one squeezed into them.
  int x = o.FocusCellRect.Right - 1;
  while (x > o.FocusCellRect.Right - o.CellRightOffset &&
         picture.At(x, o.FocusCellRect.Top + 15) == picture.At(x, o.FocusCellRect.Bottom - 1))
    --x;
  ASSERT_FALSE(picture.At(x, o.FocusCellRect.Top + 15) == picture.At(x, o.FocusCellRect.Bottom - 1));
  const int fromRight = o.FocusCellRect.Right - x;
  struct Case {
    bool useSkinHeight;
    int rowHeight;
  } cases[] = {{false, 16}, {true, 20}, {false, 20}};  // turned off again, the rows keep their height
  for (const Case& c : cases) {
    g->SetUseSkinCellHeight(c.useSkinHeight);
    EXPECT_EQ(g->DefaultRowHeight(), c.rowHeight) << c.useSkinHeight;
    const RECT cell = g->CellRect(2, 2);
    EXPECT_EQ(cell.bottom - cell.top, c.rowHeight) << c.useSkinHeight;
    const TbsFBitmap shot = Capture(*g);
    EXPECT_EQ(Px(shot, cell.right - fromRight, cell.top), picture.At(x, o.FocusCellRect.Top)) << c.useSkinHeight;
    EXPECT_EQ(Px(shot, cell.right - fromRight, cell.bottom - 1), picture.At(x, o.FocusCellRect.Bottom - 1))
        << c.useSkinHeight;
  }
}

TEST_F(SkinGridTest, ErrorsCountsAndTexts) {
  TbsSkinStringGrid* g = AddGrid(10);
  struct Case {
    std::function<void()> act;
    const char* message;
  } cases[] = {
      {[&] { g->SetColWidths(5, 10); }, "Grid index out of range"},
      {[&] { g->SetRowHeights(10, 10); }, "Grid index out of range"},
      {[&] { g->SetFixedRows(10); }, "Fixed row count must be less than row count"},
      {[&] { g->SetFixedCols(5); }, "Fixed column count must be less than column count"},
      {[&] { g->SetCellText(-1, 2, "x"); }, "List index out of bounds (-1)"},
      {[&] { (void)g->CellText(3, -7); }, "List index out of bounds (-7)"},
  };
  for (const Case& c : cases) {
    try {
      c.act();
      ADD_FAILURE() << "no error for " << c.message;
    } catch (const std::exception& e) {
      EXPECT_STREQ(e.what(), c.message);
    }
  }
  EXPECT_EQ(g->CellText(3, 7), "12:17");
  g->SetRowCount(2);
  EXPECT_EQ(g->RowCount(), 2);
  g->SetRowCount(10);
  EXPECT_EQ(g->CellText(3, 7), "12:17") << "a lowered count keeps the texts";
  EXPECT_EQ(g->CellText(0, 300), "");
  g->SetRowCount(0);
  EXPECT_EQ(g->RowCount(), 1);
  EXPECT_EQ(g->FixedRows(), 0) << "the fixed count went below the count";
}

TEST_F(SkinGridTest, KeysWithRowSelectAndTheWheelAtBothEnds) {
  TbsSkinStringGrid* g = AddGrid(100);
  form->Show();
  g->SetFocus();
  const int page = g->VisibleRowCount() - 1;
  struct Step {
    WORD key;
    int row;
  } steps[] = {
      {VK_DOWN, 2}, {VK_RIGHT, 3}, {VK_LEFT, 2}, {VK_UP, 1}, {VK_UP, 1}, {VK_END, 99}, {VK_HOME, 1},
      {VK_NEXT, 1 + page}, {VK_PRIOR, 1},
  };
  for (const Step& s : steps) {
    Key(g, s.key);
    EXPECT_EQ(g->CurrentCell().Y, s.row) << s.key;
    EXPECT_EQ(g->SelectionRect(), (TGridRect{0, s.row, 4, s.row}));
  }
  Wheel(g, 120);
  EXPECT_EQ(g->CurrentCell().Y, 1) << "turning up on the first scrollable row";
  Wheel(g, -120);
  EXPECT_EQ(g->CurrentCell().Y, 2);
  Key(g, VK_END);
  EXPECT_EQ(g->FirstVisibleCell().Y, 100 - g->VisibleRowCount());
  Wheel(g, -120);
  EXPECT_EQ(g->CurrentCell().Y, 99) << "turning down on the last row";
  Wheel(g, 120);
  EXPECT_EQ(g->CurrentCell().Y, 98);
}

TEST_F(SkinGridTest, AColumnOfWidthMinusOneTakesNoRoomAndIsNotPainted) {
  TbsSkinStringGrid* g = AddGrid(4);
  g->SetColWidths(2, -1);
  g->SetColWidths(3, -20);
  form->Show();
  std::set<int> painted;
  g->OnDrawCell = [&](TObject*, int col, int, const RECT&, TGridDrawState) { painted.insert(col); };
  g->Invalidate();
  Capture(*g);
  EXPECT_EQ(painted, (std::set<int>{0, 1, 4}));
  EXPECT_EQ(g->CellRect(4, 1).left, 33 + 1 + 230 + 1) << "neither narrow column moves the next back";
}

// Dragging with range selection: the press point stays the current cell and the selection's
// other corner, AnchorCell, follows the pointer; held beyond an edge, it moves on one cell per
// tick of the selection timer, scrolling into view, while the press point stays.
TEST_F(SkinGridTest, ARangeDragMovesTheAnchorAndThePressPointStays) {
  TbsSkinStringGrid* g = AddGrid(80);
  g->SetOptions(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect);
  g->SetColCount(14);
  for (int i = 5; i < 14; ++i) g->SetColWidths(i, 90);
  form->Show();
  spv::test::PumpMessages();
  const int w = g->ClientWidth(), h = g->ClientHeight();
  const auto centre = [&](int col, int row) {
    const RECT r = g->CellRect(col, row);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  };
  struct Case {
    const char* where;
    TGridCoord press;  // scrolled into view first
    POINT (*past)(int w, int h, POINT press);
    int dx, dy;  // the direction the anchor must go
  } cases[] = {
      {"below", {2, 5}, [](int, int h, POINT p) { return POINT{p.x, h + 25}; }, 0, 1},
      {"right", {2, 5}, [](int w, int, POINT p) { return POINT{w + 25, p.y}; }, 1, 0},
      {"above", {3, 60}, [](int, int, POINT p) { return POINT{p.x, -25}; }, 0, -1},
      {"left", {9, 8}, [](int, int, POINT p) { return POINT{-25, p.y}; }, -1, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.where);
    g->SetCurrentCell(c.press.X, c.press.Y);
    spv::test::PumpMessages();
    const POINT p = centre(c.press.X, c.press.Y);
    SendMessageW(g->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(p.x, p.y));
    ASSERT_EQ(g->CurrentCell(), c.press);
    ASSERT_EQ(g->AnchorCell(), c.press);
    const POINT out = c.past(w, h, p);
    SendMessageW(g->Handle(), WM_MOUSEMOVE, MK_LBUTTON, At(out.x, out.y));
    // Three ticks or more; then let go where the pointer is.
    const auto moved = [&] {
      const TGridCoord a = g->AnchorCell();
      return (a.X - c.press.X) * c.dx + (a.Y - c.press.Y) * c.dy;
    };
    EXPECT_TRUE(spv::test::PumpUntil([&] { return moved() >= 3 || g->CurrentCell() != c.press; }));
    SendMessageW(g->Handle(), WM_LBUTTONUP, 0, At(out.x, out.y));
    const int steps = moved();
    const TGridCoord a = g->AnchorCell();
    EXPECT_EQ(g->CurrentCell(), c.press) << "the press point stays";
    EXPECT_GE(steps, 3);
    EXPECT_EQ(a, (TGridCoord{c.press.X + c.dx * steps, c.press.Y + c.dy * steps})) << "only along the drag";
    const TGridRect sel = g->SelectionRect();
    EXPECT_EQ(sel, (TGridRect{std::min(a.X, c.press.X), std::min(a.Y, c.press.Y), std::max(a.X, c.press.X),
                              std::max(a.Y, c.press.Y)}))
        << "the selection spans the press point and the anchor";
    // The anchor was scrolled into view.
    const RECT shown = g->CellRect(a.X, a.Y);
    EXPECT_TRUE(shown.right > shown.left && shown.bottom > shown.top);
  }

  // Inside the grid the anchor is the cell under the pointer; a press with Shift moves the
  // anchor from where the selection began, and a drag after it goes on from there.
  g->SetCurrentCell(1, 3);
  spv::test::PumpMessages();
  POINT p = centre(1, 3);
  SendMessageW(g->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(p.x, p.y));
  p = centre(3, 6);
  SendMessageW(g->Handle(), WM_MOUSEMOVE, MK_LBUTTON, At(p.x, p.y));
  SendMessageW(g->Handle(), WM_LBUTTONUP, 0, At(p.x, p.y));
  EXPECT_EQ(g->CurrentCell(), (TGridCoord{1, 3}));
  EXPECT_EQ(g->AnchorCell(), (TGridCoord{3, 6}));
  p = centre(2, 8);
  SendMessageW(g->Handle(), WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, At(p.x, p.y));
  EXPECT_EQ(g->CurrentCell(), (TGridCoord{1, 3}));
  EXPECT_EQ(g->AnchorCell(), (TGridCoord{2, 8}));
  p = centre(4, 9);
  SendMessageW(g->Handle(), WM_MOUSEMOVE, MK_LBUTTON | MK_SHIFT, At(p.x, p.y));
  SendMessageW(g->Handle(), WM_LBUTTONUP, 0, At(p.x, p.y));
  EXPECT_EQ(g->SelectionRect(), (TGridRect{1, 3, 4, 9}));
}

TEST_F(SkinGridTest, AnEmptySelectPictureTakesTheFocusPictureAndTheReverse) {
  TbsSkinStringGrid* g = AddGrid(10);
  g->SetOptions(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect);
  form->Show();
  g->SetFocus();
  g->SetSelection({1, 2, 3, 2});  // (3, 2) current and focused, (1, 2) and (2, 2) only selected
  TbsDataSkinGridControl& o = MutableGridObject();
  const TRect selectRect = o.SelectCellRect, focusRect = o.FocusCellRect;
  const TImage& picture = skin->ActivePicture(o.PictureIndex)->Image;
  const auto corner = [&](const TRect& r) { return picture.At(r.Right - 1, r.Bottom - 1); };
  ASSERT_FALSE(corner(selectRect) == corner(focusRect));
  struct Case {
    TRect select, focus;
    TRect selectedShows, focusedShows;
  } cases[] = {
      {selectRect, focusRect, selectRect, focusRect},
      {{}, focusRect, focusRect, focusRect},
      {selectRect, {}, selectRect, selectRect},
  };
  for (const Case& c : cases) {
    o.SelectCellRect = c.select;
    o.FocusCellRect = c.focus;
    g->Invalidate();
    const TbsFBitmap shot = Capture(*g);
    const RECT selected = g->CellRect(2, 2), focused = g->CellRect(3, 2);
    EXPECT_EQ(Px(shot, selected.right - 1, selected.bottom - 1), corner(c.selectedShows));
    EXPECT_EQ(Px(shot, focused.right - 1, focused.bottom - 1), corner(c.focusedShows));
  }
  o.SelectCellRect = selectRect;
  o.FocusCellRect = focusRect;
}

TEST_F(SkinGridTest, AnEmptyFixedPictureGivesTheDefaultLook) {
  TbsSkinStringGrid* g = AddGrid(30);
  form->Show();
  g->SetCurrentCell(0, 3);
  g->SetFocus();
  TbsDataSkinGridControl& o = MutableGridObject();
  const TRect fixedRect = o.FixedCellRect;
  o.FixedCellRect = {};
  g->Invalidate();
  spv::test::PumpMessages();
  EXPECT_FALSE(g->Skinned());
  spv::test::SaveWindowPng(form->Handle(), "skin-grid-default-look");
  const TbsFBitmap shot = Capture(*g);
  o.FixedCellRect = fixedRect;
  // The default look: raised header cells in the button face, the highlight on the current row,
  // lines in the grid's own colour, and a focus rectangle around the row.
  const RECT header = g->CellRect(1, 0), current = g->CellRect(1, 3), plain = g->CellRect(1, 5);
  EXPECT_EQ(Px(shot, header.left, header.top + 5), PixelOf(GetSysColor(COLOR_BTNHIGHLIGHT)));
  EXPECT_EQ(Px(shot, header.right - 1, header.top + 5), PixelOf(GetSysColor(COLOR_BTNSHADOW)));
  EXPECT_EQ(Px(shot, header.left + 10, header.top + 8), PixelOf(GetSysColor(COLOR_BTNFACE)));
  EXPECT_EQ(Px(shot, current.right - 4, current.top + 4), PixelOf(GetSysColor(COLOR_HIGHLIGHT)));
  EXPECT_EQ(Px(shot, plain.right - 4, plain.top + 4), PixelOf(GetSysColor(COLOR_WINDOW)));
  EXPECT_EQ(Px(shot, plain.right, plain.top + 4), PixelOf(GetSysColor(COLOR_WINDOWTEXT)));
  const TPixel highlight = PixelOf(GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_FALSE(Px(shot, current.right - 4, current.top) == highlight && Px(shot, current.right - 5, current.top) == highlight)
      << "the focus rectangle's dots run along the row's top edge";
}

}  // namespace
}  // namespace bs
