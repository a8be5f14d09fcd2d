#pragma once
// The skinned grid family: TbsSkinCustomGrid lays cells out in rows and columns with fixed
// header rows and columns, keeps the current cell and the selection, scrolls (by keys, wheel,
// selection and external skinned scroll bars) and paints cells from a skin object of kind
// grid; TbsSkinDrawGrid hands each painted cell to OnDrawCell; TbsSkinStringGrid keeps a text
// per cell and draws it.

#include "skin/controls/bsSkinCtrls.h"
#include "skin/controls/bsSkinGridsLayout.h"
#include "skin/controls/bsSkinGridsStore.h"

#include <functional>
#include <string>

namespace bs {

class TbsSkinScrollBar;

enum TGridOption : unsigned {
  goFixedVertLine = 1u << 0,
  goFixedHorzLine = 1u << 1,
  goVertLine = 1u << 2,
  goHorzLine = 1u << 3,
  goRangeSelect = 1u << 4,
  goDrawFocusSelected = 1u << 5,
  goRowSizing = 1u << 6,
  goColSizing = 1u << 7,
  goRowMoving = 1u << 8,
  goColMoving = 1u << 9,
  goEditing = 1u << 10,
  goTabs = 1u << 11,
  goRowSelect = 1u << 12,
  goAlwaysShowEditor = 1u << 13,
  goThumbTracking = 1u << 14,
};
using TGridOptions = unsigned;

enum TGridDrawStateFlag : unsigned { gdSelected = 1u << 0, gdFocused = 1u << 1, gdFixed = 1u << 2 };
using TGridDrawState = unsigned;

struct TGridCoord {
  int X = 0, Y = 0;
  friend bool operator==(const TGridCoord&, const TGridCoord&) = default;
};
// Left, Top, Right, Bottom as cell indexes, both ends included.
struct TGridRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  friend bool operator==(const TGridRect&, const TGridRect&) = default;
};

using TDrawCellEvent =
    std::function<void(spv::platform::TObject* sender, int col, int row, const RECT& rect, TGridDrawState state)>;
using TSelectCellEvent = std::function<void(spv::platform::TObject* sender, int col, int row, bool& canSelect)>;
using TMouseWheelUpDownEvent =
    std::function<void(spv::platform::TObject* sender, spv::platform::TShiftState shift, POINT p, bool& handled)>;

class TbsSkinCustomGrid : public TbsSkinControl {
 public:
  explicit TbsSkinCustomGrid(spv::platform::TComponent* owner = nullptr);
  ~TbsSkinCustomGrid() override;
  std::string_view ClassName() const override { return "TbsSkinCustomGrid"; }

  bool UseSkinFont() const { return UseSkinFont_; }
  void SetUseSkinFont(bool value);
  bool UseSkinCellHeight() const { return UseSkinCellHeight_; }
  void SetUseSkinCellHeight(bool value);
  spv::platform::TColor GridLineColor() const { return GridLineColor_; }
  void SetGridLineColor(spv::platform::TColor value);
  int DefaultCellHeight() const { return DefaultCellHeight_; }
  void SetDefaultCellHeight(int value);
  TbsSkinScrollBar* HScrollBar() const { return HScrollBar_; }
  void SetHScrollBar(TbsSkinScrollBar* bar);
  TbsSkinScrollBar* VScrollBar() const { return VScrollBar_; }
  void SetVScrollBar(TbsSkinScrollBar* bar);

  int ColCount() const { return Cols_.Count; }
  void SetColCount(int value);
  int RowCount() const { return Rows_.Count; }
  void SetRowCount(int value);
  int FixedCols() const { return Cols_.Fixed; }
  void SetFixedCols(int value);
  int FixedRows() const { return Rows_.Fixed; }
  void SetFixedRows(int value);
  int DefaultColWidth() const { return Cols_.DefaultSize; }
  void SetDefaultColWidth(int value);
  int DefaultRowHeight() const { return Rows_.DefaultSize; }
  void SetDefaultRowHeight(int value);
  int ColWidths(int col) const { return Cols_.Size(col); }
  void SetColWidths(int col, int value);
  int RowHeights(int row) const { return Rows_.Size(row); }
  void SetRowHeights(int row, int value);
  int GridLineWidth() const { return GridLineWidth_; }
  void SetGridLineWidth(int value);
  TGridOptions Options() const { return Options_; }
  void SetOptions(TGridOptions value);
  bool DefaultDrawing() const { return DefaultDrawing_; }
  void SetDefaultDrawing(bool value);
  spv::platform::TColor FixedColor() const { return FixedColor_; }
  void SetFixedColor(spv::platform::TColor value);
  // Stored only: the skinned grid draws no window border.
  bool BorderStyleSingle = true;

  TGridCoord CurrentCell() const { return Current_; }
  // Moves the current cell (held inside the grid), asking OnSelectCell first.
  void SetCurrentCell(int col, int row);
  TGridCoord AnchorCell() const { return Anchor_; }
  TGridRect SelectionRect() const;
  void SetSelection(const TGridRect& r);
  TGridCoord FirstVisibleCell() const { return First_; }
  void SetFirstVisibleCell(int col, int row);
  int VisibleColCount();
  int VisibleRowCount();
  // The cell's rectangle in the client area; empty when it is not on screen.
  RECT CellRect(int col, int row);
  // The cell under a client point; -1, -1 for none.
  TGridCoord MouseCoord(int x, int y);

  // Whether a skin object is in use (else the built-in look).
  bool Skinned() const { return SkinObjectIndex_ >= 0; }
  void ReadSkinObject() override;
  void ApplySkin() override;
  void ForgetSkinObject() override;
  void SetVisible(bool visible) override;

  TSelectCellEvent OnSelectCell;
  spv::platform::TNotifyEvent OnTopLeftChanged;
  TMouseWheelUpDownEvent OnMouseWheelDown, OnMouseWheelUp;

  bool ReadProperty(const spv::platform::TStoredProperty& property, spv::platform::TFormReader& reader) override;

 protected:
  // Paints one cell's own content after its background; the draw grid calls OnDrawCell.
  virtual void PaintCell(int col, int row, const RECT& rect, TGridDrawState state) = 0;
  void Paint() override;
  void WndProc(spv::platform::TMessage& message) override;
  void CreateParams(spv::platform::TCreateParams& params) override;
  void KeyDown(WORD& key, spv::platform::TShiftState shift) override;
  void MouseDown(spv::platform::TMouseButton button, spv::platform::TShiftState shift, int x, int y) override;
  void MouseMove(spv::platform::TShiftState shift, int x, int y) override;
  void MouseUp(spv::platform::TMouseButton button, spv::platform::TShiftState shift, int x, int y) override;
  void DoEnter() override;
  void DoExit() override;
  void Resize() override;
  void Notification(spv::platform::TComponent* component, spv::platform::TOperation operation) override;
  void Loaded() override;

  // Invalidates the cell's rectangle.
  void InvalidateCell(int col, int row);
  // The text rect of a cell, for cell painting.
  RECT CellTextRect(const RECT& cell, bool fixed) const;
  // Set by the paint for each cell before PaintCell: the font and colour of its text.
  HFONT PaintFont_ = nullptr;
  COLORREF PaintTextColor_ = 0;
  int PaintTextHeight_ = 0;
  // Puts the cell's text font and colour on the canvas, selecting the font only when it is not
  // there already: a paint of 300 cells would otherwise select it 300 times.
  void PrepareCellText(HDC dc);
  // Someone else drew on the canvas (the draw-cell event): its font may be anything now.
  void ForgetCellTextFont() { SelectedTextFont_ = nullptr; }

 private:
  enum class TAxis { Horizontal, Vertical };
  enum class TScrollRequest { LineUp, LineDown, PageUp, PageDown, Position, Top, Bottom };

  TbsGridAxis AxisCols() const;
  TbsGridAxis AxisRows() const;
  void Relayout();
  void ClampIntoGrid();
  void MoveCurrent(int col, int row, bool keepAnchor, bool show);
  // The mouse's end of the selection: with range selection the anchor moves and the current
  // cell, where the press began, stays; without it the current cell moves and takes the anchor.
  void MoveAnchor(int col, int row);
  // Shift and dragging extend the selection.
  bool RangeSelecting() const { return (Options_ & goRangeSelect) && !(Options_ & goRowSelect); }
  void InvalidateSelection();
  void InvalidateRows(int fromRow, int toRow);
  void ScrollGrid(TAxis axis, TScrollRequest request, int position = 0);
  void FitScrollBars();
  void FitOneBar(TAxis axis);
  void AttachBar(TbsSkinScrollBar*& slot, TbsSkinScrollBar* bar, TAxis axis);
  void SelectionTick();
  bool MouseWheel(int delta, spv::platform::TShiftState shift, POINT p);

  bool UseSkinFont_ = true, UseSkinCellHeight_ = true, DefaultDrawing_ = true;
  spv::platform::TColor GridLineColor_ = spv::platform::clWindowText, FixedColor_ = spv::platform::clBtnFace;
  int DefaultCellHeight_ = 20, GridLineWidth_ = 1;
  TbsGridAxis Cols_, Rows_;
  TGridOptions Options_ = goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect;
  TGridCoord Current_{1, 1}, Anchor_{1, 1}, First_{1, 1};
  TbsSkinScrollBar *HScrollBar_ = nullptr, *VScrollBar_ = nullptr;
  int PixelOffset_ = 0;  // horizontal pixel scrolling of a one-column grid
  bool Fitting_ = false, Selecting_ = false;
  POINT SelectPoint_{0, 0};
  TbsOnDemandTimer SelectTimer_;
  HFONT SelectedTextFont_ = nullptr;

  // Copied from a TbsDataSkinGridControl.
  int PictureIndex_ = -1;
  TRect FixedCellRect_, SelectCellRect_, FocusCellRect_, FixedCellTextRect_, CellTextRect_;
  int FixedCellLeftOffset_ = 0, FixedCellRightOffset_ = 0, CellLeftOffset_ = 0, CellRightOffset_ = 0;
  TColor LinesColor_ = 0, BGColor_ = 0, SelectFontColor_ = 0, FocusFontColor_ = 0;
  TbsFontGroup CellFont_, FixedFont_;
  bool CellStretchEffect_ = false, FixedCellStretchEffect_ = false, ShowFocus_ = false;
};

class TbsSkinDrawGrid : public TbsSkinCustomGrid {
 public:
  using TbsSkinCustomGrid::TbsSkinCustomGrid;
  std::string_view ClassName() const override { return "TbsSkinDrawGrid"; }
  TDrawCellEvent OnDrawCell;

 protected:
  void PaintCell(int col, int row, const RECT& rect, TGridDrawState state) override;
};

class TbsSkinStringGrid : public TbsSkinDrawGrid {
 public:
  using TbsSkinDrawGrid::TbsSkinDrawGrid;
  std::string_view ClassName() const override { return "TbsSkinStringGrid"; }

  // The program's single-byte text; "" for a cell never set.
  const std::string& CellText(int col, int row) const { return Store_.CellText(col, row); }
  void SetCellText(int col, int row, std::string text);
  void* CellObject(int col, int row) const { return Store_.CellObject(col, row); }
  void SetCellObject(int col, int row, void* object) { Store_.SetCellObject(col, row, object); }

 protected:
  void PaintCell(int col, int row, const RECT& rect, TGridDrawState state) override;

 private:
  TbsGridCellStore Store_;
};

}  // namespace bs
