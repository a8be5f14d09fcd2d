// Painting of the skinned grid: lines, cells and the area past the last cell, drawn on the
// window. Only the cells inside the area that needs repainting are drawn, so a grid scrolled by
// a row paints only the row that came in. (A picture composed off-screen first would cost a
// copy of the whole grid per paint: at full HD, as much as drawing every cell.)
#include "skin/controls/bsSkinGrids.h"

#include "platform/SysUtils.h"
#include "skin/resources/bsUtils.h"

#include <algorithm>
#include <array>
#include <map>

namespace bs {

namespace {

COLORREF Rgb(TColor c) { return spv::platform::ColorToRGB(spv::platform::TColor(c)); }

int End(const TbsGridSpan& s) { return int(std::min<std::int64_t>(std::int64_t(s.Start) + std::max(0, s.Size), INT_MAX)); }

int TextHeightOf(HDC dc, HFONT font) {
  SelectObject(dc, font);
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  return tm.tmHeight;
}

}  // namespace

RECT TbsSkinCustomGrid::CellTextRect(const RECT& cell, bool fixed) const {
  if (!Skinned()) return cell;
  const TRect& area = fixed ? FixedCellTextRect_ : CellTextRect_;
  const TRect& picture = fixed ? FixedCellRect_ : SelectCellRect_;
  if (RectIsEmpty(area)) return cell;
  const std::int64_t cw = std::int64_t(cell.right) - cell.left, ch = std::int64_t(cell.bottom) - cell.top;
  const std::int64_t left = std::int64_t(cell.left) + area.Left, top = std::int64_t(cell.top) + area.Top;
  const std::int64_t w = std::int64_t(area.Width()) + (cw - picture.Width());
  const std::int64_t h = std::int64_t(area.Height()) + (UseSkinCellHeight_ ? 0 : ch - picture.Height());
  return {SaturatedInt(left), SaturatedInt(top), SaturatedInt(left + w), SaturatedInt(top + h)};
}

void TbsSkinCustomGrid::Paint() {
  const RECT client = ClientRect();
  if (client.right <= 0 || client.bottom <= 0) return;
  ReadSkinObject();
  const HDC dc = Canvas().Handle();
  RECT dirty;
  if (GetClipBox(dc, &dirty) == NULLREGION) return;
  IntersectRect(&dirty, &dirty, &client);
  // The paint's fonts go when it ends: the context gets its own objects back first.
  const int saved = SaveDC(dc);
  SelectedTextFont_ = nullptr;
  const bool skinned = Skinned();
  const TImage* picture = skinned && SkinData() ? &SkinData()->ActivePicture(PictureIndex_)->Image : nullptr;
  if (PictureIndex_ < 0) picture = nullptr;
  const bool focused = Focused();
  const TGridOptions o = Options_;

  // Fonts of this paint: the cell font in its three colours and the fixed font.
  BYTE charset = Font().Charset();
  if (SkinData() && SkinData()->ResourceStrData()) charset = BYTE(SkinData()->ResourceStrData()->CharSet);
  spv::platform::TFont cellFont, fixedFont;
  cellFont.Assign(Font());
  fixedFont.Assign(Font());
  if (skinned && UseSkinFont_) {
    AssignSkinFont(cellFont, CellFont_, charset);
    AssignSkinFont(fixedFont, FixedFont_, charset);
  } else {
    cellFont.SetCharset(charset);
    fixedFont.SetCharset(charset);
  }
  const int cellTextHeight = TextHeightOf(dc, cellFont.Handle()), fixedTextHeight = TextHeightOf(dc, fixedFont.Handle());

  const TbsGridAxis cols = AxisCols(), rows = AxisRows();
  std::vector<TbsGridSpan> xs = GridAxisSpans(cols, First_.X, client.right);
  const std::vector<TbsGridSpan> ys = GridAxisSpans(rows, First_.Y, client.bottom);
  for (TbsGridSpan& x : xs)
    if (!x.Fixed) x.Start -= PixelOffset_;
  const TbsGridAxisLayout lx = LayoutGridAxis(cols, First_.X, client.right);
  const TbsGridAxisLayout ly = LayoutGridAxis(rows, First_.Y, client.bottom);

  // Lines, region by region: the fixed corner, the fixed rows, the fixed columns, the cells.
  COLORREF lineColour = skinned ? Rgb(LinesColor_) : Rgb(GridLineColor_);
  if (Rgb(Color()) == RGB(192, 192, 192)) lineColour = RGB(128, 128, 128);
  const COLORREF fixedBg = skinned ? Rgb(BGColor_) : Rgb(FixedColor_), cellBg = skinned ? Rgb(BGColor_) : Rgb(Color());
  const auto paintLines = [&](bool fixedX, bool fixedY) {
    const bool anyFixed = fixedX || fixedY;
    const bool horzOn = o & (anyFixed ? goFixedHorzLine : goHorzLine), vertOn = o & (anyFixed ? goFixedVertLine : goVertLine);
    const COLORREF bg = anyFixed ? fixedBg : cellBg;
    int x0 = INT_MAX, x1 = INT_MIN, y0 = INT_MAX, y1 = INT_MIN;
    for (const auto& x : xs)
      if (x.Fixed == fixedX) x0 = std::min(x0, x.Start), x1 = std::max<int>(x1, int(std::min<std::int64_t>(x.Start + cols.Advance(x.Index), INT_MAX)));
    for (const auto& y : ys)
      if (y.Fixed == fixedY) y0 = std::min(y0, y.Start), y1 = std::max<int>(y1, int(std::min<std::int64_t>(y.Start + rows.Advance(y.Index), INT_MAX)));
    if (x0 > x1 || y0 > y1) return;
    if (rows.Gap > 0)
      for (const auto& y : ys)
        if (y.Fixed == fixedY && rows.Advance(y.Index) > 0) FillSolid(dc, {x0, End(y), x1, End(y) + rows.Gap}, horzOn ? lineColour : bg);
    if (cols.Gap > 0)
      for (const auto& x : xs)
        if (x.Fixed == fixedX && cols.Advance(x.Index) > 0) FillSolid(dc, {End(x), y0, End(x) + cols.Gap, y1}, vertOn ? lineColour : bg);
  };
  if (rows.Gap > 0 || cols.Gap > 0) {
    paintLines(true, true);
    paintLines(false, true);
    paintLines(true, false);
    paintLines(false, false);
  }

  // Cell pictures at the size they are drawn, built once per width and height in this paint.
  std::map<std::array<int, 3>, TbsFBitmap> images;
  const auto cellImage = [&](int kind, int width, int rowHeight) -> const TbsFBitmap& {
    TbsFBitmap& image = images[{kind, width, rowHeight}];
    if (image.Width() == 0) {
      const TRect& r = kind == 0 ? FixedCellRect_ : kind == 1 ? FocusCellRect_ : SelectCellRect_;
      TImage strip;
      if (kind == 0) ThreePartHorzImage(FixedCellLeftOffset_, FixedCellRightOffset_, strip, *picture, r, width, FixedCellStretchEffect_);
      else ThreePartHorzImage(CellLeftOffset_, CellRightOffset_, strip, *picture, r, width, CellStretchEffect_);
      // Squeezed or stretched to the row unless the rows take the pictures' height.
      const int h = UseSkinCellHeight_ ? strip.Height() : rowHeight;
      image.SetSize(strip.Width(), h);
      CopyImageRect(image, {0, 0, strip.Width(), h}, strip, {0, 0, strip.Width(), strip.Height()});
    }
    return image;
  };

  const TGridRect sel = SelectionRect();
  spv::platform::TCanvas& canvas = Canvas();
  int canvasFont = -1;
  const auto paintRegion = [&](bool fixedX, bool fixedY) {
    for (const auto& y : ys) {
      if (y.Fixed != fixedY || y.Size <= 0) continue;
      for (const auto& x : xs) {
        if (x.Fixed != fixedX || x.Size <= 0) continue;
        const RECT cell{x.Start, y.Start, End(x), End(y)};
        RECT visible;
        if (!IntersectRect(&visible, &cell, &dirty)) continue;
        const bool fixed = fixedX || fixedY;
        TGridDrawState state = fixed ? TGridDrawState(gdFixed) : 0u;
        const bool isFocused = focused && Current_ == TGridCoord{x.Index, y.Index};
        if (isFocused) state |= gdFocused;
        if (x.Index >= sel.Left && x.Index <= sel.Right && y.Index >= sel.Top && y.Index <= sel.Bottom) state |= gdSelected;
        int fontKind = fixed ? 1 : 0;
        COLORREF textColour;
        if (DefaultDrawing_ && !skinned) {
          textColour = Rgb(Font().Color());
          if ((state & gdSelected) && (!isFocused || (o & (goDrawFocusSelected | goRowSelect))) && !fixed) {
            FillSolid(dc, cell, GetSysColor(COLOR_HIGHLIGHT));
            textColour = GetSysColor(COLOR_HIGHLIGHTTEXT);
          } else {
            FillSolid(dc, cell, fixed ? fixedBg : cellBg);
            if (fixed) {
              RECT edge = cell;
              DrawEdge(dc, &edge, BDR_RAISEDINNER, BF_RECT);
            }
          }
          fontKind = 2;
        } else if (DefaultDrawing_ && picture && (fixed || (state & (gdFocused | gdSelected)))) {
          const int kind = fixed ? 0 : (isFocused || (o & goRowSelect)) ? 1 : 2;
          const TbsFBitmap& image = cellImage(kind, x.Size, y.Size);
          const TRect target{cell.left, cell.top, cell.left + image.Width(), cell.top + image.Height()};
          BitBlt(dc, target.Left, target.Top, image.Width(), image.Height(), image.DC(), 0, 0, SRCCOPY);
          textColour = Rgb(fixed ? FixedFont_.FontColor : kind == 1 ? FocusFontColor_ : SelectFontColor_);
          if (ShowFocus_ && isFocused && !(o & goRowSelect)) {
            const RECT fr = ToRECT(target);
            SetTextColor(dc, RGB(0, 0, 0));
            SetBkColor(dc, RGB(255, 255, 255));
            DrawFocusRect(dc, &fr);
          }
        } else {
          if (DefaultDrawing_) FillSolid(dc, cell, cellBg);
          textColour = Rgb(skinned ? CellFont_.FontColor : Font().Color());
        }
        spv::platform::TFont& font = fontKind == 1 ? fixedFont : cellFont;
        if (fontKind == 2) font.Assign(Font());
        PaintFont_ = font.Handle();
        PaintTextColor_ = textColour;
        PaintTextHeight_ = fontKind == 1 ? fixedTextHeight : cellTextHeight;
        if (canvasFont != fontKind) {
          canvas.Font().Assign(font);
          canvasFont = fontKind;
        }
        canvas.Font().SetColor(spv::platform::TColor(textColour & 0xFFFFFF));
        PaintCell(x.Index, y.Index, cell, state);
        if (!skinned && DefaultDrawing_ && isFocused && !(o & goRowSelect) &&
            !((o & goEditing) && (o & goAlwaysShowEditor))) {
          SetTextColor(dc, RGB(0, 0, 0));
          SetBkColor(dc, RGB(255, 255, 255));
          DrawFocusRect(dc, &cell);
        }
      }
    }
  };
  paintRegion(true, true);
  paintRegion(false, true);
  paintRegion(true, false);
  paintRegion(false, false);

  // The whole selected row carries the focus when the skin asks for it (always without one).
  if ((o & goRowSelect) && DefaultDrawing_ && focused && (!skinned || ShowFocus_)) {
    RECT f{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (const auto& y : ys)
      for (const auto& x : xs)
        if (!x.Fixed && !y.Fixed && x.Index >= sel.Left && x.Index <= sel.Right && y.Index >= sel.Top &&
            y.Index <= sel.Bottom && x.Size > 0 && y.Size > 0)
          f = {std::min<LONG>(f.left, x.Start), std::min<LONG>(f.top, y.Start), std::max<LONG>(f.right, End(x)),
               std::max<LONG>(f.bottom, End(y))};
    if (f.left < f.right) {
      SetTextColor(dc, RGB(0, 0, 0));
      SetBkColor(dc, skinned ? Rgb(SkinData()->SkinColors.cBtnHighLight) : GetSysColor(COLOR_BTNHIGHLIGHT));
      DrawFocusRect(dc, &f);
    }
  }
  // Past the last column and below the last row.
  const COLORREF beyond = skinned ? Rgb(BGColor_) : Rgb(Color());
  const int right = std::max(0, lx.GridBoundary - (PixelOffset_ > 0 ? PixelOffset_ : 0));
  FillSolid(dc, {right, 0, client.right, client.bottom}, beyond);
  FillSolid(dc, {0, ly.GridBoundary, right, client.bottom}, beyond);
  // The canvas first puts back what it found, while the paint's fonts still exist; then the
  // context gets its own objects back, and the canvas goes on drawing on it for its owner.
  canvas.SetHandle(nullptr);
  RestoreDC(dc, saved);
  canvas.SetHandle(dc);
}

void TbsSkinCustomGrid::PrepareCellText(HDC dc) {
  if (SelectedTextFont_ != PaintFont_) {
    SelectObject(dc, PaintFont_);
    SelectedTextFont_ = PaintFont_;
  }
  SetTextColor(dc, PaintTextColor_);
  SetBkMode(dc, TRANSPARENT);
}

void TbsSkinStringGrid::PaintCell(int col, int row, const RECT& rect, TGridDrawState state) {
  if (DefaultDrawing()) {
    const std::string& text = CellText(col, row);
    if (!text.empty()) {
      const HDC dc = Canvas().Handle();
      const RECT tr = CellTextRect(rect, state & gdFixed);
      const std::wstring wide = spv::platform::Cp1251ToWide(text);
      PrepareCellText(dc);
      const int top = tr.top + (tr.bottom - tr.top) / 2 - PaintTextHeight_ / 2;
      ExtTextOutW(dc, tr.left + 2, top, ETO_CLIPPED, &tr, wide.c_str(), UINT(wide.size()), nullptr);
    }
  }
  TbsSkinDrawGrid::PaintCell(col, row, rect, state);
}

}  // namespace bs
