#include "skin/controls/bsSkinCtrlsLayout.h"

namespace bs {

namespace {

TPoint Moved(TPoint p, int dx, int dy) { return {p.X + dx, p.Y + dy}; }

// Right and bottom edges excluded: the rule for a rect lying wholly inside a corner zone.
bool InsideOpen(TPoint p, const TRect& z) { return z.Left <= p.X && p.X < z.Right && z.Top <= p.Y && p.Y < z.Bottom; }
// Edges included: the rule for the corners of a rect that crosses zones.
bool InsideClosed(TPoint p, const TRect& z) {
  return z.Left <= p.X && p.X <= z.Right && z.Top <= p.Y && p.Y <= z.Bottom;
}

}  // namespace

TbsSizingKind SizingKindOf(const TbsSkinPiece& p) {
  if (RectIsEmpty(p.SkinRect)) return skNoPiece;
  if (p.RightBottomPoint.X != 0 && p.RightBottomPoint.Y != 0) return skBoth;
  if (p.RightTopPoint.X != 0 || p.RightTopPoint.Y != 0) return skWidthOnly;
  if (p.LeftBottomPoint.X != 0 || p.LeftBottomPoint.Y != 0) return skHeightOnly;
  return skFixed;
}

void FitPieceToSize(TbsSizingKind kind, const TbsSkinPiece& p, int& W, int& H, TbsSizedPiece& s) {
  if (kind == skNoPiece) return;
  const int dx = W - p.SkinRect.Width(), dy = H - p.SkinRect.Height();
  s = static_cast<const TbsCornerKeys&>(p);
  switch (kind) {
    case skBoth: s = p.Grown(dx, dy); break;
    case skWidthOnly:
      H = p.SkinRect.Height();
      s.RightTopPoint = Moved(p.RightTopPoint, dx, 0);
      s.ClientRect.Right += dx;
      break;
    case skHeightOnly:
      W = p.SkinRect.Width();
      s.LeftBottomPoint = Moved(p.LeftBottomPoint, 0, dy);
      s.ClientRect.Bottom += dy;
      break;
    case skFixed:
      W = p.SkinRect.Width();
      H = p.SkinRect.Height();
      break;
    case skNoPiece: break;
  }
}

TRect PlaceSkinRect(TbsSizingKind kind, const TbsSkinPiece& p, int W, int H, TRect r) {
  const int pw = p.SkinRect.Width(), ph = p.SkinRect.Height();
  const int dx = W - pw, dy = H - ph;
  switch (kind) {
    case skWidthOnly:
      if (r.Left <= p.LeftTopPoint.X && r.Right >= p.RightTopPoint.X) {
        r.Right += dx;
      } else if (r.Left >= p.RightTopPoint.X && r.Right > p.RightTopPoint.X) {
        r.Left += dx;
        r.Right += dx;
      }
      return r;
    case skHeightOnly:
      if (r.Top <= p.LeftTopPoint.Y && r.Bottom >= p.LeftBottomPoint.Y) {
        r.Bottom += dy;
      } else if (r.Top >= p.LeftBottomPoint.Y && r.Bottom > p.LeftBottomPoint.Y) {
        r.Top += dy;
        r.Bottom += dy;
      }
      return r;
    case skBoth: {
      const TRect lt{0, 0, p.LeftTopPoint.X, p.LeftTopPoint.Y};
      const TRect rt{p.RightTopPoint.X, 0, pw, p.RightTopPoint.Y};
      const TRect lb{0, p.LeftBottomPoint.Y, p.LeftBottomPoint.X, ph};
      const TRect rb{p.RightBottomPoint.X, p.RightBottomPoint.Y, pw, ph};
      const TPoint a{r.Left, r.Top}, b{r.Right, r.Bottom};
      auto move = [&r](int mx, int my) { r = {r.Left + mx, r.Top + my, r.Right + mx, r.Bottom + my}; };
      if (InsideOpen(a, lt) && InsideOpen(b, lt)) return r;
      if (InsideOpen(a, rt) && InsideOpen(b, rt)) return move(dx, 0), r;
      if (InsideOpen(a, lb) && InsideOpen(b, lb)) return move(0, dy), r;
      if (InsideOpen(a, rb) && InsideOpen(b, rb)) return move(dx, dy), r;
      if (InsideClosed(a, lt) && InsideClosed(b, rb)) {
        r.Right += dx;
        r.Bottom += dy;
      } else if (InsideClosed(a, lt) && InsideClosed(b, rt)) {
        r.Right += dx;
      } else if (InsideClosed(a, lb) && InsideClosed(b, rb)) {
        r.Right += dx;
        move(0, dy);
      } else if (InsideClosed(a, lt) && InsideClosed(b, lb)) {
        r.Bottom += dy;
      } else if (InsideClosed(a, rt) && InsideClosed(b, rb)) {
        move(dx, 0);
        r.Bottom += dy;
      }
      return r;
    }
    case skFixed:
    case skNoPiece: return r;
  }
  return r;
}

TbsGlyphTextPlace PlaceGlyphAndText(const TRect& R, TbsButtonLayout layout, int M, int S, int gw, int gh, int tw,
                                    int th, bool pressed) {
  const int cx = R.Left + R.Width() / 2, cy = R.Top + R.Height() / 2;
  TbsGlyphTextPlace p;
  if (M < 0) {
    const int A = (gw + tw + S) / 2, B = (gh + th + S) / 2;
    switch (layout) {
      case TbsButtonLayout::blGlyphLeft: p = {{cx - A, cy - gh / 2}, {cx + A - tw, cy - th / 2}}; break;
      case TbsButtonLayout::blGlyphRight: p = {{cx + A - gw, cy - gh / 2}, {cx - A, cy - th / 2}}; break;
      case TbsButtonLayout::blGlyphTop: p = {{cx - gw / 2, cy - B}, {cx - tw / 2, cy + B - th}}; break;
      case TbsButtonLayout::blGlyphBottom: p = {{cx - gw / 2, cy + B - gh}, {cx - tw / 2, cy - B}}; break;
    }
  } else {
    switch (layout) {
      case TbsButtonLayout::blGlyphLeft: p = {{R.Left + M, cy - gh / 2}, {R.Left + M + gw + S, cy - th / 2}}; break;
      case TbsButtonLayout::blGlyphRight: {
        const int gx = R.Right - gw - M;
        p = {{gx, cy - gh / 2}, {gx - S - tw, cy - th / 2}};
        break;
      }
      case TbsButtonLayout::blGlyphTop: p = {{cx - gw / 2, R.Top + M}, {cx - tw / 2, R.Top + M + gh + S}}; break;
      case TbsButtonLayout::blGlyphBottom: {
        const int gy = R.Bottom - gh - M;
        p = {{cx - gw / 2, gy}, {cx - tw / 2, gy - S - th}};
        break;
      }
    }
  }
  if (pressed) {
    p.Glyph = Moved(p.Glyph, 1, 1);
    p.Text = Moved(p.Text, 1, 1);
  }
  return p;
}

int GlyphFrameFor(bool down, bool active, bool enabled, TbsNumGlyphs n) {
  if (down && active && n > 2) return 3;
  if (active && n > 3) return 4;
  if (enabled || n < 2) return 1;
  return 2;
}

void PaintPiece(TImage& bitmap, const TImage& picture, const TRect& rect, TbsSizingKind kind, const TbsSkinPiece& piece,
                const TbsSizedPiece& sized, const TbsStretchFlags& stretch, int W, int H) {
  switch (kind) {
    case skFixed:
      bitmap.SetSize(rect.Width(), rect.Height());
      CopyImageRect(bitmap, {0, 0, rect.Width(), rect.Height()}, picture, rect);
      break;
    case skBoth: NinePartImage(piece.Geometry(), sized.Geometry(), bitmap, picture, rect, W, H, true, stretch); break;
    case skWidthOnly:
      ThreePartHorzImage(piece.LeftTopPoint.X, piece.SkinRect.Width() - piece.RightTopPoint.X, bitmap, picture, rect, W,
                         stretch.Client);
      break;
    case skHeightOnly:
      ThreePartVertImage(piece.LeftTopPoint.Y, piece.SkinRect.Height() - piece.LeftBottomPoint.Y, bitmap, picture, rect, H,
                         stretch.Client);
      break;
    case skNoPiece: break;
  }
}

}  // namespace bs
