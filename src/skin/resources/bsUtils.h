#pragma once
// The skin library's drawing primitives that need no window: the geometry of skin pieces,
// the builders that lay a skin picture out at any size, the conversion of mask pictures into
// region data, text fitting and the small rectangle, point and date helpers.

#include "base/DateTime.h"
#include "skin/resources/bsSkinDataTypes.h"

#include <climits>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace bs {

// TPoint and TRect are the description's own types (bsSkinDataTypes.h): one geometry for the
// whole library. Right and bottom are exclusive, as everywhere in the platform's geometry.

constexpr TPoint Point(int x, int y) { return {x, y}; }
constexpr TRect Rect(int left, int top, int right, int bottom) { return {left, top, right, bottom}; }

// A sum taken in 64 bits, held at the ends of the int range: absurd geometry gets absurd but
// well-defined places instead of wrapped ones.
constexpr int SaturatedInt(long long v) {
  return v < INT_MIN ? INT_MIN : v > INT_MAX ? INT_MAX : int(v);
}

// Window coordinates travel as signed 16-bit values in the platform's messages: no window,
// frame, control or skin picture reaches past ±kMaxSkinCoordinate. A skin value beyond it is
// damage, not a place, and sums of a few values within it stay far inside int.
inline constexpr int kMaxSkinCoordinate = 32767;
constexpr bool InSkinRange(int v) { return -kMaxSkinCoordinate <= v && v <= kMaxSkinCoordinate; }
bool InSkinRange(std::initializer_list<int> values);
constexpr bool InSkinRange(const TPoint& p) { return InSkinRange(p.X) && InSkinRange(p.Y); }
constexpr bool InSkinRange(const TRect& r) {
  return InSkinRange(r.Left) && InSkinRange(r.Top) && InSkinRange(r.Right) && InSkinRange(r.Bottom);
}

constexpr int WidthOfRect(const TRect& r) { return r.Right - r.Left; }
constexpr int HeightOfRect(const TRect& r) { return r.Bottom - r.Top; }
constexpr TRect ZeroRect() { return {}; }
constexpr bool SameRect(const TRect& a, const TRect& b) { return a == b; }
// Right and bottom edges count as inside here, unlike the platform's point-in-rect rule.
constexpr bool PointInsideRect(const TPoint& p, const TRect& r) {
  return r.Left <= p.X && p.X <= r.Right && r.Top <= p.Y && p.Y <= r.Bottom;
}
// Both corners by the platform's rule (right and bottom excluded), so a rect that shares its
// bottom-right corner with the other is not inside it.
constexpr bool RectInsideRect(const TRect& inner, const TRect& outer) {
  auto in = [&](int x, int y) { return outer.Left <= x && x < outer.Right && outer.Top <= y && y < outer.Bottom; };
  return in(inner.Left, inner.Top) && in(inner.Right, inner.Bottom);
}

// ---- Piece geometry -------------------------------------------------------------------------

// Where a skin piece is cut: the corner points and the client rect, relative to the piece's
// top-left. LT.X and RT.X split the band above the client area into corner, middle and corner;
// LB.X and RB.X the band below; LT.Y and LB.Y the column to the left; RT.Y and RB.Y the right.
struct TbsPieceGeometry {
  TPoint LT, RT, LB, RB;
  TRect Cl;
  friend bool operator==(const TbsPieceGeometry&, const TbsPieceGeometry&) = default;
};
bool InSkinRange(const TbsPieceGeometry& g);

// The geometry of a piece whose natural rect is `skinRect`, laid out at W x H: corners and
// client offsets keep their distances to the nearest outer edge, only the middles change size.
TbsPieceGeometry ResizedGeometry(const TbsPieceGeometry& natural, const TRect& skinRect, int W, int H);

// Per edge and for the client area: true stretches the middle over its new span, false tiles it.
struct TbsStretchFlags {
  bool Left = false, Top = false, Right = false, Bottom = false, Client = false;
};

// ---- Image builders -------------------------------------------------------------------------
// Each sizes its destination and draws into it from `src`. Every piece is a block copy that
// scales by the nearest pixel when its source and destination sizes differ; parts of a piece
// that fall outside either picture are not drawn.
//
// Geometry, sizes included, lies within ±kMaxSkinCoordinate. A builder given a value beyond it
// draws nothing: its destination is left empty, its strips as they were.

// Copies the `sr` part of `src` into the `dr` part of `dst`: row spans 1:1, or scaled by the
// nearest pixel (the platform's default stretch). Empty or inverted rects draw nothing, nor do
// rects reaching beyond 16 x kMaxSkinCoordinate (the builders cut their pieces from sums of a
// few of their values).
void CopyImageRect(TImage& dst, const TRect& dr, const TImage& src, const TRect& sr);

// Caps of widths L and Rr at both ends of `R`; the middle stretched or tiled over W.
// Dest becomes W x height(R).
void ThreePartHorzImage(int L, int Rr, TImage& dest, const TImage& src, const TRect& R, int W, bool stretch);
// The same along Y: caps of heights T and B; Dest becomes width(R) x H.
void ThreePartVertImage(int T, int B, TImage& dest, const TImage& src, const TRect& R, int H, bool stretch);
// A left cap of width L and a middle (ending Rr before R's right) over the rest of W; no right cap.
void TwoPartHorzImage(int L, int Rr, TImage& dest, const TImage& src, const TRect& R, int W, bool stretch);

// The frame of W x H: edges, eight fixed pieces, and the client when `drawClient`. Returns with
// Dest sized but undrawn when RB and LT share an X or a Y, or `src` is empty. A tiled middle or
// client of no size is left undrawn.
void NinePartImage(const TbsPieceGeometry& g, const TbsPieceGeometry& ng, TImage& dest, const TImage& src,
                   const TRect& SR, int W, int H, bool drawClient, const TbsStretchFlags& stretch);
// As NinePartImage; the client, when drawn, is always tiled.
void NinePartImageTiledClient(const TbsPieceGeometry& g, const TbsPieceGeometry& ng, TImage& dest,
                              const TImage& src, const TRect& SR, int W, int H, bool drawClient,
                              const TbsStretchFlags& stretch);
// As NinePartImage without the right column: the top and bottom middles run on to W.
void NinePartImageOpenRight(const TbsPieceGeometry& g, const TbsPieceGeometry& ng, TImage& dest,
                            const TImage& src, const TRect& SR, int W, int H, bool drawClient,
                            const TbsStretchFlags& stretch);
// NinePartImage at Dest's current size, cut at the corners of `Cl`, every middle stretched.
void NinePartFromClientRect(TImage& dest, const TImage& src, const TRect& SR, bool drawClient, const TRect& Cl);

// The four border strips of a W x H frame, the client area left out. A strip whose piece has no
// size keeps its previous size and content.
struct TbsBorderStrips {
  TImage* Left;
  TImage* Top;
  TImage* Right;
  TImage* Bottom;
};
void BorderStripImages(const TbsPieceGeometry& g, const TbsPieceGeometry& ng, const TbsBorderStrips& strips,
                       const TImage& src, const TRect& SR, int W, int H, const TbsStretchFlags& stretch);

// ---- Regions from masks ---------------------------------------------------------------------

// Region data in the platform's RGNDATA layout: a 32-byte header (size 32, type 1, count n,
// size 0, bounding rect) and n rects of four little-endian 32-bit integers.
struct TbsRegionData {
  std::vector<std::uint8_t> Bytes;  // empty: no region
  std::size_t ByteSize() const { return Bytes.size(); }
  std::uint32_t Count() const;
  TRect Bounds() const;
  TRect RectAt(std::size_t i) const;
};

// The black pixels (blue + green + red = 0 exactly) of `mask` moved by (dx, dy), as one-pixel-high
// runs in row order, left to right. An empty mask gives no region data. The table grows with the
// mask, however many runs it needs. Throws std::overflow_error when a coordinate would not fit.
TbsRegionData MaskToRegionRuns(const TImage& mask, int dx, int dy);

// Cuts a window mask at natural size into four strips for a window of width W; never stretched.
struct TbsMaskStrips {
  TImage* Top;
  TImage* Left;
  TImage* Right;
  TImage* Bottom;
};
void MaskBorderStrips(const TbsPieceGeometry& g, const TbsPieceGeometry& ng, const TImage& mask,
                      const TbsMaskStrips& strips, int W);

// The region data of a W x H window built from its frame mask: the client rect and the runs of
// the four mask strips at their places. Empty when the new points are inverted or the new
// client rect is empty (no region), or a value lies beyond ±kMaxSkinCoordinate.
struct TbsMaskBorderRuns {
  TRect Client;
  TbsRegionData Top, Bottom, Left, Right;  // each empty when its strip has no size
};
std::optional<TbsMaskBorderRuns> MaskBorderRegionRuns(const TbsPieceGeometry& g, const TbsPieceGeometry& ng,
                                                      const TImage& mask, int W);

// The columns of frame k (from 1) of a strip of n frames `width` pixels wide, over the full
// height. Empty for n < 1, k outside 1..n or a strip narrower than n pixels.
TRect GlyphFrameRect(int width, int height, int k, int n);

// ---- Text fitting ---------------------------------------------------------------------------

// Shortens a text with "..." to fit `maxWidth`, measuring with `width`: unchanged when it fits;
// otherwise the last character goes until text + "..." fits or nothing is left, and "..." is
// appended (so an empty remainder gives "..." even when that does not fit).
std::string FitText(std::string_view text, int maxWidth, const std::function<int(std::string_view)>& width);
std::wstring FitWideText(std::wstring_view text, int maxWidth, const std::function<int(std::wstring_view)>& width);

// ---- Dates and platform versions ------------------------------------------------------------

using spv::base::TDateTime;
// Days 1 January 0001 to 31 December 9999; std::out_of_range for any other value.
int DatePartDay(TDateTime date);
int DatePartMonth(TDateTime date);
int DatePartYear(TDateTime date);
bool LeapYear(int year);
// 0 for a month outside 1..12.
int MonthLength(int year, int month);

// From a platform version: Windows 2000 is 5.0, XP 5.1, Server 2003 5.2, Vista 6.0.
bool IsWin2000OrLater(unsigned major, unsigned minor);
bool IsWinXPOrLater(unsigned major, unsigned minor);

}  // namespace bs
