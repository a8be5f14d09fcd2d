// A skin description can give any corner points, client rect and offsets, sensible or not, and
// sums of them with window sizes reach any int: every builder, region and effect must stay
// inside its pictures and its arithmetic inside int whatever the geometry.

#include "skin/resources/bsEffects.h"
#include "skin/resources/bsUtils.h"

#include <climits>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <stdexcept>

namespace {

class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size) : Data_(data), Size_(size) {}
  // A size in -8 .. 71: around and past the edges of the small pictures used here, whose
  // memory stays small.
  int Size() { return int(Byte() % 80) - 8; }
  // Any int for an offset or a corner point: mostly near the pictures, else at the edges of what
  // a description may give and of int, or any 32 bits.
  int Coord() {
    const std::uint8_t kind = Byte();
    if (kind < 192) return Size();
    if (kind < 224) {
      static constexpr int kEdges[] = {INT_MIN,     INT_MIN + 1, -32768, -32767, 32767,       32768,
                                       1 << 24,     -(1 << 24),  (1 << 24) + 1,   INT_MAX - 70, INT_MAX};
      return kEdges[Byte() % std::size(kEdges)];
    }
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v = v << 8 | Byte();
    return std::int32_t(v);
  }
  bool Flag() { return Byte() & 1; }
  std::uint8_t Byte() { return At_ < Size_ ? Data_[At_++] : 0; }

 private:
  const std::uint8_t* Data_;
  std::size_t Size_, At_ = 0;
};

spv::base::TImage Picture(Input& in, int width, int height) {
  spv::base::TImage image(width, height);
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x) {
      const std::uint8_t v = in.Byte();
      image.At(x, y) = v & 0x80 ? spv::base::TPixel{255, 255, 255} : spv::base::TPixel{};
    }
  return image;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input in(data, size);
  const int pw = in.Size() & 63, ph = in.Size() & 63;
  const spv::base::TImage src = Picture(in, pw, ph);
  const bs::TRect sr{in.Coord(), in.Coord(), in.Coord(), in.Coord()};
  bs::TbsPieceGeometry g;
  for (bs::TPoint* p : {&g.LT, &g.RT, &g.LB, &g.RB}) *p = {in.Coord(), in.Coord()};
  g.Cl = {in.Coord(), in.Coord(), in.Coord(), in.Coord()};
  const int W = in.Size(), H = in.Size();
  const bs::TbsPieceGeometry ng = in.Flag() ? bs::ResizedGeometry(g, sr, W, H)
                                            : bs::TbsPieceGeometry{{in.Coord(), in.Coord()},
                                                                   {in.Coord(), in.Coord()},
                                                                   {in.Coord(), in.Coord()},
                                                                   {in.Coord(), in.Coord()},
                                                                   {in.Coord(), in.Coord(), in.Coord(), in.Coord()}};
  const bs::TbsStretchFlags stretch{in.Flag(), in.Flag(), in.Flag(), in.Flag(), in.Flag()};
  const bool client = in.Flag();
  // A three-part strip is as high (or, down, as wide) as its source rect: that extent is a
  // picture size and stays small, the ends along the strip are offsets like any other.
  const int across0 = in.Size(), across1 = in.Size();
  const bs::TRect strip{sr.Left, across0, sr.Right, across1}, column{across0, sr.Top, across1, sr.Bottom};

  spv::base::TImage dest, a, b, c, d;
  bs::NinePartImage(g, ng, dest, src, sr, W, H, client, stretch);
  bs::NinePartImageTiledClient(g, ng, dest, src, sr, W, H, client, stretch);
  bs::NinePartImageOpenRight(g, ng, dest, src, sr, W, H, client, stretch);
  bs::NinePartFromClientRect(dest, src, sr, client, g.Cl);
  bs::BorderStripImages(g, ng, {&a, &b, &c, &d}, src, sr, W, H, stretch);
  bs::ThreePartHorzImage(g.LT.X, g.RT.X, dest, src, strip, W, stretch.Top);
  bs::ThreePartVertImage(g.LT.Y, g.LB.Y, dest, src, column, H, stretch.Left);
  bs::TwoPartHorzImage(g.LT.X, g.RT.X, dest, src, strip, W, stretch.Bottom);
  bs::CopyImageRect(dest, ng.Cl, src, sr);
  try {
    bs::MaskToRegionRuns(src, g.LT.X, g.LT.Y);
  } catch (const std::overflow_error&) {
    // A mask moved past the end of int has no region, and says so.
  }
  // A window's mask strips down its sides are as tall as its new mask rect, a window's height.
  bs::TbsPieceGeometry maskNg = ng;
  maskNg.Cl.Bottom = bs::SaturatedInt((long long)maskNg.Cl.Top + in.Size());
  bs::MaskBorderRegionRuns(g, maskNg, src, W);

  bs::TbsEffectBmp effect(src), other(src);
  const double k = in.Byte() / 200.0;
  for (int kind = 0; kind <= int(bs::TbsMorphKind::mkPush); ++kind) effect.Morph(bs::TbsMorphKind(kind), other, k);
  effect.SplitBlur(in.Byte() % 70);
  effect.RotateClockwise(dest);
  effect.RotateCounterClockwise(effect);
  return 0;
}
