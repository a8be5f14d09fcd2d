#include "skin/resources/bsUtils.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <stdexcept>

namespace bs {

TbsPieceGeometry ResizedGeometry(const TbsPieceGeometry& natural, const TRect& skinRect, int W, int H) {
  const long long dW = W - ((long long)skinRect.Right - skinRect.Left),
                  dH = H - ((long long)skinRect.Bottom - skinRect.Top);
  const TbsPieceGeometry& n = natural;
  return {n.LT,
          {SaturatedInt(n.RT.X + dW), n.RT.Y},
          {n.LB.X, SaturatedInt(n.LB.Y + dH)},
          {SaturatedInt(n.RB.X + dW), SaturatedInt(n.RB.Y + dH)},
          {n.Cl.Left, n.Cl.Top, SaturatedInt(n.Cl.Right + dW), SaturatedInt(n.Cl.Bottom + dH)}};
}

bool InSkinRange(std::initializer_list<int> values) {
  return std::all_of(values.begin(), values.end(), [](int v) { return InSkinRange(v); });
}

bool InSkinRange(const TbsPieceGeometry& g) {
  return InSkinRange(g.LT) && InSkinRange(g.RT) && InSkinRange(g.LB) && InSkinRange(g.RB) && InSkinRange(g.Cl);
}

namespace {

// Tiles k = 0 .. n of step t laid from d0: those that reach into [0, extent), the only ones that
// draw anything, however far the geometry runs outside the picture.
struct TileRange {
  int First, Last;
};
TileRange VisibleTiles(int d0, int n, int t, int extent) {
  return {d0 < 0 ? -d0 / t : 0, std::min(n, (extent - d0) / t)};
}

}  // namespace

// ---- Block copy -----------------------------------------------------------------------------

namespace {

// floor((n0 + k step) / den) for k = 0, 1, 2, ...: one division for the first value, then each
// next one adds the step and carries the remainder. n0 and step are not negative, den is positive.
class FloorSteps {
 public:
  FloorSteps(long long n0, long long step, long long den)
      : Den_(den), StepQ_(step / den), StepR_(step % den), Q_(n0 / den), R_(n0 % den) {}
  long long Value() const { return Q_; }
  void Next() {
    Q_ += StepQ_;
    R_ += StepR_;
    if (R_ >= Den_) {
      R_ -= Den_;
      ++Q_;
    }
  }

 private:
  long long Den_, StepQ_, StepR_, Q_, R_;
};

// Destination indexes [Begin, End) all show source index Src.
struct NearestRun {
  int Src, Begin, End;
};

// A span of `d` destination pixels starting at d0 takes the span of `s` source pixels starting at
// s0; destination index i (from d0) shows source index ((2i + 1) s) div (2d), the pixel under its
// centre, as the platform's nearest-pixel stretch picks it. The runs of equal source index over
// the destination indexes [a, b) (a >= d0), for the source indexes inside [0, limit): in order, and
// together one stretch without gaps, since the source index never falls as i rises.
std::vector<NearestRun> NearestRuns(int a, int b, int d0, int d, int s0, int s, int limit) {
  std::vector<NearestRun> runs;
  if (a >= b) return runs;
  const long long i0 = (long long)a - d0, i1 = (long long)b - d0;
  if (d <= s) {
    // Shrinking or one to one: every destination index is a run of its own.
    runs.reserve(std::size_t(b - a));
    FloorSteps at((2 * i0 + 1) * s, 2LL * s, 2LL * d);
    for (int i = a; i < b; ++i, at.Next()) {
      const long long from = s0 + at.Value();
      if (from >= 0 && from < limit) runs.push_back({int(from), i, i + 1});
    }
    return runs;
  }
  // Enlarging: the run of source index j starts at the least i with (2i + 1) s >= 2 d j, which is
  // (2 d j + s - 1) div (2s); one step per source index instead of one per destination index.
  const auto nearest = [&](long long i) { return (2 * i + 1) * s / (2LL * d); };
  const long long jlo = std::max(nearest(i0), -(long long)s0);
  const long long jhi = std::min(nearest(i1 - 1), (long long)limit - s0 - 1);
  if (jlo > jhi) return runs;
  runs.reserve(std::size_t(jhi - jlo + 1));
  FloorSteps start(2LL * d * jlo + s - 1, 2LL * d, 2LL * s);
  long long begin = std::clamp(start.Value(), i0, i1);
  for (long long j = jlo; j <= jhi; ++j) {
    start.Next();
    const long long end = std::clamp(start.Value(), begin, i1);
    if (end > begin) runs.push_back({int(s0 + j), int(d0 + begin), int(d0 + end)});
    begin = end;
  }
  return runs;
}

// Copies n bytes; the short spans of narrow pieces go without a library call.
inline void CopyBytes(std::uint8_t* to, const std::uint8_t* from, std::size_t n) {
  if (n >= 8 && n <= 16) {
    std::uint64_t a, b;
    std::memcpy(&a, from, 8);
    std::memcpy(&b, from + n - 8, 8);
    std::memcpy(to, &a, 8);
    std::memcpy(to + n - 8, &b, 8);
  } else if (n < 8) {
    for (std::size_t i = 0; i < n; ++i) to[i] = from[i];
  } else {
    std::memcpy(to, from, n);
  }
}

void CopySame(TImage& dst, const TRect& dr, const TImage& src, const TRect& sr) {
  const long long ox = (long long)dr.Left - sr.Left, oy = (long long)dr.Top - sr.Top;
  const long long x0 = std::max({(long long)dr.Left, 0LL, ox}),
                  x1 = std::min({(long long)dr.Right, (long long)dst.Width(), ox + src.Width()});
  const long long y0 = std::max({(long long)dr.Top, 0LL, oy}),
                  y1 = std::min({(long long)dr.Bottom, (long long)dst.Height(), oy + src.Height()});
  if (x0 >= x1 || y0 >= y1) return;
  const std::size_t bytes = std::size_t(x1 - x0) * 3;
  if (&dst == &src) {
    for (long long y = y0; y < y1; ++y)
      std::memmove(dst.Row(int(y)) + 3 * x0, src.Row(int(y - oy)) + 3 * (x0 - ox), bytes);
    return;
  }
  // Whole rows of two pictures of one width are one block.
  if (x1 - x0 == dst.Width() && dst.Width() == src.Width()) {
    std::memcpy(dst.Row(int(y0)), src.Row(int(y0 - oy)), std::size_t(y1 - y0) * std::size_t(dst.Stride()));
    return;
  }
  for (long long y = y0; y < y1; ++y) CopyBytes(dst.Row(int(y)) + 3 * x0, src.Row(int(y - oy)) + 3 * (x0 - ox), bytes);
}

// Enlarging repeats each source pixel over a run of destination pixels; such runs are filled
// with 16-byte stores of the pixel's repeating pattern. Three blocks hold the pattern at the three
// byte phases: a store at byte offset o of a run takes block o mod 3. (A vector type of GCC and
// Clang: one register and one store where the machine has 16-byte registers.)
using PatternBlock = std::uint64_t __attribute__((vector_size(16)));

// Runs at least this many pixels long on average are filled; shorter ones go pixel by pixel.
constexpr std::size_t kShortestFilledRun = 2;

struct PixelRun {
  int From;   // byte offset of the source pixel in its row
  int Bytes;  // destination bytes, three a pixel
};

// Fills [out, out + bytes) with the pixel at `in`. A run shorter than one block is written with a
// single block store, past its end, when `end` leaves room for that (the runs that follow write
// over the excess); otherwise byte by byte. Longer runs end with a block that overlaps the one
// before, so nothing past them is touched; a run being whole pixels, that last block starts at
// phase 2.
inline void FillRun(std::uint8_t* out, std::size_t bytes, const std::uint8_t* in, const std::uint8_t* end) {
  // The pixel's 24 bits repeated by multiplying: the copies do not overlap, so nothing carries.
  const std::uint64_t x = in[0] | std::uint64_t(in[1]) << 8 | std::uint64_t(in[2]) << 16;
  const std::uint64_t a = x * 0x0001000001000001, b = (x >> 16) + x * 0x0100000100000100;
  const PatternBlock phase0{a, b};
  if (bytes < 16) {
    if (end - out >= 16) {
      std::memcpy(out, &phase0, 16);
    } else {
      for (std::size_t i = 0; i < bytes; i += 3) {
        out[i] = in[0];
        out[i + 1] = in[1];
        out[i + 2] = in[2];
      }
    }
    return;
  }
  const std::uint64_t c = (x >> 8) + x * 0x0000010000010000;
  const PatternBlock phase1{c, a}, phase2{b, c};
  std::uint8_t* const last = out + bytes - 16;
  for (; out + 48 <= last; out += 48) {
    std::memcpy(out, &phase0, 16);
    std::memcpy(out + 16, &phase1, 16);
    std::memcpy(out + 32, &phase2, 16);
  }
  // Less than three blocks are left before the last one.
  if (out < last) std::memcpy(out, &phase0, 16);
  if (out + 16 < last) std::memcpy(out + 16, &phase1, 16);
  if (out + 32 < last) std::memcpy(out + 32, &phase2, 16);
  std::memcpy(last, &phase2, 16);
}

void CopyScaled(TImage& dst, const TRect& dr, const TImage& src, const TRect& sr) {
  const int dw = WidthOfRect(dr), dh = HeightOfRect(dr), sw = WidthOfRect(sr), sh = HeightOfRect(sr);
  // Which source column each destination column shows, worked out once for all rows. Source
  // pixels outside the picture leave their destination pixels alone.
  const std::vector<NearestRun> columns =
      NearestRuns(std::max(dr.Left, 0), std::min(dr.Right, dst.Width()), dr.Left, dw, sr.Left, sw, src.Width());
  const std::vector<NearestRun> rows =
      NearestRuns(std::max(dr.Top, 0), std::min(dr.Bottom, dst.Height()), dr.Top, dh, sr.Top, sh, src.Height());
  if (columns.empty() || rows.empty()) return;
  const int first = columns.front().Begin;
  const std::size_t pixels = std::size_t(columns.back().End - first), bytes = 3 * pixels;
  const bool distinct = &dst != &src;
  const bool sameWidth = dw == sw && distinct;

  // A row is built from runs of one source pixel, filled with block stores, when they are long
  // enough; otherwise pixel by pixel from a map of source byte offsets. The blocks are made for
  // little-endian machines. A picture copied onto itself also goes pixel by pixel: what it reads
  // depends on what it has written already, so it keeps the order of reads and writes it has
  // always had.
  std::vector<PixelRun> runs;
  std::vector<int> map;
  if (!sameWidth && distinct && std::endian::native == std::endian::little &&
      pixels >= kShortestFilledRun * columns.size()) {
    runs.reserve(columns.size());
    for (const NearestRun& c : columns) runs.push_back({3 * c.Src, 3 * (c.End - c.Begin)});
  } else if (!sameWidth) {
    map.reserve(pixels);
    for (const NearestRun& c : columns) map.insert(map.end(), std::size_t(c.End - c.Begin), 3 * c.Src);
  }
  // Pixel by pixel: four-byte moves, each pixel's fourth byte overwritten by the next pixel; the
  // last pixel of the span, and any that would read past its source row, move three bytes.
  const int lastByte = 3 * (src.Width() - 1);
  std::size_t wide = 0;
  while (wide + 1 < map.size() && map[wide] < lastByte) ++wide;

  const std::size_t stride = std::size_t(dst.Stride());
  for (const NearestRun& r : rows) {
    const std::uint8_t* in = src.Row(r.Src);
    std::uint8_t* row = dst.Row(r.Begin) + 3 * first;
    // The run's first row; a vertical stretch repeats it. The repeats are copied from the
    // source when the width is the same, else from the row built here, never from the copy
    // just made: reading bytes still on their way to memory would hold each row up behind the
    // one before.
    const std::uint8_t* repeat = row;
    if (sameWidth) {
      repeat = in + 3 * columns.front().Src;
      CopyBytes(row, repeat, bytes);
    } else if (!runs.empty()) {
      std::uint8_t* out = row;
      for (const PixelRun& run : runs) {
        FillRun(out, std::size_t(run.Bytes), in + run.From, row + bytes);
        out += run.Bytes;
      }
    } else {
      std::uint8_t* out = row;
      std::size_t i = 0;
      for (; i < wide; ++i, out += 3) {
        std::uint32_t v;
        std::memcpy(&v, in + map[i], 4);
        std::memcpy(out, &v, 4);
      }
      for (; i < map.size(); ++i, out += 3) {
        out[0] = in[map[i]];
        out[1] = in[map[i] + 1];
        out[2] = in[map[i] + 2];
      }
    }
    for (std::uint8_t* const last = row + std::size_t(r.End - r.Begin - 1) * stride; row != last;)
      CopyBytes(row += stride, repeat, bytes);
  }
}

}  // namespace

void CopyImageRect(TImage& dst, const TRect& dr, const TImage& src, const TRect& sr) {
  constexpr long long kLimit = 16LL * kMaxSkinCoordinate;
  const auto within = [](const TRect& r) {
    return std::max({std::llabs(r.Left), std::llabs(r.Top), std::llabs(r.Right), std::llabs(r.Bottom)}) <= kLimit;
  };
  if (!within(dr) || !within(sr)) return;
  if (RectIsEmpty(dr) || RectIsEmpty(sr) || dst.Empty() || src.Empty()) return;
  if (WidthOfRect(dr) == WidthOfRect(sr) && HeightOfRect(dr) == HeightOfRect(sr))
    CopySame(dst, dr, src, sr);
  else
    CopyScaled(dst, dr, src, sr);
}

// ---- Tiling ---------------------------------------------------------------------------------

namespace {

// Lays tiles of step t from d0 over [d0, d1) along X: n = (d1 - d0) div t, tiles k = 0 .. n at
// x = d0 + k t, the last one cut where it passes d1 (so an exact fit ends with an empty tile).
// Each tile takes source columns [s0, s1 - cut); across, the source rows [sy0, sy1) fill the
// destination rows [dy0, dy1). A step of no size draws nothing.
void TileAlongX(TImage& dst, int d0, int d1, int dy0, int dy1, const TImage& src, int s0, int s1, int sy0,
                int sy1, int t) {
  if (t <= 0) return;
  // One-to-one tiles that lie wholly inside both pictures: each row gets its first tile from
  // the source and then doubles what it already has, a few block copies a row.
  if (s1 - s0 == t && sy1 - sy0 == dy1 - dy0 && &dst != &src && d0 >= 0 && d1 <= dst.Width() && dy0 >= 0 &&
      dy1 <= dst.Height() && s0 >= 0 && s1 <= src.Width() && sy0 >= 0 && sy1 <= src.Height()) {
    const int span = d1 - d0;
    if (span <= 0) return;
    const std::size_t first = 3 * std::size_t(std::min(t, span)), all = 3 * std::size_t(span);
    for (int y = dy0; y < dy1; ++y) {
      std::uint8_t* row = dst.Row(y) + 3 * d0;
      CopyBytes(row, src.Row(sy0 + y - dy0) + 3 * s0, first);
      for (std::size_t filled = first; filled < all;) {
        const std::size_t chunk = std::min(filled, all - filled);
        std::memcpy(row + filled, row, chunk);
        filled += chunk;
      }
    }
    return;
  }
  const TileRange tiles = VisibleTiles(d0, (d1 - d0) / t, t, dst.Width());
  for (int k = tiles.First; k <= tiles.Last; ++k) {
    const int x = d0 + k * t;
    const int cut = std::max(0, x + t - d1);
    CopyImageRect(dst, {x, dy0, x + t - cut, dy1}, src, {s0, sy0, s1 - cut, sy1});
  }
}

void TileAlongY(TImage& dst, int d0, int d1, int dx0, int dx1, const TImage& src, int s0, int s1, int sx0,
                int sx1, int t) {
  if (t <= 0) return;
  // One-to-one tiles across the whole width of a strip: the rows of the first tile come from
  // the source, the rest are copies of blocks of rows already there.
  if (s1 - s0 == t && sx1 - sx0 == dx1 - dx0 && dx0 == 0 && dx1 == dst.Width() && &dst != &src && d0 >= 0 &&
      d1 <= dst.Height() && s0 >= 0 && s1 <= src.Height() && sx0 >= 0 && sx1 <= src.Width()) {
    const int span = d1 - d0;
    if (span <= 0) return;
    const int first = std::min(t, span);
    CopyImageRect(dst, {dx0, d0, dx1, d0 + first}, src, {sx0, s0, sx1, s0 + first});
    const std::size_t stride = std::size_t(dst.Stride());
    for (int filled = first; filled < span;) {
      const int chunk = std::min(filled, span - filled);
      std::memcpy(dst.Row(d0 + filled), dst.Row(d0), std::size_t(chunk) * stride);
      filled += chunk;
    }
    return;
  }
  const TileRange tiles = VisibleTiles(d0, (d1 - d0) / t, t, dst.Height());
  for (int k = tiles.First; k <= tiles.Last; ++k) {
    const int y = d0 + k * t;
    const int cut = std::max(0, y + t - d1);
    CopyImageRect(dst, {dx0, y, dx1, y + t - cut}, src, {sx0, s0, sx1, s1 - cut});
  }
}

// A middle piece: stretched over `dr`, or tiled along one axis over [d0, d1) with step t.
enum class Axis { X, Y };
void DrawMiddle(TImage& dst, const TRect& dr, const TImage& src, const TRect& sr, bool stretch, Axis axis,
                int d0, int d1, int t) {
  if (stretch)
    CopyImageRect(dst, dr, src, sr);
  else if (axis == Axis::X)
    TileAlongX(dst, d0, d1, dr.Top, dr.Bottom, src, sr.Left, sr.Right, sr.Top, sr.Bottom, t);
  else
    TileAlongY(dst, d0, d1, dr.Left, dr.Right, src, sr.Top, sr.Bottom, sr.Left, sr.Right, t);
}

}  // namespace

void ThreePartHorzImage(int L, int Rr, TImage& dest, const TImage& src, const TRect& R, int W, bool stretch) {
  if (!InSkinRange({L, Rr, W}) || !InSkinRange(R)) {
    dest.SetSize(0, 0);
    return;
  }
  const int h = HeightOfRect(R);
  dest.SetSize(W, h);
  if (L != 0) CopyImageRect(dest, {0, 0, L, h}, src, {R.Left, R.Top, R.Left + L, R.Bottom});
  if (Rr != 0) CopyImageRect(dest, {W - Rr, 0, W, h}, src, {R.Right - Rr, R.Top, R.Right, R.Bottom});
  // A middle of no width counts as one pixel wide; its tiles then copy nothing.
  const TRect middle{R.Left + L, R.Top, R.Right - Rr, R.Bottom};
  DrawMiddle(dest, {L, 0, W - Rr, h}, src, middle, stretch, Axis::X, L, W - Rr, std::max(WidthOfRect(middle), 1));
}

void ThreePartVertImage(int T, int B, TImage& dest, const TImage& src, const TRect& R, int H, bool stretch) {
  if (!InSkinRange({T, B, H}) || !InSkinRange(R)) {
    dest.SetSize(0, 0);
    return;
  }
  const int w = WidthOfRect(R);
  dest.SetSize(w, H);
  if (T != 0) CopyImageRect(dest, {0, 0, w, T}, src, {R.Left, R.Top, R.Right, R.Top + T});
  if (B != 0) CopyImageRect(dest, {0, H - B, w, H}, src, {R.Left, R.Bottom - B, R.Right, R.Bottom});
  const TRect middle{R.Left, R.Top + T, R.Right, R.Bottom - B};
  DrawMiddle(dest, {0, T, w, H - B}, src, middle, stretch, Axis::Y, T, H - B, HeightOfRect(middle));
}

void TwoPartHorzImage(int L, int Rr, TImage& dest, const TImage& src, const TRect& R, int W, bool stretch) {
  if (!InSkinRange({L, Rr, W}) || !InSkinRange(R)) {
    dest.SetSize(0, 0);
    return;
  }
  const int h = HeightOfRect(R);
  dest.SetSize(W, h);
  if (L != 0) CopyImageRect(dest, {0, 0, L, h}, src, {R.Left, R.Top, R.Left + L, R.Bottom});
  const TRect middle{R.Left + L, R.Top, R.Right - Rr, R.Bottom};
  DrawMiddle(dest, {L, 0, W, h}, src, middle, stretch, Axis::X, L, W, std::max(WidthOfRect(middle), 1));
}

// ---- Nine-part images -----------------------------------------------------------------------

namespace {

enum class NineKind { Full, TiledClient, OpenRight };

void NinePart(NineKind kind, const TbsPieceGeometry& g, const TbsPieceGeometry& ng, TImage& dest,
              const TImage& src, const TRect& SR, int W, int H, bool drawClient, const TbsStretchFlags& stretch) {
  if (!InSkinRange(g) || !InSkinRange(ng) || !InSkinRange(SR) || !InSkinRange({W, H})) {
    dest.SetSize(0, 0);
    return;
  }
  dest.SetSize(W, H);
  if (g.RB.X == g.LT.X || g.RB.Y == g.LT.Y || src.Empty()) return;
  const int sw = WidthOfRect(SR), sh = HeightOfRect(SR);
  auto S = [&](int l, int t, int r, int b) { return TRect{SR.Left + l, SR.Top + t, SR.Left + r, SR.Top + b}; };
  const bool openRight = kind == NineKind::OpenRight;
  const TPoint &LT = g.LT, &RT = g.RT, &LB = g.LB, &RB = g.RB;
  const TRect& Cl = g.Cl;
  const TRect& NCl = ng.Cl;

  // The edges. Open to the right, the top and bottom middles run on to W.
  const int topEnd = openRight ? W : ng.RT.X, bottomEnd = openRight ? W : ng.RB.X;
  DrawMiddle(dest, {ng.LT.X, 0, topEnd, NCl.Top}, src, S(LT.X, 0, RT.X, Cl.Top), stretch.Top, Axis::X, ng.LT.X,
             topEnd, openRight ? RB.X - LT.X : RT.X - LT.X);
  DrawMiddle(dest, {ng.LB.X, NCl.Bottom, bottomEnd, H}, src, S(LB.X, Cl.Bottom, RB.X, sh), stretch.Bottom, Axis::X,
             ng.LB.X, bottomEnd, RB.X - LB.X);
  DrawMiddle(dest, {0, ng.LT.Y, NCl.Left, ng.LB.Y}, src, S(0, LT.Y, Cl.Left, LB.Y), stretch.Left, Axis::Y, ng.LT.Y,
             ng.LB.Y, LB.Y - LT.Y);
  if (!openRight)
    DrawMiddle(dest, {NCl.Right, ng.RT.Y, W, ng.RB.Y}, src, S(Cl.Right, RT.Y, sw, RB.Y), stretch.Right, Axis::Y,
               ng.RT.Y, ng.RB.Y, RB.Y - RT.Y);

  // The fixed pieces: a top band over the full width, a left column from the client top down,
  // a bottom band from the client left on, a right column between client top and bottom.
  struct Piece {
    TRect from, to;
    bool right;
  };
  const Piece pieces[] = {
      {S(0, 0, LT.X, Cl.Top), {0, 0, ng.LT.X, NCl.Top}, false},
      {S(0, Cl.Top, Cl.Left, LT.Y), {0, NCl.Top, NCl.Left, ng.LT.Y}, false},
      {S(RT.X, 0, sw, Cl.Top), {ng.RT.X, 0, W, NCl.Top}, true},
      {S(Cl.Right, Cl.Top, sw, RT.Y), {NCl.Right, NCl.Top, W, ng.RT.Y}, true},
      {S(0, LB.Y, Cl.Left, sh), {0, ng.LB.Y, NCl.Left, H}, false},
      {S(Cl.Left, Cl.Bottom, LB.X, sh), {NCl.Left, NCl.Bottom, ng.LB.X, H}, false},
      {S(RB.X, Cl.Bottom, sw, sh), {ng.RB.X, NCl.Bottom, W, H}, true},
      {S(Cl.Right, RB.Y, sw, Cl.Bottom), {NCl.Right, ng.RB.Y, W, NCl.Bottom}, true},
  };
  for (const Piece& p : pieces)
    if (!(openRight && p.right)) CopyImageRect(dest, p.to, src, p.from);

  if (!drawClient) return;
  const TRect client = S(Cl.Left, Cl.Top, Cl.Right, Cl.Bottom);
  if (stretch.Client && kind != NineKind::TiledClient) {
    CopyImageRect(dest, NCl, src, client);
    return;
  }
  // Tiled column by column; a client of no size has nothing to tile.
  const int D = WidthOfRect(Cl), E = HeightOfRect(Cl), W2 = WidthOfRect(NCl), H2 = HeightOfRect(NCl);
  if (D <= 0 || E <= 0 || W2 <= 0 || H2 <= 0) return;
  const TileRange columns = VisibleTiles(NCl.Left, W2 / D, D, W), rows = VisibleTiles(NCl.Top, H2 / E, E, H);
  for (int i = columns.First; i <= columns.Last; ++i) {
    const int cutx = std::max(0, D * (i + 1) - W2);
    for (int j = rows.First; j <= rows.Last; ++j) {
      const int cuty = std::max(0, E * (j + 1) - H2);
      CopyImageRect(dest,
                    {NCl.Left + D * i, NCl.Top + E * j, NCl.Left + D * (i + 1) - cutx, NCl.Top + E * (j + 1) - cuty},
                    src, {client.Left, client.Top, client.Right - cutx, client.Bottom - cuty});
    }
  }
}

}  // namespace

void NinePartImage(const TbsPieceGeometry& g, const TbsPieceGeometry& ng, TImage& dest, const TImage& src,
                   const TRect& SR, int W, int H, bool drawClient, const TbsStretchFlags& stretch) {
  NinePart(NineKind::Full, g, ng, dest, src, SR, W, H, drawClient, stretch);
}

void NinePartImageTiledClient(const TbsPieceGeometry& g, const TbsPieceGeometry& ng, TImage& dest,
                              const TImage& src, const TRect& SR, int W, int H, bool drawClient,
                              const TbsStretchFlags& stretch) {
  NinePart(NineKind::TiledClient, g, ng, dest, src, SR, W, H, drawClient, stretch);
}

void NinePartImageOpenRight(const TbsPieceGeometry& g, const TbsPieceGeometry& ng, TImage& dest,
                            const TImage& src, const TRect& SR, int W, int H, bool drawClient,
                            const TbsStretchFlags& stretch) {
  NinePart(NineKind::OpenRight, g, ng, dest, src, SR, W, H, drawClient, stretch);
}

void NinePartFromClientRect(TImage& dest, const TImage& src, const TRect& SR, bool drawClient, const TRect& Cl) {
  const int W = dest.Width(), H = dest.Height();
  if (!InSkinRange(Cl) || !InSkinRange(SR) || !InSkinRange({W, H})) {
    dest.SetSize(0, 0);
    return;
  }
  const TbsPieceGeometry g{{Cl.Left, Cl.Top}, {Cl.Right, Cl.Top}, {Cl.Left, Cl.Bottom}, {Cl.Right, Cl.Bottom}, Cl};
  const TRect n{Cl.Left, Cl.Top, W - (WidthOfRect(SR) - Cl.Right), H - (HeightOfRect(SR) - Cl.Bottom)};
  const TbsPieceGeometry ng{{n.Left, n.Top}, {n.Right, n.Top}, {n.Left, n.Bottom}, {n.Right, n.Bottom}, n};
  NinePartImage(g, ng, dest, src, SR, W, H, drawClient, {true, true, true, true, true});
}

// ---- Border strips --------------------------------------------------------------------------

void BorderStripImages(const TbsPieceGeometry& g, const TbsPieceGeometry& ng, const TbsBorderStrips& strips,
                       const TImage& src, const TRect& SR, int W, int H, const TbsStretchFlags& stretch) {
  if (!InSkinRange(g) || !InSkinRange(ng) || !InSkinRange(SR) || !InSkinRange({W, H})) return;
  const TPoint &LT = g.LT, &RT = g.RT, &LB = g.LB, &RB = g.RB;
  const TRect& Cl = g.Cl;
  const TRect& NCl = ng.Cl;
  const int L = SR.Left, T = SR.Top;

  if (W > 0 && NCl.Top > 0 && RT.X - LT.X > 0) {
    TImage& s = *strips.Top;
    const int h = NCl.Top;
    s.SetSize(W, h);
    DrawMiddle(s, {ng.LT.X, 0, ng.RT.X, h}, src, {L + LT.X, T, L + RT.X, T + h}, stretch.Top, Axis::X, 0, W,
               RT.X - LT.X);
    CopyImageRect(s, {0, 0, ng.LT.X, h}, src, {L, T, L + LT.X, T + h});
    CopyImageRect(s, {ng.RT.X, 0, W, h}, src, {L + RT.X, T, SR.Right, T + h});
  }
  const int hb = H - NCl.Bottom;
  if (W > 0 && hb > 0 && RB.X - LB.X > 0) {
    TImage& s = *strips.Bottom;
    s.SetSize(W, hb);
    const int b = SR.Bottom - hb;
    DrawMiddle(s, {ng.LB.X, 0, ng.RB.X, hb}, src, {L + LB.X, b, L + RB.X, SR.Bottom}, stretch.Bottom, Axis::X, 0, W,
               RB.X - LB.X);
    CopyImageRect(s, {0, 0, ng.LB.X, hb}, src, {L, b, L + LB.X, SR.Bottom});
    CopyImageRect(s, {ng.RB.X, 0, W, hb}, src, {L + RB.X, b, SR.Right, SR.Bottom});
  }
  // The side strips fill what the top and bottom strips leave, whatever sizes those have now.
  const int hs = H - strips.Top->Height() - strips.Bottom->Height();
  const int upper = LT.Y - Cl.Top, lower = Cl.Bottom - LB.Y;
  if (NCl.Left > 0 && hs > 0 && LB.Y - LT.Y > 0) {
    TImage& s = *strips.Left;
    const int w = NCl.Left;
    s.SetSize(w, hs);
    DrawMiddle(s, {0, upper, w, hs - lower}, src, {L, T + LT.Y, L + w, T + LB.Y}, stretch.Left, Axis::Y, 0, hs,
               LB.Y - LT.Y);
    if (upper > 0) CopyImageRect(s, {0, 0, w, upper}, src, {L, T + Cl.Top, L + w, T + LT.Y});
    if (lower > 0) CopyImageRect(s, {0, hs - lower, w, hs}, src, {L, T + LB.Y, L + w, T + Cl.Bottom});
  }
  const int w = W - NCl.Right;
  if (w < 1 || hs < 1 || RB.Y - RT.Y < 1) return;
  TImage& s = *strips.Right;
  s.SetSize(w, hs);
  const int rUpper = RT.Y - Cl.Top, rLower = Cl.Bottom - RB.Y;
  DrawMiddle(s, {0, rUpper, w, hs - rLower}, src, {L + Cl.Right, T + RT.Y, SR.Right, T + RB.Y}, stretch.Right,
             Axis::Y, 0, hs, RB.Y - RT.Y);
  if (rUpper > 0) CopyImageRect(s, {0, 0, w, rUpper}, src, {L + Cl.Right, T + Cl.Top, SR.Right, T + RT.Y});
  if (rLower >= 1) CopyImageRect(s, {0, hs - rLower, w, hs}, src, {L + Cl.Right, T + RB.Y, SR.Right, T + Cl.Bottom});
}

// ---- Regions from masks ---------------------------------------------------------------------

namespace {

std::int32_t Read32(const std::vector<std::uint8_t>& b, std::size_t at) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | b.at(at + std::size_t(i));
  return std::int32_t(v);
}

void Write32(std::uint8_t* to, std::int32_t value) {
  const auto v = std::uint32_t(value);
  for (int i = 0; i < 4; ++i) to[i] = std::uint8_t(v >> (8 * i));
}

constexpr std::size_t kHeaderSize = 32;

}  // namespace

std::uint32_t TbsRegionData::Count() const { return Bytes.empty() ? 0 : std::uint32_t(Read32(Bytes, 8)); }

TRect TbsRegionData::Bounds() const {
  if (Bytes.empty()) return {};
  return {Read32(Bytes, 16), Read32(Bytes, 20), Read32(Bytes, 24), Read32(Bytes, 28)};
}

TRect TbsRegionData::RectAt(std::size_t i) const {
  if (i >= Count()) throw std::out_of_range("region rect index out of range");
  const std::size_t at = kHeaderSize + 16 * i;
  return {Read32(Bytes, at), Read32(Bytes, at + 4), Read32(Bytes, at + 8), Read32(Bytes, at + 12)};
}

TbsRegionData MaskToRegionRuns(const TImage& mask, int dx, int dy) {
  if (mask.Empty()) return {};
  const int W = mask.Width(), H = mask.Height();
  constexpr long long kMax = std::numeric_limits<std::int32_t>::max();
  if ((long long)dx + W > kMax || (long long)dy + H > kMax)
    throw std::overflow_error("mask region offset out of range");

  std::vector<std::int32_t> runs;
  runs.reserve(4 * 256);
  for (int y = 0; y < H; ++y) {
    const std::uint8_t* p = mask.Row(y);
    auto black = [p](int x) { return (p[3 * x] | p[3 * x + 1] | p[3 * x + 2]) == 0; };
    int x = 0;
    while (x < W) {
      while (x < W && !black(x)) ++x;
      if (x == W) break;
      const int x0 = x;
      while (x < W && black(x)) ++x;
      runs.insert(runs.end(), {x0 + dx, y + dy, x + dx, y + dy + 1});
    }
  }

  const std::size_t n = runs.size() / 4;
  if (n > (std::numeric_limits<std::uint32_t>::max() - kHeaderSize) / 16)
    throw std::overflow_error("mask needs more region rects than region data can hold");
  TbsRegionData data;
  data.Bytes.resize(kHeaderSize + 16 * n);
  std::uint8_t* b = data.Bytes.data();
  const std::int32_t header[8] = {32, 1, std::int32_t(n), 0, dx, dy, dx + W, dy + H};
  for (int i = 0; i < 8; ++i) Write32(b + 4 * i, header[i]);
  if constexpr (std::endian::native == std::endian::little) {
    if (n) std::memcpy(b + kHeaderSize, runs.data(), 16 * n);
  } else {
    for (std::size_t i = 0; i < runs.size(); ++i) Write32(b + kHeaderSize + 4 * i, runs[i]);
  }
  return data;
}

void MaskBorderStrips(const TbsPieceGeometry& g, const TbsPieceGeometry& ng, const TImage& mask,
                      const TbsMaskStrips& strips, int W) {
  if (!InSkinRange(g) || !InSkinRange(ng) || !InSkinRange({W})) return;
  const TPoint &LT = g.LT, &RT = g.RT, &LB = g.LB, &RB = g.RB;
  const TRect& Cl = g.Cl;
  const int Mw = mask.Width(), Mh = mask.Height();
  const int hs = HeightOfRect(ng.Cl);

  // A side strip: columns [c0, c1) of the mask; middle rows [m0, m1) tiled down the strip, then
  // the pieces above and below the middle at the strip's ends.
  auto side = [&](TImage& s, int c0, int c1, int m0, int m1) {
    const int w = c1 - c0;
    if (w <= 0 || hs <= 0) return;
    s.SetSize(w, hs);
    TileAlongY(s, 0, hs, 0, w, mask, m0, m1, c0, c1, m1 - m0);
    if (m0 - Cl.Top > 0) CopyImageRect(s, {0, 0, w, m0 - Cl.Top}, mask, {c0, Cl.Top, c1, m0});
    if (Cl.Bottom - m1 > 0) CopyImageRect(s, {0, hs - (Cl.Bottom - m1), w, hs}, mask, {c0, m1, c1, Cl.Bottom});
  };
  side(*strips.Left, 0, Cl.Left, LT.Y, LB.Y);
  side(*strips.Right, Cl.Right, Mw, RT.Y, RB.Y);

  // A band across: rows [r0, r1) of the mask; the middle [m0, m1) tiled over [d0, d1), the left
  // piece at 0 and the right piece from `right` on to W.
  auto band = [&](TImage& s, int r0, int r1, int m0, int m1, int d0, int d1, int right) {
    const int h = r1 - r0;
    if (W <= 0 || h <= 0) return;
    s.SetSize(W, h);
    TileAlongX(s, d0, d1, 0, h, mask, m0, m1, r0, r1, m1 - m0);
    CopyImageRect(s, {0, 0, m0, h}, mask, {0, r0, m0, r1});
    CopyImageRect(s, {right, 0, W, h}, mask, {m1, r0, Mw, r1});
  };
  band(*strips.Top, 0, Cl.Top, LT.X, RT.X, ng.LT.X, ng.RT.X, ng.RT.X);
  band(*strips.Bottom, Cl.Bottom, Mh, LB.X, RB.X, ng.LB.X, ng.RB.X, ng.RB.X);
}

std::optional<TbsMaskBorderRuns> MaskBorderRegionRuns(const TbsPieceGeometry& g, const TbsPieceGeometry& ng,
                                                      const TImage& mask, int W) {
  if (!InSkinRange(g) || !InSkinRange(ng) || !InSkinRange({W}) || ng.RT.X < ng.LT.X || ng.LB.Y < ng.LT.Y ||
      RectIsEmpty(ng.Cl))
    return std::nullopt;
  TImage top, left, right, bottom;
  MaskBorderStrips(g, ng, mask, {&top, &left, &right, &bottom}, W);
  TbsMaskBorderRuns runs;
  runs.Client = ng.Cl;
  runs.Top = MaskToRegionRuns(top, 0, 0);
  runs.Bottom = MaskToRegionRuns(bottom, 0, ng.Cl.Bottom);
  runs.Left = MaskToRegionRuns(left, 0, ng.Cl.Top);
  runs.Right = MaskToRegionRuns(right, ng.Cl.Right, ng.Cl.Top);
  return runs;
}

TRect GlyphFrameRect(int width, int height, int k, int n) {
  if (n < 1 || k < 1 || k > n || height <= 0) return {};
  const int fw = width / n;
  if (fw <= 0) return {};
  return {fw * (k - 1), 0, fw * k, height};
}

// ---- Text fitting ---------------------------------------------------------------------------

namespace {

template <class Char>
std::basic_string<Char> Fit(std::basic_string_view<Char> text, int maxWidth,
                            const std::function<int(std::basic_string_view<Char>)>& width) {
  std::basic_string<Char> fitted(text);
  if (width(fitted) <= maxWidth) return fitted;
  const Char dots[] = {Char('.'), Char('.'), Char('.')};
  fitted.append(dots, 3);
  // Drop one character at a time before the dots until the whole fits.
  while (fitted.size() > 3) {
    fitted.erase(fitted.size() - 4, 1);
    if (fitted.size() == 3 || width(fitted) <= maxWidth) break;
  }
  return fitted;
}

}  // namespace

std::string FitText(std::string_view text, int maxWidth, const std::function<int(std::string_view)>& width) {
  return Fit<char>(text, maxWidth, width);
}

std::wstring FitWideText(std::wstring_view text, int maxWidth, const std::function<int(std::wstring_view)>& width) {
  return Fit<wchar_t>(text, maxWidth, width);
}

// ---- Dates and versions ---------------------------------------------------------------------

namespace {

spv::base::TDateParts PartsOf(TDateTime date) {
  // 1 January 0001 and 31 December 9999 counted from 30 December 1899.
  constexpr double kFirst = -693593.0, kEnd = 2958466.0;
  if (!(date >= kFirst && date < kEnd)) throw std::out_of_range("date value outside years 1 to 9999");
  return spv::base::DecodeDate(date);
}

}  // namespace

int DatePartDay(TDateTime date) { return PartsOf(date).Day; }
int DatePartMonth(TDateTime date) { return PartsOf(date).Month; }
int DatePartYear(TDateTime date) { return PartsOf(date).Year; }
bool LeapYear(int year) { return spv::base::IsLeapYear(year); }
int MonthLength(int year, int month) { return spv::base::DaysInMonth(year, month); }

bool IsWin2000OrLater(unsigned major, unsigned minor) { return major > 5 || (major == 5 && minor <= 2); }
// Every 5.x from XP (5.1) on is XP or later, Server 2003 and XP x64 (5.2) included.
bool IsWinXPOrLater(unsigned major, unsigned minor) { return major > 5 || (major == 5 && minor >= 1); }

}  // namespace bs
