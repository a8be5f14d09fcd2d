#include "skin/controls/bsSkinGrids.h"

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

TPixel PixelOf(COLORREF c) { return {GetBValue(c), GetGValue(c), GetRValue(c)}; }

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
    form = std::make_unique<TForm>();
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

  std::unique_ptr<TForm> form;
  TbsSkinData* skin = nullptr;
  TbsSkinButton* other = nullptr;
};

TEST_F(SkinGridTest, TheMainWindowsGridLooksTheSameFocusedAndNot) {
  TbsSkinStringGrid* g = AddGrid(41);
  form->Show();
  g->SetCurrentCell(0, 20);
  EXPECT_EQ(g->RowHeights(5), 16);
  EXPECT_GT(g->FirstVisibleCell().Y, 1) << "scrolled so that row 20 shows";
  g->SetFocus();
  ASSERT_TRUE(g->Focused());
  spv::test::PumpMessages();
  spv::test::SaveWindowPng(form->Handle(), "skin-grid-focused");
  const TbsFBitmap focusedShot = Capture(*g);
  other->SetFocus();
  ASSERT_FALSE(g->Focused());
  g->Invalidate();
  spv::test::PumpMessages();
  spv::test::SaveWindowPng(form->Handle(), "skin-grid-unfocused");
  const TbsFBitmap unfocusedShot = Capture(*g);
  // The current row keeps the focus picture and no focus rectangle comes or goes.
  EXPECT_TRUE(SameRows(focusedShot, unfocusedShot, 0, unfocusedShot.Height()));

  const TbsDataSkinGridControl& o = GridObject();
  const TPixel white = PixelOf(o.BGColor), silver = PixelOf(o.LinesColor);
  const RECT current = g->CellRect(1, 20), normal = g->CellRect(1, 21), header = g->CellRect(1, 0);
  ASSERT_GT(current.bottom, current.top);
  // Lines in the skin's colour right of and below a cell; white inside a plain cell.
  EXPECT_EQ(unfocusedShot.At(33, normal.top + 5), silver);
  EXPECT_EQ(unfocusedShot.At(100, normal.bottom), silver);
  EXPECT_EQ(unfocusedShot.At(normal.right - 3, normal.top + 1), white);
  // The header and the current row carry their pictures, not the plain white.
  const TImage& picture = skin->ActivePicture(o.PictureIndex)->Image;
  EXPECT_EQ(unfocusedShot.At(header.right - 1, 0), picture.At(o.FixedCellRect.Right - 1, o.FixedCellRect.Top));
  EXPECT_EQ(unfocusedShot.At(current.right - 1, current.top),
            picture.At(o.FocusCellRect.Right - 1, o.FocusCellRect.Top));
  // Past the last column (595 pixels with the gaps) the background colour.
  EXPECT_EQ(unfocusedShot.At(620, 40), white);
  EXPECT_EQ(g->CellRect(4, 1).right, 33 + 230 + 168 + 67 + 92 + 4);
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
  EXPECT_EQ(shot.At(last.left + 3, last.top + 3), PixelOf(RGB(255, 0, 0)));
}

TEST_F(SkinGridTest, SkinCellHeightSqueezesOrSetsTheRows) {
  TbsSkinStringGrid* g = AddGrid(5);
  form->Show();
  EXPECT_EQ(g->DefaultRowHeight(), 16);
  g->SetUseSkinCellHeight(true);
  EXPECT_EQ(g->DefaultRowHeight(), 20);
  EXPECT_EQ(g->CellRect(0, 2).bottom - g->CellRect(0, 2).top, 20);
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

TEST_F(SkinGridTest, MissingPicturesFallBack) {
  TbsSkinStringGrid* g = AddGrid(30);
  form->Show();
  g->SetCurrentCell(0, 3);
  TbsDataSkinGridControl& o = MutableGridObject();
  const TRect fixedRect = o.FixedCellRect, selectRect = o.SelectCellRect;
  o.SelectCellRect = {};
  g->ReadSkinObject();
  EXPECT_EQ(g->Skinned(), true);
  o.FixedCellRect = {};
  g->Invalidate();
  spv::test::PumpMessages();
  spv::test::SaveWindowPng(form->Handle(), "skin-grid-default-look");
  const TbsFBitmap shot = Capture(*g);
  o.FixedCellRect = fixedRect;
  o.SelectCellRect = selectRect;
  // The default look: raised header cells, the highlight on the current row.
  const RECT header = g->CellRect(1, 0), current = g->CellRect(1, 3);
  EXPECT_EQ(shot.At(header.left, header.top + 5), PixelOf(GetSysColor(COLOR_BTNHIGHLIGHT)));
  EXPECT_EQ(shot.At(header.left + 10, header.top + 8), PixelOf(GetSysColor(COLOR_BTNFACE)));
  EXPECT_EQ(shot.At(current.right - 2, current.top + 1), PixelOf(GetSysColor(COLOR_HIGHLIGHT)));
}

}  // namespace
}  // namespace bs
