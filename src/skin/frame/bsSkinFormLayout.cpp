#include "skin/frame/bsSkinFormLayout.h"

#include "skin/resources/bsUtils.h"

#include <algorithm>
#include <climits>
#include <initializer_list>
#include <vector>

namespace bs {

namespace {

// A skin description and a window size may hold any int. Sums are taken in 64 bits and every
// result is held at the ends of the int range (SaturatedInt).
using Wide = long long;

Wide SpanX(const TRect& r) { return Wide(r.Right) - r.Left; }
Wide SpanY(const TRect& r) { return Wide(r.Bottom) - r.Top; }
// Compares the edges instead of subtracting them, so no rect overflows the test.
bool NoArea(const TRect& r) { return r.Right <= r.Left || r.Bottom <= r.Top; }
// The platform's point-in-rect rule: right and bottom edges are outside.
bool PtIn(Wide x, Wide y, const TRect& r) { return r.Left <= x && x < r.Right && r.Top <= y && y < r.Bottom; }
bool PtIn(const TPoint& p, const TRect& r) { return PtIn(p.X, p.Y, r); }

TPoint Shifted(const TPoint& p, Wide dx, Wide dy) { return {SaturatedInt(p.X + dx), SaturatedInt(p.Y + dy)}; }
TRect Shifted(const TRect& r, Wide dx, Wide dy) {
  return {SaturatedInt(r.Left + dx), SaturatedInt(r.Top + dy), SaturatedInt(r.Right + dx), SaturatedInt(r.Bottom + dy)};
}
// The right and bottom edges moved: the rect grows with the frame.
TRect Grown(const TRect& r, Wide dx, Wide dy) { return {r.Left, r.Top, SaturatedInt(r.Right + dx), SaturatedInt(r.Bottom + dy)}; }
// `r` with each edge moved inwards by its margin, its right and bottom raised to its left and
// top when the margins meet.
TRect Inset(const TRect& r, Wide left, Wide top, Wide right, Wide bottom) {
  const int l = SaturatedInt(r.Left + left), t = SaturatedInt(r.Top + top);
  return {l, t, std::max(l, SaturatedInt(r.Right - right)), std::max(t, SaturatedInt(r.Bottom - bottom))};
}

// ---- Mask strips and the window shape --------------------------------------------------------

// Only exact black belongs to the shape, as in the region built from the same strips.
bool BlackAt(const TImage& strip, Wide x, Wide y) {
  if (x < 0 || y < 0 || x >= strip.Width() || y >= strip.Height()) return false;
  const TPixel& p = strip.At(int(x), int(y));
  return p.B == 0 && p.G == 0 && p.R == 0;
}

bool InShape(const TbsFrameLayout& layout, const TbsMaskStripImages& strips, Wide x, Wide y) {
  const TRect& m = layout.MaskRect;
  if (PtIn(x, y, m)) return true;
  // The top strip holds the rows above the mask rect; its top row already belongs to the
  // side strips, which run from there down to the bottom strip.
  if (y < m.Top) return BlackAt(strips.Top, x, y);
  if (y >= m.Bottom) return BlackAt(strips.Bottom, x, y - m.Bottom);
  if (x > m.Left) return BlackAt(strips.Right, x - m.Right, y - m.Top);
  return BlackAt(strips.Left, x, y - m.Top);
}

// ---- Hit testing -------------------------------------------------------------------------

// Whether P lies within the border width of the outside of the window: of its rectangle, or of
// its shape when the skin has a mask.
bool NearEdge(const TbsSkinnedHitInput& in, const TPoint& p) {
  const TbsFrameLayout& L = *in.Layout;
  const bool masked = in.Mask && !in.Mask->Empty();
  if (masked && PtIn(p, L.MaskRect)) return false;
  const Wide b = in.BorderWidth;
  const Wide xs[4] = {p.X - b, p.X, p.X + b, p.X}, ys[4] = {p.Y, p.Y - b, p.Y, p.Y + b};
  const TRect window{0, 0, L.Width, L.Height};
  for (int i = 0; i < 4; ++i)
    if (masked ? !InShape(L, *in.Mask, xs[i], ys[i]) : !PtIn(xs[i], ys[i], window)) return true;
  return false;
}

// The sizing code of a point near the edge, or 0 when it lies in no sizing zone.
int SizingCode(const TbsFrameLayout& L, const TPoint& p) {
  const TPoint &lt = L.HTLT, &rt = L.HTRT, &lb = L.HTLB, &rb = L.HTRB;
  const TRect& cl = L.ClientRect;
  if (p.X <= lt.X && p.Y <= lt.Y) return hcTopLeft;
  if (p.X >= rt.X && p.Y <= rt.Y) return hcTopRight;
  if (p.X <= lb.X && p.Y >= lb.Y) return hcBottomLeft;
  if (p.X >= rb.X && p.Y >= rb.Y) return hcBottomRight;
  if (PtIn(p, {lt.X, 0, rt.X, cl.Top})) return hcTop;
  if (PtIn(p, {lb.X, cl.Bottom, rb.X, L.Height})) return hcBottom;
  if (PtIn(p, {0, lt.Y, cl.Left, lb.Y})) return hcLeft;
  if (PtIn(p, {cl.Right, rt.Y, L.Width, rb.Y})) return hcRight;
  return 0;
}

// ---- Placing the objects -----------------------------------------------------------------

// The order of the caption buttons in their row, from the row's start.
constexpr TbsStdCommand kRowOrder[] = {TbsStdCommand::cmClose, TbsStdCommand::cmMaximize, TbsStdCommand::cmMinimize,
                                       TbsStdCommand::cmRollUp, TbsStdCommand::cmMinimizeToTray};

bool IsButton(const TbsPlacedObject& o, TbsStdCommand command) {
  return o.Role == TbsPlaceRole::StdButton && o.Visible && o.Command == command;
}
TbsPlacedObject* FirstButton(std::span<TbsPlacedObject> objects, TbsStdCommand command, bool inPicture) {
  for (TbsPlacedObject& o : objects)
    if (IsButton(o, command) && (o.InPicture || !inPicture)) return &o;
  return nullptr;
}
TbsPlacedObject* FirstCaption(std::span<TbsPlacedObject> objects) {
  for (TbsPlacedObject& o : objects)
    if (o.Role == TbsPlaceRole::Caption) return &o;
  return nullptr;
}

struct TSize {
  Wide W, H;
};
TSize SkinSize(const TbsPlacedObject& o) {
  if (o.IconWidth != 0 || o.IconHeight != 0) return {o.IconWidth, o.IconHeight};
  return {SpanX(o.SkinRect), SpanY(o.SkinRect)};
}
TRect Placed(Wide left, Wide top, const TSize& s) { return {SaturatedInt(left), SaturatedInt(top), SaturatedInt(left + s.W), SaturatedInt(top + s.H)}; }

}  // namespace

// ---- The frame layout ------------------------------------------------------------------------

TbsFrameLayout ComputeFrameLayout(const TbsFormInfo& info, int picWidth, int picHeight, int W, int H) {
  const Wide dx = Wide(W) - picWidth, dy = Wide(H) - picHeight;
  TbsFrameLayout l;
  l.Width = W;
  l.Height = H;
  l.PicWidth = picWidth;
  l.PicHeight = picHeight;
  l.LT = info.Corners.LeftTopPoint;
  l.RT = Shifted(info.Corners.RightTopPoint, dx, 0);
  l.LB = Shifted(info.Corners.LeftBottomPoint, 0, dy);
  l.RB = Shifted(info.Corners.RightBottomPoint, dx, dy);
  l.ClientRect = Grown(info.Corners.ClientRect, dx, dy);
  l.CaptionRect = NoArea(info.CaptionRect) ? info.CaptionRect : Grown(info.CaptionRect, dx, 0);
  // Buttons in the right half of the picture stay with the right edge; those in the left half
  // stay where they are.
  l.ButtonsRect = info.ButtonsRect;
  if (!NoArea(l.ButtonsRect) && l.ButtonsRect.Left > picWidth / 2) l.ButtonsRect = Shifted(l.ButtonsRect, dx, 0);
  l.HTLT = info.HitTestLeftTopPoint;
  l.HTRT = Shifted(info.HitTestRightTopPoint, dx, 0);
  l.HTLB = Shifted(info.HitTestLeftBottomPoint, 0, dy);
  l.HTRB = Shifted(info.HitTestRightBottomPoint, dx, dy);
  l.MaskRect = Grown(info.MaskRectArea, dx, dy);
  return l;
}

TRect MapSkinRect(const TbsFormInfo& info, const TbsFrameLayout& layout, const TRect& r) {
  const TbsCornerKeys& k = info.Corners;
  const TPoint &LT = k.LeftTopPoint, &RT = k.RightTopPoint, &LB = k.LeftBottomPoint, &RB = k.RightBottomPoint;
  const int pw = layout.PicWidth, ph = layout.PicHeight;
  const TRect zLT{0, 0, LT.X, LT.Y}, zRT{RT.X, 0, pw, RT.Y}, zLB{0, LB.Y, LB.X, ph}, zRB{RB.X, RB.Y, pw, ph};
  const Wide dx = Wide(layout.RB.X) - RB.X, dy = Wide(layout.RB.Y) - RB.Y;

  if (RectInsideRect(r, zLT)) return r;
  if (RectInsideRect(r, zRT)) return Shifted(r, dx, 0);
  if (RectInsideRect(r, zLB)) return Shifted(r, 0, dy);
  if (RectInsideRect(r, zRB)) return Shifted(r, dx, dy);

  // A rect across zones stretches between the zones of its two corners.
  const TPoint tl{r.Left, r.Top}, br{r.Right, r.Bottom};
  const bool tlInLT = PtIn(tl, zLT), tlInRT = PtIn(tl, zRT), tlInLB = PtIn(tl, zLB);
  const bool brInRT = PtIn(br, zRT), brInLB = PtIn(br, zLB), brInRB = PtIn(br, zRB);
  if (tlInLT && brInRB) return Grown(r, dx, dy);
  if (tlInLT && brInRT) return Grown(r, dx, 0);
  if (tlInLB && brInRB) return Shifted(Grown(r, dx, 0), 0, dy);
  if (tlInLT && brInLB) return Grown(r, 0, dy);
  if (tlInRT && brInRB) return Grown(Shifted(r, dx, 0), 0, dy);
  return r;
}

TRect SkinnedClientFromWindow(const TbsFormInfo& info, int picWidth, int picHeight, const TRect& window) {
  const TRect& cl = info.Corners.ClientRect;
  return Inset(window, cl.Left, cl.Top, Wide(picWidth) - cl.Right, Wide(picHeight) - cl.Bottom);
}

TRect BuiltInClientFromWindow(int captionHeight, const TRect& window) {
  return Inset(window, BuiltInFrameWidth, Wide(captionHeight) + BuiltInFrameWidth, BuiltInFrameWidth,
               BuiltInFrameWidth);
}

// ---- Size limits ---------------------------------------------------------------------------

int FrameMinWidth(const TbsSizeLimitsInput& in) {
  if (!in.Skinned) return in.MinWidth > 0 ? in.MinWidth : 120;
  if (in.PicWidth < in.MinWidth && !in.Minimized) return in.MinWidth;
  return in.FormMinWidth > 0 ? in.FormMinWidth : in.PicWidth;
}

int FrameMinHeight(const TbsSizeLimitsInput& in) {
  const Wide h = in.Skinned ? Wide(in.PicHeight) - SpanY(in.SkinClientRect) : Wide(in.BuiltInCaptionHeight) + 6;
  if (h < in.MinHeight && !in.RolledUp && !in.Minimized) return in.MinHeight;
  return SaturatedInt(h);
}

int FrameMaxWidth(const TbsSizeLimitsInput& in, int areaWidth) {
  return in.MaxWidth > 0 ? std::min(areaWidth, in.MaxWidth) : areaWidth;
}

int FrameMaxHeight(const TbsSizeLimitsInput& in, int areaHeight) {
  return in.MaxHeight > 0 ? std::min(areaHeight, in.MaxHeight) : areaHeight;
}

// ---- The window shape ----------------------------------------------------------------------

void BuildMaskStrips(const TbsFormInfo& info, const TImage& mask, const TbsFrameLayout& layout,
                     TbsMaskStripImages& strips) {
  for (TImage* s : {&strips.Top, &strips.Bottom, &strips.Left, &strips.Right}) s->SetSize(0, 0);
  TbsPieceGeometry g = info.Corners.Geometry();
  g.Cl = info.MaskRectArea;
  const TbsPieceGeometry ng{layout.LT, layout.RT, layout.LB, layout.RB, layout.MaskRect};
  // Beyond the window coordinate range the frame gets no shape of its own, only its mask rect.
  if (mask.Empty() || !InSkinRange(g) || !InSkinRange(ng) || !InSkinRange(layout.Width)) return;
  MaskBorderStrips(g, ng, mask, {&strips.Top, &strips.Left, &strips.Right, &strips.Bottom}, layout.Width);
}

bool PointInShape(const TbsFrameLayout& layout, const TbsMaskStripImages& strips, TPoint p) {
  return InShape(layout, strips, p.X, p.Y);
}

// ---- Hit testing -------------------------------------------------------------------------

int SkinnedHitTest(const TbsSkinnedHitInput& in, TPoint p) {
  const bool inCaption = std::any_of(in.CaptionRects.begin(), in.CaptionRects.end(),
                                     [&](const TRect& r) { return PtIn(p, r); });
  if (in.Layout && !in.RolledUp && !in.Minimized) {
    const bool inClient = PtIn(p, in.Layout->ClientRect);
    // A hot object keeps the pointer on the frame objects until it leaves them.
    if (in.ObjectHot && !inCaption && !inClient && !in.InSizeMove) return hcObject;
    if (!in.Maximized && in.Sizeable) {
      if (!NearEdge(in, p)) return inClient ? hcClient : inCaption ? hcCaption : hcObject;
      if (const int code = SizingCode(*in.Layout, p)) return code;
    }
    if (inClient) return hcClient;
  }
  return inCaption ? hcCaption : hcObject;
}

int BuiltInHitTest(const TbsBuiltInHitInput& in, TPoint p) {
  constexpr int kGrip = 2;  // how far from an edge a point still sizes the window
  const int f = BuiltInFrameWidth;
  const TRect client = Inset({0, 0, in.Width, in.Height}, f, Wide(in.CaptionHeight) + f, f, f);
  const int rest = PtIn(p, in.CaptionBand) ? hcCaption : PtIn(p, client) ? hcClient : hcObject;
  if (in.Maximized || in.RolledUp || in.Minimized || !in.Sizeable) return rest;
  if (in.ObjectHot) return hcObject;
  const bool left = p.X <= kGrip, top = p.Y <= kGrip;
  const bool right = Wide(in.Width) - 1 - p.X <= kGrip, bottom = Wide(in.Height) - 1 - p.Y <= kGrip;
  if (left && top) return hcTopLeft;
  if (right && top) return hcTopRight;
  if (left && bottom) return hcBottomLeft;
  if (right && bottom) return hcBottomRight;
  if (left) return hcLeft;
  if (top) return hcTop;
  if (right) return hcRight;
  if (bottom) return hcBottom;
  return rest;
}

// ---- Placing the frame objects -------------------------------------------------------------

void ArrangeFrameObjects(const TbsFormInfo& info, const TbsFrameLayout& layout, std::span<TbsPlacedObject> objects) {
  for (TbsPlacedObject& o : objects)
    if (!o.InPicture) o.ObjectRect = MapSkinRect(info, layout, o.SkinRect);

  const bool inButtons = !NoArea(layout.ButtonsRect);
  if (!inButtons && NoArea(layout.CaptionRect)) return;
  const TRect& area = inButtons ? layout.ButtonsRect : layout.CaptionRect;

  std::vector<TbsPlacedObject*> row;
  for (TbsStdCommand command : kRowOrder)
    if (TbsPlacedObject* b = FirstButton(objects, command, true)) row.push_back(b);
  for (TbsPlacedObject& o : objects)
    if (IsButton(o, TbsStdCommand::cmDefault) && o.InPicture) row.push_back(&o);
  TbsPlacedObject* caption = FirstCaption(objects);
  TbsPlacedObject* sysMenu = FirstButton(objects, TbsStdCommand::cmSysMenu, true);
  const Wide gap = info.ButtonsOffset;
  const Wide y = area.Top;

  if (info.ButtonsInLeft) {
    // In the caption rect the system-menu button ends the run and the caption follows it.
    if (!inButtons && sysMenu) row.push_back(sysMenu);
    Wide x = area.Left, end = x;
    for (TbsPlacedObject* b : row) {
      const TSize s = SkinSize(*b);
      b->ObjectRect = Placed(x, y, s);
      end = x + s.W;
      x = end + gap;
    }
    if (!inButtons) {
      if (caption) caption->ObjectRect.Left = SaturatedInt(end);
      return;
    }
  } else {
    Wide x = area.Right;
    for (TbsPlacedObject* b : row) {
      const TSize s = SkinSize(*b);
      b->ObjectRect = Placed(x - s.W, y, s);
      x -= s.W + gap;
    }
    if (!inButtons && caption) caption->ObjectRect.Right = SaturatedInt(x + gap);
  }

  if (sysMenu) {
    // The system-menu button opens the caption rect, centred in its height.
    const TRect& c = layout.CaptionRect;
    const TSize s = SkinSize(*sysMenu);
    sysMenu->ObjectRect = Placed(c.Left, c.Top + SpanY(c) / 2 - s.H / 2, s);
    if (caption) caption->ObjectRect.Left = sysMenu->ObjectRect.Right;
  }
}

TRect ArrangeBuiltInButtons(int W, bool toolWindow, std::span<TbsPlacedObject> objects) {
  constexpr int kTop = 4;
  const int f = BuiltInFrameWidth;
  const int size = BuiltInButtonSize(toolWindow);
  Wide x = Wide(W) - 4, right = Wide(W) - f;
  for (TbsStdCommand command : kRowOrder)
    if (TbsPlacedObject* b = FirstButton(objects, command, false)) {
      x -= size;
      b->ObjectRect = Placed(x, kTop, {size, size});
      right = x;
    }
  Wide left = f;
  if (TbsPlacedObject* m = FirstButton(objects, TbsStdCommand::cmSysMenu, false)) {
    const bool icon = m->IconWidth != 0 || m->IconHeight != 0;
    m->ObjectRect = Placed(f, kTop, icon ? TSize{m->IconWidth, m->IconHeight} : TSize{size, size});
    left = m->ObjectRect.Right;
  }
  // On a frame too narrow for both groups the band closes up instead of turning inside out.
  left += 2;
  return {SaturatedInt(left), f, SaturatedInt(std::max(left, right)), f + BuiltInCaptionHeight(toolWindow)};
}

// ---- Magnetic edges ------------------------------------------------------------------------

namespace {

// One edge: it snaps onto `target` when within `distance`, and a snapped edge lets go once the
// pointer has moved more than `distance` along the edge's axis since it snapped (it may catch
// again at once when it is still within reach).
bool Sticks(bool& snapped, TPoint& snapPointer, Wide edge, Wide target, const TPoint& pointer, bool alongX,
            int distance) {
  const Wide moved = alongX ? Wide(pointer.X) - snapPointer.X : Wide(pointer.Y) - snapPointer.Y;
  if (snapped && (moved > distance || -moved > distance)) snapped = false;
  if (!snapped && edge - target <= distance && target - edge <= distance) {
    snapped = true;
    snapPointer = pointer;
  }
  return snapped;
}

// The position on one axis: the low edge wins when both edges reach their targets.
int SnapAxis(bool& low, TPoint& lowAt, bool& high, TPoint& highAt, int pos, int size, int lowTarget,
             int highTarget, const TPoint& pointer, bool alongX, int distance) {
  if (Sticks(low, lowAt, pos, lowTarget, pointer, alongX, distance)) {
    high = false;
    return lowTarget;
  }
  if (Sticks(high, highAt, Wide(pos) + size, highTarget, pointer, alongX, distance))
    return SaturatedInt(Wide(highTarget) - size);
  return pos;
}

}  // namespace

TPoint MagneticPosition(TbsMagneticState& state, TPoint proposed, int width, int height, const TRect& workArea,
                        TPoint pointer, int distance) {
  TPoint* at = state.SnapPointer;
  return {SnapAxis(state.Left, at[0], state.Right, at[2], proposed.X, width, workArea.Left, workArea.Right, pointer,
                   true, distance),
          SnapAxis(state.Top, at[1], state.Bottom, at[3], proposed.Y, height, workArea.Top, workArea.Bottom, pointer,
                   false, distance)};
}

}  // namespace bs
