#include "skin/resources/bsEffects.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace bs {
namespace {

// Nearest integer, halves to even: the processor's default rounding mode.
inline int RoundEven(double v) {
#if defined(__SSE2__)
  return _mm_cvtsd_si32(_mm_set_sd(v));
#else
  return int(std::nearbyint(v));
#endif
}

inline std::uint8_t Clamp255(int v) { return std::uint8_t(v < 0 ? 0 : v > 255 ? 255 : v); }

inline std::uint8_t RoundClamp(double v) {
  // Out-of-range values saturate before the conversion can overflow.
  if (!(v > 0)) return 0;
  if (v >= 255) return 255;
  return Clamp255(RoundEven(v));
}

double Unit(double k) { return k > 1 ? 1 : k > 0 ? k : 0; }

// w old + (1 - w) new for one pixel's three channels.
inline void Mix(std::uint8_t* px, const std::uint8_t* nw, double w) {
  const double v = 1 - w;
  px[0] = RoundClamp(w * px[0] + v * nw[0]);
  px[1] = RoundClamp(w * px[1] + v * nw[1]);
  px[2] = RoundClamp(w * px[2] + v * nw[2]);
}

void ApplyTable(TImage& image, const std::array<std::uint8_t, 256>& table) {
  const std::size_t bytes = 3 * std::size_t(image.Width());
  for (int y = 0; y < image.Height(); ++y) {
    std::uint8_t* p = image.Row(y);
    for (std::size_t i = 0; i < bytes; ++i) p[i] = table[p[i]];
  }
}

bool SameSize(const TImage& a, const TImage& b) {
  return !a.Empty() && a.Width() == b.Width() && a.Height() == b.Height();
}

// Mixes every row with `other` by a weight per column: 1 keeps the old pixel, 0 takes the new.
void MixColumns(TImage& image, const TImage& other, const std::vector<double>& weight) {
  const int W = image.Width();
  for (int y = 0; y < image.Height(); ++y) {
    std::uint8_t* p = image.Row(y);
    const std::uint8_t* n = other.Row(y);
    for (int x = 0; x < W; ++x) {
      const double w = weight[std::size_t(x)];
      if (w >= 1) continue;
      if (w <= 0)
        std::memcpy(p + 3 * x, n + 3 * x, 3);
      else
        Mix(p + 3 * x, n + 3 * x, w);
    }
  }
}

// Weights that grow by `step` from 0 at `from`, walking towards `to` (inclusive), capped at 1.
void Ramp(std::vector<double>& weight, int from, int to, double step) {
  double w = 0;
  const int dir = to >= from ? 1 : -1;
  for (int x = from;; x += dir) {
    weight[std::size_t(x)] = w;
    w = std::min(1.0, w + step);
    if (x == to) break;
  }
}

}  // namespace

// ---- Effects --------------------------------------------------------------------------------

void TbsEffectBmp::Brighten(double k) {
  k = Unit(k);
  std::array<std::uint8_t, 256> table;
  for (int c = 0; c < 256; ++c) table[std::size_t(c)] = RoundClamp((1 - k) * c + 255 * k);
  ApplyTable(*this, table);
}

void TbsEffectBmp::Darken(double k) {
  k = Unit(k);
  std::array<std::uint8_t, 256> table;
  for (int c = 0; c < 256; ++c) table[std::size_t(c)] = RoundClamp((1 - k) * c);
  ApplyTable(*this, table);
}

void TbsEffectBmp::MakeGray() {
  std::array<double, 256> r, g, b;
  for (int c = 0; c < 256; ++c) {
    r[std::size_t(c)] = 0.3 * c;
    g[std::size_t(c)] = 0.59 * c;
    b[std::size_t(c)] = 0.11 * c;
  }
  for (int y = 0; y < Height(); ++y) {
    std::uint8_t* p = Row(y);
    for (int x = 0; x < Width(); ++x, p += 3) {
      const std::uint8_t v = RoundClamp(r[p[2]] + g[p[1]] + b[p[0]]);
      p[0] = p[1] = p[2] = v;
    }
  }
}

void TbsEffectBmp::AddNoise(int amount) {
  thread_local std::mt19937 random{std::random_device{}()};
  AddNoise(amount, random);
}

void TbsEffectBmp::AddNoise(int amount, std::mt19937& random) {
  if (amount < 1) return;
  const int half = amount / 2;
  for (int y = 0; y < Height(); ++y) {
    std::uint8_t* p = Row(y);
    for (int x = 0; x < Width(); ++x, p += 3) {
      // An unbiased enough pick in 0 .. amount - 1 without a division per pixel.
      const int d = int((std::uint64_t(random()) * std::uint64_t(amount)) >> 32) - half;
      p[0] = Clamp255(p[0] + d);
      p[1] = Clamp255(p[1] + d);
      p[2] = Clamp255(p[2] + d);
    }
  }
}

void TbsEffectBmp::SplitBlur(int amount) {
  if (amount < 1 || Empty()) return;
  const int W = Width(), H = Height();
  // Column byte offsets of the left and right neighbours; off the picture, the pixel's own.
  std::vector<int> left(static_cast<std::size_t>(W)), right(static_cast<std::size_t>(W));
  for (int x = 0; x < W; ++x) {
    left[std::size_t(x)] = 3 * (x - amount < 0 ? x : x - amount);
    right[std::size_t(x)] = 3 * (x + amount >= W ? x : x + amount);
  }
  std::vector<std::uint8_t> scratch(3 * std::size_t(W));
  for (int y = 0; y < H; ++y) {
    const std::uint8_t* up = Row(y - amount < 0 ? y : y - amount);
    const std::uint8_t* down = Row(y + amount >= H ? y : y + amount);
    std::uint8_t* out = scratch.data();
    for (int x = 0; x < W; ++x, out += 3) {
      const int l = left[std::size_t(x)], r = right[std::size_t(x)];
      for (int c = 0; c < 3; ++c) out[c] = std::uint8_t((up[l + c] + up[r + c] + down[l + c] + down[r + c]) / 4);
    }
    std::memcpy(Row(y), scratch.data(), scratch.size());
  }
}

void TbsEffectBmp::InvertColors() {
  const std::size_t bytes = 3 * std::size_t(Width());
  for (int y = 0; y < Height(); ++y) {
    std::uint8_t* p = Row(y);
    for (std::size_t i = 0; i < bytes; ++i) p[i] ^= 0xFF;
  }
}

void TbsEffectBmp::ApplyEffect(TbsInactiveEffect effect) {
  switch (effect) {
    case TbsInactiveEffect::Brightness: Brighten(0.5); break;
    case TbsInactiveEffect::Darkness: Darken(0.3); break;
    case TbsInactiveEffect::Grayscale: MakeGray(); break;
    case TbsInactiveEffect::Noise: AddNoise(50); break;
    case TbsInactiveEffect::SplitBlur: SplitBlur(1); break;
    case TbsInactiveEffect::Invert: InvertColors(); break;
  }
}

// ---- Morphs ---------------------------------------------------------------------------------

void TbsEffectBmp::BlendWith(const TImage& other, double k) {
  if (!SameSize(*this, other)) return;
  k = Unit(k);
  const std::size_t bytes = 3 * std::size_t(Width());
  // A big picture is cheaper through a table of every old and new channel pair.
  if (bytes * std::size_t(Height()) >= 65536) {
    std::vector<std::uint8_t> table(65536);
    for (int o = 0; o < 256; ++o)
      for (int n = 0; n < 256; ++n) table[std::size_t(o * 256 + n)] = RoundClamp((1 - k) * o + k * n);
    for (int y = 0; y < Height(); ++y) {
      std::uint8_t* p = Row(y);
      const std::uint8_t* q = other.Row(y);
      for (std::size_t i = 0; i < bytes; ++i) p[i] = table[std::size_t(p[i]) * 256 + q[i]];
    }
    return;
  }
  for (int y = 0; y < Height(); ++y) {
    std::uint8_t* p = Row(y);
    const std::uint8_t* q = other.Row(y);
    for (std::size_t i = 0; i < bytes; ++i) p[i] = RoundClamp((1 - k) * p[i] + k * q[i]);
  }
}

void TbsEffectBmp::CentreGradientMorph(const TImage& other, double k) {
  if (!SameSize(*this, other)) return;
  k = Unit(k);
  const int W = Width(), H = Height();
  const bool alongX = W >= H;
  const int N = alongX ? W : H;
  const int a = RoundEven(N * k);
  double step;
  if (alongX) {
    const int c = (N - a) / 2;
    step = c != 0 ? 1.0 / c : 1.0;
  } else {
    const int c = (N - a - 1) / 2;
    step = c != 0 ? 1.0 / c : 0.0;
  }
  const int g = std::max(0, N / 2 - a / 2), h = std::min(N - 1, N / 2 + a / 2);
  std::vector<double> weight(std::size_t(N), 0.0);
  Ramp(weight, g, 0, step);
  Ramp(weight, h, N - 1, step);
  for (int i = g; i <= h; ++i) weight[std::size_t(i)] = 0;
  if (alongX) {
    MixColumns(*this, other, weight);
    return;
  }
  const std::size_t bytes = 3 * std::size_t(W);
  for (int y = 0; y < H; ++y) {
    const double w = weight[std::size_t(y)];
    std::uint8_t* p = Row(y);
    const std::uint8_t* n = other.Row(y);
    if (w >= 1) continue;
    if (w <= 0) {
      std::memcpy(p, n, bytes);
      continue;
    }
    for (int x = 0; x < W; ++x) Mix(p + 3 * x, n + 3 * x, w);
  }
}

void TbsEffectBmp::LeftGradientMorph(const TImage& other, double k) {
  if (!SameSize(*this, other)) return;
  const int W = Width();
  const int a = std::min(std::max(RoundEven(W * Unit(k)), 1), W - 1);
  std::vector<double> weight(std::size_t(W), 1.0);
  Ramp(weight, 0, a, a > 0 ? 1.0 / a : 1.0);
  MixColumns(*this, other, weight);
}

void TbsEffectBmp::RightGradientMorph(const TImage& other, double k) {
  if (!SameSize(*this, other)) return;
  const int W = Width();
  const int a = std::min(std::max(W - RoundEven(W * Unit(k)), 0), W - 1);
  std::vector<double> weight(std::size_t(W), 1.0);
  Ramp(weight, W - 1, a, W - a > 0 ? 1.0 / (W - a) : 1.0);
  MixColumns(*this, other, weight);
}

// The slides and the push move whole pixel runs, so they are row copies.
void TbsEffectBmp::LeftSlideMorph(const TImage& other, double k) {
  if (!SameSize(*this, other)) return;
  const int W = Width();
  const int c = std::min(std::max(RoundEven(W * Unit(k)), 1), W - 1);
  if (c <= 0) return;
  for (int y = 0; y < Height(); ++y) std::memcpy(Row(y), other.Row(y) + 3 * (W - c), 3 * std::size_t(c));
}

void TbsEffectBmp::RightSlideMorph(const TImage& other, double k) {
  if (!SameSize(*this, other)) return;
  const int W = Width();
  const int c = std::min(std::max(RoundEven(W * Unit(k)), 1), W - 1);
  if (c <= 0) return;
  for (int y = 0; y < Height(); ++y) std::memcpy(Row(y) + 3 * (W - c), other.Row(y), 3 * std::size_t(c));
}

void TbsEffectBmp::PushMorph(const TImage& other, double k) {
  if (!SameSize(*this, other)) return;
  const int W = Width();
  const int a = std::min(std::max(RoundEven(W * Unit(k)), 0), W - 1);
  for (int y = 0; y < Height(); ++y) {
    std::uint8_t* p = Row(y);
    // The old picture moves a + 1 pixels right; the new one's last a + 1 pixels fill the gap.
    std::memmove(p + 3 * (a + 1), p, 3 * std::size_t(W - a - 1));
    std::memcpy(p, other.Row(y) + 3 * (W - a - 1), 3 * std::size_t(a + 1));
  }
}

void TbsEffectBmp::Morph(TbsMorphKind kind, const TImage& other, double k) {
  switch (kind) {
    case TbsMorphKind::mkDefault: BlendWith(other, k); break;
    case TbsMorphKind::mkGradient: CentreGradientMorph(other, k); break;
    case TbsMorphKind::mkLeftGradient: LeftGradientMorph(other, k); break;
    case TbsMorphKind::mkRightGradient: RightGradientMorph(other, k); break;
    case TbsMorphKind::mkLeftSlide: LeftSlideMorph(other, k); break;
    case TbsMorphKind::mkRightSlide: RightSlideMorph(other, k); break;
    case TbsMorphKind::mkPush: PushMorph(other, k); break;
  }
}

// ---- Rotations ------------------------------------------------------------------------------

namespace {

struct TargetXY {
  int x, y;
};

// Visits the source in square blocks so that the columns written to the target stay in cache.
template <class Where>
void Turn(const TImage& src, TImage& target, Where where) {
  constexpr int kBlock = 32;
  const int W = src.Width(), H = src.Height();
  for (int by = 0; by < H; by += kBlock)
    for (int bx = 0; bx < W; bx += kBlock) {
      const int ye = std::min(H, by + kBlock), xe = std::min(W, bx + kBlock);
      for (int y = by; y < ye; ++y) {
        const TPixel* row = src.PixelRow(y);
        for (int x = bx; x < xe; ++x) {
          const TargetXY t = where(x, y);
          target.PixelRow(t.y)[t.x] = row[x];
        }
      }
    }
}

}  // namespace

void TbsEffectBmp::RotateCounterClockwise(TImage& target) const {
  if (&target == this) {
    TImage turned;
    RotateCounterClockwise(turned);
    target = turned;
    return;
  }
  const int W = Width();
  target.SetSize(Height(), W);
  Turn(*this, target, [W](int x, int y) { return TargetXY{y, W - 1 - x}; });
}

void TbsEffectBmp::RotateClockwise(TImage& target) const {
  if (&target == this) {
    TImage turned;
    RotateClockwise(turned);
    target = turned;
    return;
  }
  const int H = Height();
  target.SetSize(H, Width());
  Turn(*this, target, [H](int x, int y) { return TargetXY{H - 1 - y, x}; });
}

void TbsEffectBmp::FlipTopBottom(TImage& target) const {
  if (&target == this) {
    TImage turned;
    FlipTopBottom(turned);
    target = turned;
    return;
  }
  target.SetSize(Width(), Height());
  const std::size_t bytes = 3 * std::size_t(Width());
  for (int y = 0; y < Height(); ++y) std::memcpy(target.Row(Height() - 1 - y), Row(y), bytes);
}

}  // namespace bs
