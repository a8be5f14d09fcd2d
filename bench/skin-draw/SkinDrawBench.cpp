// The builders run on every paint of every frame and control, the effects on every frame of a
// morph: each measured on a full-HD window against a plain memcpy of the bytes it writes.

#include "skin/resources/bsEffects.h"
#include "skin/resources/bsUtils.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <ctime>
#include <vector>

namespace {

using namespace bs;

constexpr int kW = 1920, kH = 1080;
// The program's frame picture is 179 x 134.
const TRect kSR{0, 0, 179, 134};
const TbsPieceGeometry kFrame{{60, 30}, {120, 30}, {60, 100}, {120, 100}, {4, 30, 175, 130}};

TImage FramePicture() {
  TImage image(179, 134);
  for (int y = 0; y < 134; ++y)
    for (int x = 0; x < 179; ++x) image.At(x, y) = {std::uint8_t(x), std::uint8_t(y), std::uint8_t(x ^ y)};
  return image;
}

// A frame mask: rounded corners outside, everything else inside.
TImage FrameMask() {
  TImage mask(179, 134);
  for (int y = 0; y < 134; ++y)
    for (int x = 0; x < 179; ++x) {
      const int cx = std::min(x, 178 - x), cy = std::min(y, 133 - y);
      mask.At(x, y) = cx + cy < 6 || (y < 30 && (x * 7 + y) % 23 == 0) ? TPixel{255, 255, 255} : TPixel{};
    }
  return mask;
}

TImage FullHD() {
  TImage image(kW, kH);
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) image.At(x, y) = {std::uint8_t(x), std::uint8_t(y), std::uint8_t(x + y)};
  return image;
}

// The four border strips of a kW x kH frame of the program's frame picture.
void FrameStrips(const TImage& src, TImage& left, TImage& top, TImage& right, TImage& bottom, bool stretch) {
  BorderStripImages(kFrame, ResizedGeometry(kFrame, kSR, kW, kH), {&left, &top, &right, &bottom}, src, kSR, kW, kH,
                    {stretch, stretch, stretch, stretch, stretch});
}

// The bytes the strips hold, for the memcpy they are held against.
std::int64_t StripBytes() {
  TImage left, top, right, bottom;
  FrameStrips(FramePicture(), left, top, right, bottom, false);
  return std::int64_t(left.ByteSize() + top.ByteSize() + right.ByteSize() + bottom.ByteSize());
}

// CPU seconds a memcpy of `bytes` takes, over a batch long enough to time.
double MemcpySeconds(std::size_t bytes) {
  std::vector<std::uint8_t> from(bytes, 1), to(bytes);
  long copies = 0;
  const std::clock_t start = std::clock();
  std::clock_t now;
  do {
    for (int i = 0; i < 64; ++i, ++copies) {
      std::memcpy(to.data(), from.data(), bytes);
      benchmark::DoNotOptimize(to.data());
      benchmark::ClobberMemory();
    }
    now = std::clock();
  } while (now - start < CLOCKS_PER_SEC / 20);
  return double(now - start) / CLOCKS_PER_SEC / double(copies);
}

// CPU time per iteration over the time of a memcpy of the bytes the builder writes: how many
// such copies the builder costs.
benchmark::Counter TimesMemcpy(std::size_t bytes) {
  return benchmark::Counter(MemcpySeconds(bytes),
                            benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void Memcpy(benchmark::State& state) {
  const std::size_t bytes = std::size_t(state.range(0));
  std::vector<std::uint8_t> from(bytes, 1), to(bytes);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), bytes);
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(bytes));
}
// A 1920 x 1080 picture and the four border strips of a 1920 x 1080 frame.
BENCHMARK(Memcpy)->Arg(std::int64_t(TImage::StrideFor(kW)) * kH)->Arg(StripBytes());

void NinePart(benchmark::State& state) {
  const TImage src = FramePicture();
  const TbsPieceGeometry ng = ResizedGeometry(kFrame, kSR, kW, kH);
  const bool stretch = state.range(0);
  TImage dest;
  for (auto _ : state) {
    NinePartImage(kFrame, ng, dest, src, kSR, kW, kH, true, {stretch, stretch, stretch, stretch, stretch});
    benchmark::DoNotOptimize(dest.Bits());
  }
  state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(dest.ByteSize()));
  state.counters["x_memcpy"] = TimesMemcpy(dest.ByteSize());
}
BENCHMARK(NinePart)->ArgName("stretch")->Arg(0)->Arg(1);

// Stretched and tiled strips, each with its cost in memcpys of the same bytes (x_memcpy).
void BorderStrips(benchmark::State& state) {
  const TImage src = FramePicture();
  const bool stretch = state.range(0);
  TImage left, top, right, bottom;
  for (auto _ : state) {
    FrameStrips(src, left, top, right, bottom, stretch);
    benchmark::DoNotOptimize(top.Bits());
  }
  const std::size_t bytes = left.ByteSize() + top.ByteSize() + right.ByteSize() + bottom.ByteSize();
  state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(bytes));
  state.counters["x_memcpy"] = TimesMemcpy(bytes);
}
BENCHMARK(BorderStrips)->ArgName("stretch")->Arg(0)->Arg(1);

void MaskRuns(benchmark::State& state) {
  const TImage mask = FrameMask();
  std::size_t rects = 0;
  for (auto _ : state) {
    const TbsRegionData data = MaskToRegionRuns(mask, 0, 0);
    rects = data.Count();
    benchmark::DoNotOptimize(data.Bytes.data());
  }
  state.counters["rects"] = double(rects);
}
BENCHMARK(MaskRuns);

void WindowMaskRuns(benchmark::State& state) {
  const TImage mask = FrameMask();
  const TbsPieceGeometry ng = ResizedGeometry(kFrame, kSR, kW, kH);
  std::size_t rects = 0;
  for (auto _ : state) {
    const auto runs = MaskBorderRegionRuns(kFrame, ng, mask, kW);
    rects = runs->Top.Count() + runs->Bottom.Count() + runs->Left.Count() + runs->Right.Count();
    benchmark::DoNotOptimize(runs->Top.Bytes.data());
  }
  state.counters["rects"] = double(rects);
}
BENCHMARK(WindowMaskRuns);

// ---- Effects --------------------------------------------------------------------------------

// Time per iteration over (pixels / 1e9): nanoseconds a pixel.
benchmark::Counter NsPerPixel() {
  return benchmark::Counter(double(kW) * kH * 1e-9,
                            benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

template <class Effect>
void RunEffect(benchmark::State& state, Effect effect) {
  TbsEffectBmp image(FullHD());
  const TImage other = FullHD();
  for (auto _ : state) {
    effect(image, other);
    benchmark::DoNotOptimize(image.Bits());
  }
  state.counters["ns_per_pixel"] = NsPerPixel();
}

#define SPV_EFFECT(name, body)                                                        \
  void name(benchmark::State& state) {                                                \
    RunEffect(state, [](TbsEffectBmp& image, const TImage& other) { body; });       \
  }                                                                                   \
  BENCHMARK(name)->Unit(benchmark::kMillisecond)

SPV_EFFECT(Brighten, (void)other; image.Brighten(0.5));
SPV_EFFECT(Darken, (void)other; image.Darken(0.3));
SPV_EFFECT(MakeGray, (void)other; image.MakeGray());
SPV_EFFECT(AddNoise, (void)other; image.AddNoise(50));
SPV_EFFECT(SplitBlur, (void)other; image.SplitBlur(1));
SPV_EFFECT(InvertColors, (void)other; image.InvertColors());
SPV_EFFECT(BlendWith, image.BlendWith(other, 0.4));
SPV_EFFECT(CentreGradientMorph, image.CentreGradientMorph(other, 0.4));
SPV_EFFECT(LeftGradientMorph, image.LeftGradientMorph(other, 0.6));
SPV_EFFECT(RightGradientMorph, image.RightGradientMorph(other, 0.6));
SPV_EFFECT(LeftSlideMorph, image.LeftSlideMorph(other, 0.6));
SPV_EFFECT(RightSlideMorph, image.RightSlideMorph(other, 0.6));
SPV_EFFECT(PushMorph, image.PushMorph(other, 0.6));

void Turn(benchmark::State& state) {
  const TbsEffectBmp image(FullHD());
  TImage target;
  const int which = int(state.range(0));
  for (auto _ : state) {
    if (which == 0) image.RotateClockwise(target);
    if (which == 1) image.RotateCounterClockwise(target);
    if (which == 2) image.FlipTopBottom(target);
    benchmark::DoNotOptimize(target.Bits());
  }
  state.counters["ns_per_pixel"] = NsPerPixel();
}
BENCHMARK(Turn)->ArgName("cw_ccw_flip")->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

}  // namespace
