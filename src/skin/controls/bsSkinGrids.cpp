#include "skin/controls/bsSkinGrids.h"

#include <windowsx.h>

#include "platform/FormReader.h"
#include "platform/SysUtils.h"
#include "skin/controls/bsSkinScrollBar.h"

#include <algorithm>
#include <array>

namespace bs {

using spv::platform::TComponent;
using spv::platform::TMessage;
using spv::platform::TShiftState;

namespace {
constexpr unsigned kSelectScrollInterval = 60;
}  // namespace

TbsSkinCustomGrid::TbsSkinCustomGrid(TComponent* owner) : TbsSkinControl(owner) {
  SkinDataName_ = "grid";
  Cols_ = {5, 1, 64, {}, 1};
  Rows_ = {5, 1, 20, {}, 1};
  SetColor(spv::platform::clWindow);
  SetTabStop(true);
  SetBounds(0, 0, 320, 120);
}

TbsSkinCustomGrid::~TbsSkinCustomGrid() {
  SelectTimer_.Stop();
  if (HScrollBar_) RemoveFreeNotification(HScrollBar_);
  if (VScrollBar_) RemoveFreeNotification(VScrollBar_);
}

// -- Axes and layout

TbsGridAxis TbsSkinCustomGrid::AxisCols() const {
  TbsGridAxis a = Cols_;
  a.Gap = Options_ & (goFixedVertLine | goVertLine) ? GridLineWidth_ : 0;
  return a;
}

TbsGridAxis TbsSkinCustomGrid::AxisRows() const {
  TbsGridAxis a = Rows_;
  a.Gap = Options_ & (goFixedHorzLine | goHorzLine) ? GridLineWidth_ : 0;
  return a;
}

void TbsSkinCustomGrid::Relayout() {
  ClampIntoGrid();
  FitScrollBars();
  Invalidate();
}

void TbsSkinCustomGrid::ClampIntoGrid() {
  const auto clampCell = [this](TGridCoord& c) {
    c.X = std::clamp(c.X, Cols_.Fixed, Cols_.Count - 1);
    c.Y = std::clamp(c.Y, Rows_.Fixed, Rows_.Count - 1);
  };
  clampCell(Current_);
  clampCell(Anchor_);
  if (Options_ & goRowSelect) Anchor_.X = Cols_.Count - 1;
  if (!HandleAllocated()) {
    clampCell(First_);
    return;
  }
  const RECT c = ClientRect();
  First_.X = ClampFirstVisible(Cols_, First_.X, GridMaxFirstVisible(AxisCols(), c.right));
  First_.Y = ClampFirstVisible(Rows_, First_.Y, GridMaxFirstVisible(AxisRows(), c.bottom));
}

int TbsSkinCustomGrid::VisibleColCount() {
  return LayoutGridAxis(AxisCols(), First_.X, ClientWidth()).FullVisibleCount();
}

int TbsSkinCustomGrid::VisibleRowCount() {
  return LayoutGridAxis(AxisRows(), First_.Y, ClientHeight()).FullVisibleCount();
}

RECT TbsSkinCustomGrid::CellRect(int col, int row) {
  TbsGridSpan x, y;
  const RECT c = ClientRect();
  if (!GridCellSpan(AxisCols(), First_.X, c.right, col, x) || !GridCellSpan(AxisRows(), First_.Y, c.bottom, row, y))
    return {0, 0, 0, 0};
  const auto end = [](const TbsGridSpan& s) {
    return int(std::min<std::int64_t>(std::int64_t(s.Start) + std::max(0, s.Size), INT_MAX));
  };
  const int dx = x.Fixed ? 0 : -PixelOffset_;
  return {x.Start + dx, y.Start, end(x) + dx, end(y)};
}

TGridCoord TbsSkinCustomGrid::MouseCoord(int x, int y) {
  const RECT c = ClientRect();
  const int col = GridCellAt(AxisCols(), First_.X, c.right, x), row = GridCellAt(AxisRows(), First_.Y, c.bottom, y);
  if (col < 0 || row < 0) return {-1, -1};
  return {col, row};
}

// -- Properties

void TbsSkinCustomGrid::SetUseSkinFont(bool value) {
  UseSkinFont_ = value;
  Invalidate();
}

void TbsSkinCustomGrid::SetUseSkinCellHeight(bool value) {
  UseSkinCellHeight_ = value;
  if (SkinData()) ApplySkin();
}

void TbsSkinCustomGrid::SetGridLineColor(spv::platform::TColor value) {
  GridLineColor_ = value;
  if (!Skinned()) Invalidate();
}

void TbsSkinCustomGrid::SetDefaultCellHeight(int value) {
  DefaultCellHeight_ = value;
  if (!Skinned()) SetDefaultRowHeight(value);
}

void TbsSkinCustomGrid::SetColCount(int value) {
  value = GridCountFor(value);
  if (value == Cols_.Count) return;
  if (Cols_.Fixed >= value) Cols_.Fixed = value - 1;
  Cols_.Count = value;
  if (!Cols_.Sizes.empty()) Cols_.Sizes.resize(std::size_t(value), Cols_.DefaultSize);
  Relayout();
}

void TbsSkinCustomGrid::SetRowCount(int value) {
  value = GridCountFor(value);
  if (value == Rows_.Count) return;
  if (Rows_.Fixed >= value) Rows_.Fixed = value - 1;
  Rows_.Count = value;
  if (!Rows_.Sizes.empty()) Rows_.Sizes.resize(std::size_t(value), Rows_.DefaultSize);
  Relayout();
}

void TbsSkinCustomGrid::SetFixedCols(int value) {
  if (value < 0) throw bsEInvalidGridOperation("Grid index out of range");
  if (value >= Cols_.Count) throw bsEInvalidGridOperation("Fixed column count must be less than column count");
  Cols_.Fixed = value;
  Current_.X = std::max(Current_.X, value);
  First_.X = std::max(First_.X, value);
  Relayout();
}

void TbsSkinCustomGrid::SetFixedRows(int value) {
  if (value < 0) throw bsEInvalidGridOperation("Grid index out of range");
  if (value >= Rows_.Count) throw bsEInvalidGridOperation("Fixed row count must be less than row count");
  Rows_.Fixed = value;
  Current_.Y = std::max(Current_.Y, value);
  First_.Y = std::max(First_.Y, value);
  Relayout();
}

void TbsSkinCustomGrid::SetDefaultColWidth(int value) {
  Cols_.DefaultSize = value;
  Cols_.Sizes.clear();
  Relayout();
}

void TbsSkinCustomGrid::SetDefaultRowHeight(int value) {
  Rows_.DefaultSize = value;
  Rows_.Sizes.clear();
  Relayout();
}

void TbsSkinCustomGrid::SetColWidths(int col, int value) {
  if (col < 0 || col >= Cols_.Count) throw bsEInvalidGridOperation("Grid index out of range");
  if (Cols_.Sizes.empty()) Cols_.Sizes.assign(std::size_t(Cols_.Count), Cols_.DefaultSize);
  if (Cols_.Sizes[std::size_t(col)] == value) return;
  Cols_.Sizes[std::size_t(col)] = value;
  Relayout();
}

void TbsSkinCustomGrid::SetRowHeights(int row, int value) {
  if (row < 0 || row >= Rows_.Count) throw bsEInvalidGridOperation("Grid index out of range");
  if (Rows_.Sizes.empty()) Rows_.Sizes.assign(std::size_t(Rows_.Count), Rows_.DefaultSize);
  if (Rows_.Sizes[std::size_t(row)] == value) return;
  Rows_.Sizes[std::size_t(row)] = value;
  Relayout();
}

void TbsSkinCustomGrid::SetGridLineWidth(int value) {
  GridLineWidth_ = std::max(0, value);
  Relayout();
}

void TbsSkinCustomGrid::SetOptions(TGridOptions value) {
  Options_ = value;
  Relayout();
}

void TbsSkinCustomGrid::SetDefaultDrawing(bool value) {
  DefaultDrawing_ = value;
  Invalidate();
}

void TbsSkinCustomGrid::SetFixedColor(spv::platform::TColor value) {
  FixedColor_ = value;
  Invalidate();
}

// -- Current cell, selection, first visible cell

TGridRect TbsSkinCustomGrid::SelectionRect() const {
  TGridRect r{std::min(Current_.X, Anchor_.X), std::min(Current_.Y, Anchor_.Y), std::max(Current_.X, Anchor_.X),
              std::max(Current_.Y, Anchor_.Y)};
  if (Options_ & goRowSelect) {
    r.Left = Cols_.Fixed;
    r.Right = Cols_.Count - 1;
  }
  return r;
}

void TbsSkinCustomGrid::SetSelection(const TGridRect& r) {
  InvalidateSelection();
  Anchor_ = {r.Left, r.Top};
  Current_ = {r.Right, r.Bottom};
  ClampIntoGrid();
  InvalidateSelection();
}

void TbsSkinCustomGrid::InvalidateRows(int fromRow, int toRow) {
  if (!HandleAllocated()) return;
  const RECT c = ClientRect();
  for (int row = std::min(fromRow, toRow); row <= std::max(fromRow, toRow); ++row) {
    TbsGridSpan y;
    if (!GridCellSpan(AxisRows(), First_.Y, c.bottom, row, y)) continue;
    const RECT r{0, y.Start, c.right, int(std::min<std::int64_t>(std::int64_t(y.Start) + std::max(0, y.Size), INT_MAX))};
    InvalidateRect(Handle(), &r, FALSE);
  }
}

void TbsSkinCustomGrid::InvalidateSelection() {
  const TGridRect s = SelectionRect();
  // The rows on screen are few: a long selection costs what the screen shows.
  const int from = std::max(s.Top, First_.Y), to = std::min(s.Bottom, First_.Y + ClientHeight() + 1);
  InvalidateRows(from, to);
}

void TbsSkinCustomGrid::InvalidateCell(int col, int row) {
  if (!HandleAllocated()) return;
  const RECT r = CellRect(col, row);
  if (r.right > r.left && r.bottom > r.top) InvalidateRect(Handle(), &r, FALSE);
}

void TbsSkinCustomGrid::SetFirstVisibleCell(int col, int row) {
  const RECT c = ClientRect();
  col = ClampFirstVisible(Cols_, col, GridMaxFirstVisible(AxisCols(), c.right));
  row = ClampFirstVisible(Rows_, row, GridMaxFirstVisible(AxisRows(), c.bottom));
  if (col == First_.X && row == First_.Y) return;
  const int dy = row - First_.Y;
  const TGridCoord old = First_;
  First_ = {col, row};
  if (HandleAllocated()) {
    // A move by a few rows scrolls the pixels that stay and paints only the rows that come in.
    const TbsGridAxis rows = AxisRows();
    const TbsGridAxisLayout l = LayoutGridAxis(rows, old.Y, c.bottom);
    if (col == old.X && rows.Sizes.empty() && dy != 0 && std::abs(dy) < l.FullVisibleCount()) {
      const int step = int(rows.Advance(0)), by = -dy * step;
      RECT area{0, l.FixedBoundary, c.right, c.bottom};
      ScrollWindowEx(Handle(), 0, by, &area, &area, nullptr, nullptr, SW_INVALIDATE);
      // The row cut by the bottom edge is painted whole again.
      const RECT tail{0, std::max<LONG>(l.FixedBoundary, c.bottom - std::abs(by) - step), c.right, c.bottom};
      InvalidateRect(Handle(), &tail, FALSE);
    } else {
      Invalidate();
    }
  }
  FitScrollBars();
  if (OnTopLeftChanged) OnTopLeftChanged(this);
}

void TbsSkinCustomGrid::MoveCurrent(int col, int row, bool keepAnchor, bool show) {
  col = std::clamp(col, Cols_.Fixed, Cols_.Count - 1);
  row = std::clamp(row, Rows_.Fixed, Rows_.Count - 1);
  if (OnSelectCell && TGridCoord{col, row} != Current_) {
    bool can = true;
    OnSelectCell(this, col, row, can);
    if (!can) return;
  }
  InvalidateSelection();
  Current_ = {col, row};
  if (!keepAnchor) Anchor_ = Current_;
  if (Options_ & goRowSelect) Anchor_.X = Cols_.Count - 1;
  if (show && HandleAllocated()) {
    const RECT c = ClientRect();
    SetFirstVisibleCell(GridFirstToShow(AxisCols(), First_.X, col, c.right),
                        GridFirstToShow(AxisRows(), First_.Y, row, c.bottom));
  }
  InvalidateSelection();
}

void TbsSkinCustomGrid::MoveAnchor(int col, int row) {
  if (!RangeSelecting()) {
    MoveCurrent(col, row, false, true);
    return;
  }
  col = std::clamp(col, Cols_.Fixed, Cols_.Count - 1);
  row = std::clamp(row, Rows_.Fixed, Rows_.Count - 1);
  InvalidateSelection();
  Anchor_ = {col, row};
  if (HandleAllocated()) {
    const RECT c = ClientRect();
    SetFirstVisibleCell(GridFirstToShow(AxisCols(), First_.X, col, c.right),
                        GridFirstToShow(AxisRows(), First_.Y, row, c.bottom));
  }
  InvalidateSelection();
}

void TbsSkinCustomGrid::SetCurrentCell(int col, int row) { MoveCurrent(col, row, false, true); }

// -- Scrolling and the external bars

void TbsSkinCustomGrid::ScrollGrid(TAxis axis, TScrollRequest request, int position) {
  if (Visible() && CanFocus() && TabStop() && !Focused() && HandleAllocated()) SetFocus();
  const RECT c = ClientRect();
  const bool horizontal = axis == TAxis::Horizontal;
  const TbsGridAxis a = horizontal ? AxisCols() : AxisRows();
  const int extent = horizontal ? c.right : c.bottom;
  if (horizontal && Cols_.Count == 1) {
    // One column scrolls by pixels: a line is the width of "0", a page the client.
    const std::int64_t overflow = std::max<std::int64_t>(0, std::int64_t(Cols_.Size(0)) - c.right);
    SIZE zero{8, 0};
    if (HDC dc = GetDC(Handle())) {
      SelectObject(dc, Font().Handle());
      GetTextExtentPoint32W(dc, L"0", 1, &zero);
      ReleaseDC(Handle(), dc);
    }
    std::int64_t offset = PixelOffset_;
    switch (request) {
      case TScrollRequest::LineUp: offset -= zero.cx; break;
      case TScrollRequest::LineDown: offset += zero.cx; break;
      case TScrollRequest::PageUp: offset -= c.right; break;
      case TScrollRequest::PageDown: offset += c.right; break;
      case TScrollRequest::Position: offset = position; break;
      case TScrollRequest::Top: offset = 0; break;
      case TScrollRequest::Bottom: offset = overflow; break;
    }
    offset = std::clamp<std::int64_t>(offset, 0, overflow);
    if (offset != PixelOffset_) {
      PixelOffset_ = int(offset);
      Invalidate();
      FitScrollBars();
    }
    return;
  }
  const int maxFirst = GridMaxFirstVisible(a, extent);
  const int first = horizontal ? First_.X : First_.Y;
  const int page = GridPageSize(LayoutGridAxis(a, first, extent));
  int next = first;
  switch (request) {
    case TScrollRequest::LineUp: next = GridScrollBy(a, first, -1, maxFirst); break;
    case TScrollRequest::LineDown: next = GridScrollBy(a, first, 1, maxFirst); break;
    case TScrollRequest::PageUp: next = GridScrollBy(a, first, -page, maxFirst); break;
    case TScrollRequest::PageDown: next = GridScrollBy(a, first, page, maxFirst); break;
    case TScrollRequest::Position: next = GridFirstFromScrollPosition(a, position, maxFirst); break;
    case TScrollRequest::Top: next = a.Fixed; break;
    case TScrollRequest::Bottom: next = maxFirst; break;
  }
  next = ClampFirstVisible(a, next, maxFirst);
  if (next != first) horizontal ? SetFirstVisibleCell(next, First_.Y) : SetFirstVisibleCell(First_.X, next);
}

void TbsSkinCustomGrid::AttachBar(TbsSkinScrollBar*& slot, TbsSkinScrollBar* bar, TAxis axis) {
  if (slot == bar) return;
  if (slot) RemoveFreeNotification(slot);
  slot = bar;
  if (!bar) return;
  FreeNotification(bar);
  bar->SetEnabled(true);
  bar->SetVisible(false);
  const bool vertical = axis == TAxis::Vertical;
  bar->OnUpButtonClick = [this, bar, axis, vertical](spv::platform::TObject*) {
    if (vertical) ScrollGrid(axis, TScrollRequest::LineDown);
    else {
      bar->SetPositionQuiet(SaturatedAdd(bar->Position(), bar->SmallChange()));
      ScrollGrid(axis, TScrollRequest::Position, bar->Position());
    }
  };
  bar->OnDownButtonClick = [this, bar, axis, vertical](spv::platform::TObject*) {
    if (vertical) ScrollGrid(axis, TScrollRequest::LineUp);
    else {
      bar->SetPositionQuiet(SaturatedAdd(bar->Position(), -std::int64_t(bar->SmallChange())));
      ScrollGrid(axis, TScrollRequest::Position, bar->Position());
    }
  };
  bar->OnPageUp = [this, axis](spv::platform::TObject*) { ScrollGrid(axis, TScrollRequest::PageUp); };
  bar->OnPageDown = [this, axis](spv::platform::TObject*) { ScrollGrid(axis, TScrollRequest::PageDown); };
  bar->OnChange = [this, bar, axis](spv::platform::TObject*) {
    if (Options_ & goThumbTracking) ScrollGrid(axis, TScrollRequest::Position, bar->Position());
  };
  bar->OnLastChange = [this, bar, axis](spv::platform::TObject*) {
    if (!(Options_ & goThumbTracking)) ScrollGrid(axis, TScrollRequest::Position, bar->Position());
  };
  FitScrollBars();
}

void TbsSkinCustomGrid::SetHScrollBar(TbsSkinScrollBar* bar) { AttachBar(HScrollBar_, bar, TAxis::Horizontal); }
void TbsSkinCustomGrid::SetVScrollBar(TbsSkinScrollBar* bar) { AttachBar(VScrollBar_, bar, TAxis::Vertical); }

void TbsSkinCustomGrid::FitOneBar(TAxis axis) {
  const bool horizontal = axis == TAxis::Horizontal;
  TbsSkinScrollBar* bar = horizontal ? HScrollBar_ : VScrollBar_;
  if (!bar) return;
  const RECT c = ClientRect();
  const TbsGridAxis a = horizontal ? AxisCols() : AxisRows();
  const int extent = horizontal ? c.right : c.bottom;
  bool show;
  if (horizontal && Cols_.Count == 1) {
    const std::int64_t overflow = std::max<std::int64_t>(0, std::int64_t(Cols_.Size(0)) - c.right);
    show = overflow > 0;
    PixelOffset_ = int(std::min<std::int64_t>(PixelOffset_, overflow));
    bar->SetRange(0, show ? int(overflow) : 0, 0, PixelOffset_);
  } else {
    const int maxFirst = GridMaxFirstVisible(a, extent);
    const int first = horizontal ? First_.X : First_.Y;
    show = maxFirst > a.Fixed;
    if (show) {
      bar->SetRange(0, kGridScrollRange, 0, GridScrollPosition(a, first, maxFirst));
      const int step = GridScrollSmallChange(a, LayoutGridAxis(a, first, extent).FullVisibleCount());
      bar->SetSmallChange(step);
      bar->SetLargeChange(step);
    } else {
      bar->SetRange(0, 0, 0, 0);
    }
  }
  if (bar->Visible() != show) {
    bar->SetVisible(show);
    if (Align() != spv::platform::TAlign::alNone && Parent()) Parent()->Realign();
  }
}

void TbsSkinCustomGrid::FitScrollBars() {
  if (Fitting_ || !HandleAllocated() || !Showing()) return;
  Fitting_ = true;
  try {
    const int width = ClientWidth();
    FitOneBar(TAxis::Horizontal);
    FitOneBar(TAxis::Vertical);
    if (ClientWidth() != width) FitOneBar(TAxis::Horizontal);
    // A grid that grew may now show more than its first visible cell allows.
    const RECT c = ClientRect();
    const int maxX = GridMaxFirstVisible(AxisCols(), c.right), maxY = GridMaxFirstVisible(AxisRows(), c.bottom);
    if (First_.X > maxX || First_.Y > maxY) {
      First_ = {ClampFirstVisible(Cols_, First_.X, maxX), ClampFirstVisible(Rows_, First_.Y, maxY)};
      Invalidate();
    }
    if (HScrollBar_) HScrollBar_->SetBoth(VScrollBar_ && VScrollBar_->Visible());
  } catch (...) {
    Fitting_ = false;
    throw;
  }
  Fitting_ = false;
}

// -- Skin

void TbsSkinCustomGrid::ForgetSkinObject() {
  TbsSkinControl::ForgetSkinObject();
  PictureIndex_ = -1;
}

void TbsSkinCustomGrid::ReadSkinObject() {
  PictureIndex_ = -1;
  TbsSkinControl::ReadSkinObject();
  if (SkinObjectIndex_ < 0) return;
  const auto* o = dynamic_cast<const TbsDataSkinGridControl*>(SkinObject());
  // A description of another kind copies nothing; without a fixed cell picture there is no
  // skinned look to draw, and the same holds for another kind: the built-in look.
  if (!o || RectIsEmpty(o->FixedCellRect)) {
    SkinObjectIndex_ = -1;
    return;
  }
  if (SkinData()->ActivePicture(o->PictureIndex)) PictureIndex_ = o->PictureIndex;
  FixedCellRect_ = o->FixedCellRect;
  SelectCellRect_ = o->SelectCellRect;
  FocusCellRect_ = o->FocusCellRect;
  FixedCellLeftOffset_ = o->FixedCellLeftOffset;
  FixedCellRightOffset_ = o->FixedCellRightOffset;
  FixedCellTextRect_ = o->FixedCellTextRect;
  CellLeftOffset_ = o->CellLeftOffset;
  CellRightOffset_ = o->CellRightOffset;
  CellTextRect_ = o->CellTextRect;
  LinesColor_ = o->LinesColor;
  BGColor_ = o->BGColor;
  CellFont_ = *o;
  SelectFontColor_ = o->SelectFontColor;
  FocusFontColor_ = o->FocusFontColor;
  FixedFont_ = o->Fixed;
  CellStretchEffect_ = o->CellStretchEffect;
  FixedCellStretchEffect_ = o->FixedCellStretchEffect;
  ShowFocus_ = o->ShowFocus;
  if (RectIsEmpty(SelectCellRect_)) SelectCellRect_ = FocusCellRect_;
  if (RectIsEmpty(FocusCellRect_)) FocusCellRect_ = SelectCellRect_;
}

void TbsSkinCustomGrid::ApplySkin() {
  ReadSkinObject();
  if (!Skinned()) {
    if (Rows_.DefaultSize != DefaultCellHeight_ || !Rows_.Sizes.empty()) SetDefaultRowHeight(DefaultCellHeight_);
    else Invalidate();
  } else if (UseSkinCellHeight_ && Rows_.DefaultSize != SelectCellRect_.Height()) {
    SetDefaultRowHeight(SelectCellRect_.Height());
  } else {
    Invalidate();
  }
  FitScrollBars();
  for (TbsSkinScrollBar* bar : {HScrollBar_, VScrollBar_})
    if (bar) bar->SetAlign(bar->Align());
}

// -- Window, keys, mouse

void TbsSkinCustomGrid::CreateParams(spv::platform::TCreateParams& params) {
  TbsSkinControl::CreateParams(params);
  // Scrolling shows only through the skinned bars.
  params.Style &= ~DWORD(WS_HSCROLL | WS_VSCROLL);
}

void TbsSkinCustomGrid::Loaded() {
  TbsSkinControl::Loaded();
  Relayout();
}

void TbsSkinCustomGrid::Resize() {
  TbsSkinControl::Resize();
  ClampIntoGrid();
  FitScrollBars();
}

void TbsSkinCustomGrid::SetVisible(bool visible) {
  TbsSkinControl::SetVisible(visible);
  if (!visible) {
    for (TbsSkinScrollBar* bar : {HScrollBar_, VScrollBar_})
      if (bar) bar->SetVisible(false);
  } else {
    FitScrollBars();
  }
}

void TbsSkinCustomGrid::Notification(TComponent* component, spv::platform::TOperation operation) {
  TbsSkinControl::Notification(component, operation);
  if (operation != spv::platform::TOperation::opRemove) return;
  if (component == HScrollBar_) HScrollBar_ = nullptr;
  if (component == VScrollBar_) VScrollBar_ = nullptr;
}

void TbsSkinCustomGrid::DoEnter() {
  TbsSkinControl::DoEnter();
  InvalidateSelection();
}

void TbsSkinCustomGrid::DoExit() {
  TbsSkinControl::DoExit();
  InvalidateSelection();
}

void TbsSkinCustomGrid::KeyDown(WORD& key, TShiftState shift) {
  TbsSkinControl::KeyDown(key, shift);
  if (!key) return;
  const bool ctrl = shift & spv::platform::ssCtrl;
  const bool rowSelect = Options_ & goRowSelect;
  const bool keepAnchor = (shift & spv::platform::ssShift) && (Options_ & goRangeSelect) && !rowSelect;
  const RECT c = ClientRect();
  const TbsGridAxisLayout lx = LayoutGridAxis(AxisCols(), First_.X, c.right);
  const TbsGridAxisLayout ly = LayoutGridAxis(AxisRows(), First_.Y, c.bottom);
  const int pageW = GridPageSize(lx), pageH = GridPageSize(ly);
  std::int64_t col = Current_.X, row = Current_.Y, firstX = First_.X, firstY = First_.Y;
  bool handled = true;
  switch (key) {
    case VK_UP:
      if (ctrl) --firstY;
      else --row;
      break;
    case VK_DOWN:
      if (ctrl) ++firstY;
      else ++row;
      break;
    case VK_LEFT:
      if (ctrl && !rowSelect) col -= pageW, firstX -= pageW;
      else if (rowSelect) --row;
      else --col;
      break;
    case VK_RIGHT:
      if (ctrl && !rowSelect) col += pageW, firstX += pageW;
      else if (rowSelect) ++row;
      else ++col;
      break;
    case VK_PRIOR:
      if (ctrl) row = First_.Y;
      else row -= pageH, firstY -= pageH;
      break;
    case VK_NEXT:
      if (ctrl) row = ly.LastFullVisible;
      else row += pageH, firstY += pageH;
      break;
    case VK_HOME:
      if (ctrl) col = Cols_.Fixed, row = Rows_.Fixed;
      else if (rowSelect) row = Rows_.Fixed;
      else col = Cols_.Fixed;
      break;
    case VK_END:
      if (ctrl) col = Cols_.Count - 1, row = Rows_.Count - 1;
      else if (rowSelect) row = Rows_.Count - 1;
      else col = Cols_.Count - 1;
      break;
    default: handled = false;
  }
  if (!handled) return;
  const auto fit = [](std::int64_t v, int lo, int hi) { return int(std::clamp<std::int64_t>(v, lo, std::max(lo, hi))); };
  const int newFirstX = fit(firstX, Cols_.Fixed, GridMaxFirstVisible(AxisCols(), c.right));
  const int newFirstY = fit(firstY, Rows_.Fixed, GridMaxFirstVisible(AxisRows(), c.bottom));
  if (newFirstX != First_.X || newFirstY != First_.Y) SetFirstVisibleCell(newFirstX, newFirstY);
  const int newCol = fit(col, Cols_.Fixed, Cols_.Count - 1), newRow = fit(row, Rows_.Fixed, Rows_.Count - 1);
  if (newCol != Current_.X || newRow != Current_.Y) MoveCurrent(newCol, newRow, keepAnchor, true);
}

bool TbsSkinCustomGrid::MouseWheel(int delta, TShiftState shift, POINT p) {
  bool handled = false;
  if (delta < 0 && OnMouseWheelDown) OnMouseWheelDown(this, shift, p, handled);
  if (delta > 0 && OnMouseWheelUp) OnMouseWheelUp(this, shift, p, handled);
  if (handled) return true;
  if (delta < 0 && Current_.Y < Rows_.Count - 1) MoveCurrent(Current_.X, Current_.Y + 1, false, true);
  else if (delta > 0 && Current_.Y - 1 >= Rows_.Fixed) MoveCurrent(Current_.X, Current_.Y - 1, false, true);
  return true;
}

void TbsSkinCustomGrid::MouseDown(spv::platform::TMouseButton button, TShiftState shift, int x, int y) {
  TbsSkinControl::MouseDown(button, shift, x, y);
  if (button != spv::platform::TMouseButton::mbLeft) return;
  if (CanFocus() && !Focused()) SetFocus();
  const TGridCoord cell = MouseCoord(x, y);
  if (cell.X < Cols_.Fixed || cell.Y < Rows_.Fixed) return;
  Selecting_ = true;
  SelectPoint_ = {x, y};
  if ((shift & spv::platform::ssShift) && RangeSelecting())
    MoveAnchor(cell.X, cell.Y);
  else
    MoveCurrent(cell.X, cell.Y, false, true);
  SelectTimer_.Start(kSelectScrollInterval, [this] { SelectionTick(); });
}

void TbsSkinCustomGrid::MouseMove(TShiftState shift, int x, int y) {
  TbsSkinControl::MouseMove(shift, x, y);
  if (!Selecting_) return;
  SelectPoint_ = {x, y};
  const TGridCoord cell = MouseCoord(x, y);
  if (cell.X < Cols_.Fixed || cell.Y < Rows_.Fixed) return;
  MoveAnchor(cell.X, cell.Y);
}

void TbsSkinCustomGrid::MouseUp(spv::platform::TMouseButton button, TShiftState shift, int x, int y) {
  if (button == spv::platform::TMouseButton::mbLeft && Selecting_) {
    Selecting_ = false;
    SelectTimer_.Stop();
  }
  TbsSkinControl::MouseUp(button, shift, x, y);
}

void TbsSkinCustomGrid::SelectionTick() {
  if (!Selecting_) return;
  const RECT c = ClientRect();
  const TbsGridAxisLayout lx = LayoutGridAxis(AxisCols(), First_.X, c.right);
  const TbsGridAxisLayout ly = LayoutGridAxis(AxisRows(), First_.Y, c.bottom);
  int dx = 0, dy = 0;
  if (SelectPoint_.x < lx.FixedBoundary) dx = -1;
  else if (SelectPoint_.x >= lx.GridBoundary) dx = 1;
  if (SelectPoint_.y < ly.FixedBoundary) dy = -1;
  else if (SelectPoint_.y >= ly.GridBoundary) dy = 1;
  if (!dx && !dy) return;
  const TGridCoord end = RangeSelecting() ? Anchor_ : Current_;
  MoveAnchor(end.X + dx, end.Y + dy);
}

void TbsSkinCustomGrid::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_GETDLGCODE:
      m.Result = DLGC_WANTARROWS;
      if (!(Options_ & goRowSelect)) {
        if (Options_ & goTabs) m.Result |= DLGC_WANTTAB;
        if (Options_ & goEditing) m.Result |= DLGC_WANTCHARS;
      }
      return;
    case WM_MOUSEWHEEL: {
      POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
      ::ScreenToClient(Handle(), &p);
      m.Result = MouseWheel(GET_WHEEL_DELTA_WPARAM(m.WParam), spv::platform::MouseShiftState(GET_KEYSTATE_WPARAM(m.WParam)), p) ? 0 : 1;
      return;
    }
    case WM_ERASEBKGND:
      m.Result = 1;
      return;
    case WM_PAINT:
      TbsSkinControl::WndProc(m);
      FitScrollBars();
      return;
    default: break;
  }
  TbsSkinControl::WndProc(m);
}

bool TbsSkinCustomGrid::ReadProperty(const spv::platform::TStoredProperty& p, spv::platform::TFormReader& reader) {
  using spv::platform::SameIdent;
  static constexpr std::array<std::pair<const char*, TGridOption>, 15> options{{
      {"goFixedVertLine", goFixedVertLine}, {"goFixedHorzLine", goFixedHorzLine}, {"goVertLine", goVertLine},
      {"goHorzLine", goHorzLine}, {"goRangeSelect", goRangeSelect}, {"goDrawFocusSelected", goDrawFocusSelected},
      {"goRowSizing", goRowSizing}, {"goColSizing", goColSizing}, {"goRowMoving", goRowMoving},
      {"goColMoving", goColMoving}, {"goEditing", goEditing}, {"goTabs", goTabs}, {"goRowSelect", goRowSelect},
      {"goAlwaysShowEditor", goAlwaysShowEditor}, {"goThumbTracking", goThumbTracking},
  }};
  if (SameIdent(p.Name, "ColCount")) SetColCount(p.Int());
  else if (SameIdent(p.Name, "RowCount")) SetRowCount(p.Int());
  else if (SameIdent(p.Name, "FixedCols")) SetFixedCols(p.Int());
  else if (SameIdent(p.Name, "FixedRows")) SetFixedRows(p.Int());
  else if (SameIdent(p.Name, "DefaultColWidth")) SetDefaultColWidth(p.Int());
  else if (SameIdent(p.Name, "DefaultRowHeight")) SetDefaultRowHeight(p.Int());
  else if (SameIdent(p.Name, "DefaultCellHeight")) SetDefaultCellHeight(p.Int());
  else if (SameIdent(p.Name, "GridLineWidth")) SetGridLineWidth(p.Int());
  else if (SameIdent(p.Name, "UseSkinFont")) SetUseSkinFont(p.Boolean());
  else if (SameIdent(p.Name, "UseSkinCellHeight")) SetUseSkinCellHeight(p.Boolean());
  else if (SameIdent(p.Name, "DefaultDrawing")) SetDefaultDrawing(p.Boolean());
  else if (SameIdent(p.Name, "FixedColor")) SetFixedColor(spv::platform::TColor(p.Color()));
  else if (SameIdent(p.Name, "GridLineColor")) SetGridLineColor(spv::platform::TColor(p.Color()));
  else if (SameIdent(p.Name, "BorderStyle")) BorderStyleSingle = !SameIdent(p.Ident(), "bsNone");
  else if (SameIdent(p.Name, "Options")) {
    TGridOptions o = 0;
    for (const std::string& name : p.Set())
      for (const auto& [n, bit] : options)
        if (SameIdent(n, name)) o |= bit;
    SetOptions(o);
  } else if (SameIdent(p.Name, "ColWidths") || SameIdent(p.Name, "RowHeights")) {
    const bool cols = SameIdent(p.Name, "ColWidths");
    int i = 0;
    for (const auto& v : p.List()) {
      spv::platform::TStoredProperty item{p.Name, v, p.Line};
      cols ? SetColWidths(i++, item.Int()) : SetRowHeights(i++, item.Int());
    }
  } else if (SameIdent(p.Name, "HScrollBar")) {
    reader.ResolveReference<TbsSkinScrollBar>(p, [this](TbsSkinScrollBar* b) { SetHScrollBar(b); });
  } else if (SameIdent(p.Name, "VScrollBar")) {
    reader.ResolveReference<TbsSkinScrollBar>(p, [this](TbsSkinScrollBar* b) { SetVScrollBar(b); });
  } else {
    return TbsSkinControl::ReadProperty(p, reader);
  }
  return true;
}

// -- Draw grid and string grid

void TbsSkinDrawGrid::PaintCell(int col, int row, const RECT& rect, TGridDrawState state) {
  if (!OnDrawCell) return;
  OnDrawCell(this, col, row, rect, state);
  ForgetCellTextFont();
}

void TbsSkinStringGrid::SetCellText(int col, int row, std::string text) {
  Store_.SetCellText(col, row, std::move(text));
  InvalidateCell(col, row);
}

}  // namespace bs
