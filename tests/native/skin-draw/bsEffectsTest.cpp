#include "skin/resources/bsEffects.h"

#include <gtest/gtest.h>

#include <functional>

namespace bs {
namespace {

// A picture whose every channel of every pixel is `value`.
TbsEffectBmp Filled(int width, int height, std::uint8_t value) {
  TbsEffectBmp image(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) image.At(x, y) = {value, value, value};
  return image;
}

// One row whose blue channel is given per column (green and red 0).
TbsEffectBmp RowOf(const std::vector<int>& blue) {
  TbsEffectBmp image(int(blue.size()), 1);
  for (std::size_t x = 0; x < blue.size(); ++x) image.At(int(x), 0).B = std::uint8_t(blue[x]);
  return image;
}

std::vector<int> BlueRow(const TImage& image, int y = 0) {
  std::vector<int> row;
  for (int x = 0; x < image.Width(); ++x) row.push_back(image.At(x, y).B);
  return row;
}

TEST(SkinEffects, ChannelFormulasRoundHalvesToEven) {
  struct Case {
    const char* name;
    std::function<void(TbsEffectBmp&)> effect;
    int in, out;
  } cases[] = {
      {"brighten 0.5 of black: 127.5", [](TbsEffectBmp& b) { b.Brighten(0.5); }, 0, 128},
      {"brighten 0.5 of 1: 128", [](TbsEffectBmp& b) { b.Brighten(0.5); }, 1, 128},
      {"brighten 0.5 of 2: 128.5", [](TbsEffectBmp& b) { b.Brighten(0.5); }, 2, 128},
      {"brighten 0.5 of 4: 129.5", [](TbsEffectBmp& b) { b.Brighten(0.5); }, 4, 130},
      {"brighten 0.5 of white", [](TbsEffectBmp& b) { b.Brighten(0.5); }, 255, 255},
      {"brighten 2 acts as 1", [](TbsEffectBmp& b) { b.Brighten(2); }, 17, 255},
      {"brighten -1 acts as 0", [](TbsEffectBmp& b) { b.Brighten(-1); }, 17, 17},
      {"darken 0.3 of 200", [](TbsEffectBmp& b) { b.Darken(0.3); }, 200, 140},
      {"darken 0.5 of 5: 2.5", [](TbsEffectBmp& b) { b.Darken(0.5); }, 5, 2},
      {"darken 0.5 of 7: 3.5", [](TbsEffectBmp& b) { b.Darken(0.5); }, 7, 4},
      {"darken 1.5 acts as 1", [](TbsEffectBmp& b) { b.Darken(1.5); }, 200, 0},
      {"gray of white", [](TbsEffectBmp& b) { b.MakeGray(); }, 255, 255},
      {"invert", [](TbsEffectBmp& b) { b.InvertColors(); }, 0x5A, 0xA5},
      {"split blur 0 changes nothing", [](TbsEffectBmp& b) { b.SplitBlur(0); }, 77, 77},
      {"noise of 1 adds nothing", [](TbsEffectBmp& b) { b.AddNoise(1); }, 77, 77},
  };
  for (const Case& c : cases) {
    TbsEffectBmp image = Filled(5, 3, std::uint8_t(c.in));
    c.effect(image);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 5; ++x) ASSERT_EQ(image.At(x, y), (TPixel{std::uint8_t(c.out), std::uint8_t(c.out), std::uint8_t(c.out)})) << c.name;
  }
}

TEST(SkinEffects, GrayWeighsTheChannels) {
  struct Case {
    TPixel in;
    std::uint8_t gray;
  } cases[] = {
      {{0, 255, 0}, 150},  // 0.59 x 255 = 150.45
      {{0, 0, 255}, 76},   // 0.3 x 255 = 76.5, to even
      {{255, 0, 0}, 28},   // 0.11 x 255 = 28.05
      {{10, 20, 30}, 22},  // 9 + 11.8 + 1.1 = 21.9
  };
  for (const Case& c : cases) {
    TbsEffectBmp image(1, 1);
    image.At(0, 0) = c.in;
    image.MakeGray();
    EXPECT_EQ(image.At(0, 0), (TPixel{c.gray, c.gray, c.gray})) << int(c.in.B) << "," << int(c.in.G) << "," << int(c.in.R);
  }
}

TEST(SkinEffects, TheFrameEffectsInTheOrderOfTheSkinValues) {
  struct Case {
    TbsInactiveEffect effect;
    TPixel out;  // of the pixel (blue 0, green 100, red 200)
  } cases[] = {
      {TbsInactiveEffect::Brightness, {128, 178, 228}}, {TbsInactiveEffect::Darkness, {0, 70, 140}},
      {TbsInactiveEffect::Grayscale, {119, 119, 119}},  {TbsInactiveEffect::SplitBlur, {0, 100, 200}},
      {TbsInactiveEffect::Invert, {255, 155, 55}},
  };
  for (const Case& c : cases) {
    TbsEffectBmp image(1, 1);
    image.At(0, 0) = {0, 100, 200};
    image.ApplyEffect(c.effect);
    EXPECT_EQ(image.At(0, 0), c.out) << int(c.effect);
  }
}

TEST(SkinEffects, NoiseMovesAllThreeChannelsOfAPixelByOneAmountInRange) {
  TbsEffectBmp image = Filled(64, 64, 128);
  std::mt19937 random(7);
  image.AddNoise(50, random);
  std::vector<int> seen(50);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) {
      const TPixel p = image.At(x, y);
      ASSERT_EQ(p.B, p.G);
      ASSERT_EQ(p.B, p.R);
      const int d = p.B - 128;
      ASSERT_GE(d, -25);
      ASSERT_LE(d, 24);
      ++seen[std::size_t(d + 25)];
    }
  for (int n : seen) EXPECT_GT(n, 0);  // every amount of 4,096 draws from 50 shows up

  // Near the ends of the range it clamps instead of wrapping.
  TbsEffectBmp dark = Filled(64, 4, 3), light = Filled(64, 4, 250);
  dark.AddNoise(50, random);
  light.AddNoise(50, random);
  for (int x = 0; x < 64; ++x) {
    EXPECT_LE(dark.At(x, 0).B, 27);
    EXPECT_GE(light.At(x, 0).B, 225);
  }
}

TEST(SkinEffects, SplitBlurAveragesTheDiagonalsInPlaceDownTheRows) {
  // 3 x 3, blue = 10, 20, ..., 90 row by row; a = 1.
  TbsEffectBmp image(3, 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x) image.At(x, y).B = std::uint8_t(10 * (3 * y + x + 1));
  image.SplitBlur(1);
  // Row 0 reads row 0 for y - 1 (off the picture) and row 1; off-picture columns are the
  // pixel's own. (0,0): (10 + 20 + 40 + 50) / 4 = 30; (1,0): (10 + 30 + 40 + 60) / 4 = 35;
  // (2,0): (20 + 30 + 50 + 60) / 4 = 40.
  EXPECT_EQ(BlueRow(image, 0), (std::vector<int>{30, 35, 40}));
  // Row 1 reads the blurred row 0 and the untouched row 2: (0,1): (30 + 35 + 70 + 80) / 4 = 53.
  EXPECT_EQ(BlueRow(image, 1), (std::vector<int>{53, 57, 61}));
  // Row 2 reads the blurred row 1 and itself: (0,2): (53 + 57 + 70 + 80) / 4 = 65.
  EXPECT_EQ(BlueRow(image, 2), (std::vector<int>{65, 68, 72}));

  // A reach wider than the picture falls back to the pixel itself everywhere.
  TbsEffectBmp wide = RowOf({10, 50, 90});
  wide.SplitBlur(5);
  EXPECT_EQ(BlueRow(wide), (std::vector<int>{10, 50, 90}));
}

TEST(SkinEffects, InvertingTwiceRestoresThePicture) {
  TbsEffectBmp image(7, 5);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 7; ++x) image.At(x, y) = {std::uint8_t(x * 30), std::uint8_t(y * 50), std::uint8_t(x ^ y)};
  const TImage before = image;
  image.InvertColors();
  EXPECT_NE(image.At(3, 2), before.At(3, 2));
  image.InvertColors();
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 7; ++x) EXPECT_EQ(image.At(x, y), before.At(x, y));
}

// ---- Morphs ---------------------------------------------------------------------------------

TEST(SkinMorphs, BlendWeighsOldAndNew) {
  struct Case {
    double k;
    int old, nw, out;
  } cases[] = {
      {0, 40, 200, 40}, {1, 40, 200, 200}, {1.5, 40, 200, 200}, {-3, 40, 200, 40},
      {0.5, 0, 1, 0},   // 0.5 to even
      {0.5, 0, 3, 2},   // 1.5 to even
      {0.25, 0, 200, 50},
  };
  for (const Case& c : cases)
    for (int width : {4, 200}) {  // small pictures mix directly, big ones through a table
      TbsEffectBmp image = Filled(width, 150, std::uint8_t(c.old));
      image.BlendWith(Filled(width, 150, std::uint8_t(c.nw)), c.k);
      EXPECT_EQ(image.At(width - 1, 149).G, c.out) << c.k << " " << c.old << "->" << c.nw << " width " << width;
      EXPECT_EQ(image.At(0, 0).R, c.out);
    }
}

TEST(SkinMorphs, GradientsAndSlidesPerColumn) {
  const std::vector<int> zeros(10, 0);
  const std::vector<int> ramp = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
  const std::vector<int> newRamp = {100, 101, 102, 103, 104, 105, 106, 107, 108, 109};
  struct Case {
    const char* name;
    TbsMorphKind kind;
    double k;
    std::vector<int> old, nw, out;
  } cases[] = {
      // a = 5, c = 2, step 1/2; columns 3 .. 7 new, weights grow outwards.
      {"centre 0.5", TbsMorphKind::mkGradient, 0.5, zeros, std::vector<int>(10, 200), {0, 0, 100, 200, 200, 200, 200, 200, 100, 0}},
      {"centre 1", TbsMorphKind::mkGradient, 1, zeros, std::vector<int>(10, 200), std::vector<int>(10, 200)},
      // a = 5, step 1/5 from the left edge; columns past a keep the old picture.
      {"left gradient 0.5", TbsMorphKind::mkLeftGradient, 0.5, zeros, std::vector<int>(10, 200), {200, 160, 120, 80, 40, 0, 0, 0, 0, 0}},
      {"left gradient 0 (a at least 1)", TbsMorphKind::mkLeftGradient, 0, zeros, std::vector<int>(10, 200), {200, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
      {"left gradient 1 (a at most 9)", TbsMorphKind::mkLeftGradient, 1, zeros, std::vector<int>(10, 180), {180, 160, 140, 120, 100, 80, 60, 40, 20, 0}},
      {"right gradient 0.5", TbsMorphKind::mkRightGradient, 0.5, zeros, std::vector<int>(10, 200), {0, 0, 0, 0, 0, 40, 80, 120, 160, 200}},
      {"right gradient 0 (a at most 9)", TbsMorphKind::mkRightGradient, 0, zeros, std::vector<int>(10, 200), {0, 0, 0, 0, 0, 0, 0, 0, 0, 200}},
      {"left slide 0.3", TbsMorphKind::mkLeftSlide, 0.3, ramp, newRamp, {107, 108, 109, 3, 4, 5, 6, 7, 8, 9}},
      {"left slide 0 (c at least 1)", TbsMorphKind::mkLeftSlide, 0, ramp, newRamp, {109, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
      {"left slide 1 (c at most 9)", TbsMorphKind::mkLeftSlide, 1, ramp, newRamp, {101, 102, 103, 104, 105, 106, 107, 108, 109, 9}},
      {"right slide 0.3", TbsMorphKind::mkRightSlide, 0.3, ramp, newRamp, {0, 1, 2, 3, 4, 5, 6, 100, 101, 102}},
      {"right slide 1", TbsMorphKind::mkRightSlide, 1, ramp, newRamp, {0, 100, 101, 102, 103, 104, 105, 106, 107, 108}},
      {"push 0.3", TbsMorphKind::mkPush, 0.3, ramp, newRamp, {106, 107, 108, 109, 0, 1, 2, 3, 4, 5}},
      {"push 0", TbsMorphKind::mkPush, 0, ramp, newRamp, {109, 0, 1, 2, 3, 4, 5, 6, 7, 8}},
      {"push 1 (a at most 9)", TbsMorphKind::mkPush, 1, ramp, newRamp, newRamp},
      {"blend 0.5", TbsMorphKind::mkDefault, 0.5, zeros, std::vector<int>(10, 200), std::vector<int>(10, 100)},
  };
  for (const Case& c : cases) {
    TbsEffectBmp image = RowOf(c.old);
    image.Morph(c.kind, RowOf(c.nw), c.k);
    EXPECT_EQ(BlueRow(image), c.out) << c.name;
  }
}

TEST(SkinMorphs, TallPicturesWipeFromTheMiddleAlongY) {
  TbsEffectBmp image = Filled(1, 10, 0);
  image.CentreGradientMorph(Filled(1, 10, 200), 0.5);  // a = 5, step 1 / ((10 - 5 - 1) div 2)
  std::vector<int> column;
  for (int y = 0; y < 10; ++y) column.push_back(image.At(0, y).B);
  EXPECT_EQ(column, (std::vector<int>{0, 0, 100, 200, 200, 200, 200, 200, 100, 0}));

  // With (10 - 9 - 1) div 2 = 0 the step is 0: every row takes the new picture.
  TbsEffectBmp late = Filled(1, 10, 0);
  late.CentreGradientMorph(Filled(1, 10, 200), 0.9);
  for (int y = 0; y < 10; ++y) EXPECT_EQ(late.At(0, y).B, 200) << y;
}

TEST(SkinMorphs, PicturesOfAnotherSizeAreLeftAlone) {
  for (int kind = 0; kind <= int(TbsMorphKind::mkPush); ++kind)
    for (const auto& other : {Filled(4, 3, 200), Filled(5, 2, 200), TbsEffectBmp()}) {
      TbsEffectBmp image = Filled(5, 3, 7);
      image.Morph(TbsMorphKind(kind), other, 0.5);
      for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) ASSERT_EQ(image.At(x, y).B, 7) << kind;
    }
  TbsEffectBmp empty;
  empty.BlendWith(TbsEffectBmp(), 0.5);
  EXPECT_TRUE(empty.Empty());
}

TEST(SkinMorphs, WidthOneDoesNotReachPastTheRow) {
  for (int kind = 0; kind <= int(TbsMorphKind::mkPush); ++kind)
    for (double k : {0.0, 0.5, 1.0}) {
      TbsEffectBmp image = Filled(1, 3, 7);
      image.Morph(TbsMorphKind(kind), Filled(1, 3, 200), k);  // under ASan, any overrun fails
      const int b = image.At(0, 1).B;
      EXPECT_TRUE(b == 7 || b == 200 || kind == 0) << kind << " " << k;
    }
}

// ---- Rotations ------------------------------------------------------------------------------

TEST(SkinRotations, QuarterTurnsAndTheFlip) {
  // 3 x 2: blue = 1 2 3 / 4 5 6.
  TbsEffectBmp image(3, 2);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) image.At(x, y).B = std::uint8_t(3 * y + x + 1);
  struct Case {
    const char* name;
    void (TbsEffectBmp::*turn)(TImage&) const;
    int width, height;
    std::vector<std::vector<int>> rows;
  } cases[] = {
      // The top-right pixel of the clockwise turn is the source's top-left.
      {"clockwise", &TbsEffectBmp::RotateClockwise, 2, 3, {{4, 1}, {5, 2}, {6, 3}}},
      {"counter-clockwise", &TbsEffectBmp::RotateCounterClockwise, 2, 3, {{3, 6}, {2, 5}, {1, 4}}},
      {"flip", &TbsEffectBmp::FlipTopBottom, 3, 2, {{4, 5, 6}, {1, 2, 3}}},
  };
  for (const Case& c : cases) {
    TImage target(9, 9);
    (image.*c.turn)(target);
    ASSERT_EQ(target.Width(), c.width) << c.name;
    ASSERT_EQ(target.Height(), c.height) << c.name;
    for (int y = 0; y < c.height; ++y) EXPECT_EQ(BlueRow(target, y), c.rows[std::size_t(y)]) << c.name;

    TbsEffectBmp self = image;  // turning into itself
    (self.*c.turn)(self);
    for (int y = 0; y < c.height; ++y) EXPECT_EQ(BlueRow(self, y), c.rows[std::size_t(y)]) << c.name << " in place";
  }
}

TEST(SkinRotations, FourQuarterTurnsOfABigPictureGiveItBack) {
  // Larger than the blocks the turns walk in, with edges that are not a multiple of them.
  TbsEffectBmp image(77, 45);
  for (int y = 0; y < 45; ++y)
    for (int x = 0; x < 77; ++x) image.At(x, y) = {std::uint8_t(x), std::uint8_t(y), std::uint8_t(x * y)};
  TbsEffectBmp a, b;
  image.RotateClockwise(a);
  a.RotateClockwise(b);
  b.RotateCounterClockwise(a);
  a.RotateClockwise(b);
  b.RotateCounterClockwise(a);
  a.RotateCounterClockwise(b);  // net: none
  ASSERT_EQ(b.Width(), 77);
  ASSERT_EQ(b.Height(), 45);
  for (int y = 0; y < 45; ++y)
    for (int x = 0; x < 77; ++x) ASSERT_EQ(b.At(x, y), image.At(x, y)) << x << "," << y;
  // Two clockwise turns equal a top-bottom flip followed by a left-right mirror.
  image.RotateClockwise(a);
  a.RotateClockwise(b);
  EXPECT_EQ(b.At(0, 0), image.At(76, 44));
  EXPECT_EQ(b.At(10, 3), image.At(66, 41));
}

}  // namespace
}  // namespace bs

namespace bs {
namespace {

TEST(SkinPicture, AMovedFromPictureIsEmptyAndCanBeSizedAgain) {
  TbsEffectBmp from(4, 3);
  from.At(3, 2) = {1, 2, 3};
  TbsEffectBmp to(std::move(from));
  EXPECT_EQ(to.At(3, 2), (TPixel{1, 2, 3}));
  EXPECT_TRUE(from.Empty());  // NOLINT: the state after a move is what this checks
  EXPECT_EQ(from.Bits(), nullptr);
  from.SetSize(2, 2);
  from.At(1, 1) = {9, 9, 9};
  EXPECT_EQ(to.At(3, 2), (TPixel{1, 2, 3}));
  to = std::move(from);
  EXPECT_EQ(to.Width(), 2);
  EXPECT_EQ(to.At(1, 1), (TPixel{9, 9, 9}));
}

}  // namespace
}  // namespace bs
