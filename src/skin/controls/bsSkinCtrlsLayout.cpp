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
  if (p.RightBottom.X != 0 && p.RightBottom.Y != 0) return skBoth;
  if (p.RightTop.X != 0 || p.RightTop.Y != 0) return skWidthOnly;
  if (p.LeftBottom.X != 0 || p.LeftBottom.Y != 0) return skHeightOnly;
  return skFixed;
}

void FitPieceToSize(TbsSizingKind kind, const TbsSkinPiece& p, int& W, int& H, TbsSizedPiece& s) {
  if (kind == skNoPiece) return;
  const int dx = W - p.SkinRect.Width(), dy = H - p.SkinRect.Height();
  s = {p.LeftTop, p.RightTop, p.LeftBottom, p.RightBottom, p.ClientRect};
  switch (kind) {
    case skBoth:
      s.RightTop = Moved(p.RightTop, dx, 0);
      s.LeftBottom = Moved(p.LeftBottom, 0, dy);
      s.RightBottom = Moved(p.RightBottom, dx, dy);
      s.ClientRect.Right += dx;
      s.ClientRect.Bottom += dy;
      break;
    case skWidthOnly:
      H = p.SkinRect.Height();
      s.RightTop = Moved(p.RightTop, dx, 0);
      s.ClientRect.Right += dx;
      break;
    case skHeightOnly:
      W = p.SkinRect.Width();
      s.LeftBottom = Moved(p.LeftBottom, 0, dy);
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
      if (r.Left <= p.LeftTop.X && r.Right >= p.RightTop.X) {
        r.Right += dx;
      } else if (r.Left >= p.RightTop.X && r.Right > p.RightTop.X) {
        r.Left += dx;
        r.Right += dx;
      }
      return r;
    case skHeightOnly:
      if (r.Top <= p.LeftTop.Y && r.Bottom >= p.LeftBottom.Y) {
        r.Bottom += dy;
      } else if (r.Top >= p.LeftBottom.Y && r.Bottom > p.LeftBottom.Y) {
        r.Top += dy;
        r.Bottom += dy;
      }
      return r;
    case skBoth: {
      const TRect lt{0, 0, p.LeftTop.X, p.LeftTop.Y};
      const TRect rt{p.RightTop.X, 0, pw, p.RightTop.Y};
      const TRect lb{0, p.LeftBottom.Y, p.LeftBottom.X, ph};
      const TRect rb{p.RightBottom.X, p.RightBottom.Y, pw, ph};
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

TbsPieceGeometry Geometry(const TbsSkinPiece& p) {
  return {p.LeftTop, p.RightTop, p.LeftBottom, p.RightBottom, p.ClientRect};
}
TbsPieceGeometry Geometry(const TbsSizedPiece& s) {
  return {s.LeftTop, s.RightTop, s.LeftBottom, s.RightBottom, s.ClientRect};
}

void PaintPiece(TImage& bitmap, const TImage& picture, const TRect& rect, TbsSizingKind kind, const TbsSkinPiece& piece,
                const TbsSizedPiece& sized, const TbsStretchFlags& stretch, int W, int H) {
  switch (kind) {
    case skFixed:
      bitmap.SetSize(rect.Width(), rect.Height());
      CopyImageRect(bitmap, {0, 0, rect.Width(), rect.Height()}, picture, rect);
      break;
    case skBoth: NinePartImage(Geometry(piece), Geometry(sized), bitmap, picture, rect, W, H, true, stretch); break;
    case skWidthOnly:
      ThreePartHorzImage(piece.LeftTop.X, piece.SkinRect.Width() - piece.RightTop.X, bitmap, picture, rect, W,
                         stretch.Client);
      break;
    case skHeightOnly:
      ThreePartVertImage(piece.LeftTop.Y, piece.SkinRect.Height() - piece.LeftBottom.Y, bitmap, picture, rect, H,
                         stretch.Client);
      break;
    case skNoPiece: break;
  }
}

}  // namespace bs
