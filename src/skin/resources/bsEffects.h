#pragma once
// The skin library's pixel-level image and what it computes: the effects a skin may ask for
// its inactive frame, the morph transitions between two states of a frame object or control,
// and the quarter turns and flip used for tabs that are not on top.

#include "skin/resources/bsSkinDataTypes.h"

#include <cstdint>
#include <memory>
#include <random>

namespace bs {

// The effects (TbsInactiveEffect) and morphs (TbsMorphKind) are named as the description
// numbers them, in bsSkinDataTypes.h.

// Every computed channel value is rounded to the nearest integer, halves to even, and clamped
// to 0 .. 255. Morphs with a picture of another size leave the picture as it is.
class TbsEffectBmp : public TImage {
 public:
  using TImage::TImage;
  TbsEffectBmp() = default;
  explicit TbsEffectBmp(const TImage& picture) : TImage(picture) {}

  // Effects, in place; k is clamped to 0 .. 1.
  void Brighten(double k);  // c := (1 - k) c + 255 k
  void Darken(double k);    // c := (1 - k) c
  void MakeGray();          // R, G, B := 0.3 R + 0.59 G + 0.11 B
  // Adds to each pixel one random d in -(a div 2) .. a - 1 - a div 2, the same for its three
  // channels. Nothing for a < 1.
  void AddNoise(int amount);
  void AddNoise(int amount, std::mt19937& random);
  // Each channel becomes the mean (truncated) of the four diagonal neighbours at distance a,
  // a neighbour off the picture being replaced by the pixel's own row or column. Works down the
  // rows in place, so the rows above are read as already blurred. Nothing for a < 1.
  void SplitBlur(int amount);
  void InvertColors();
  // The effect of a skin's `inactiveeffect` with the parameters the frame uses.
  void ApplyEffect(TbsInactiveEffect effect);

  // Morphs from this picture (the old state) towards `other` (the new one) for k in 0 .. 1.
  void BlendWith(const TImage& other, double k);
  void CentreGradientMorph(const TImage& other, double k);
  void LeftGradientMorph(const TImage& other, double k);
  void RightGradientMorph(const TImage& other, double k);
  void LeftSlideMorph(const TImage& other, double k);
  void RightSlideMorph(const TImage& other, double k);
  void PushMorph(const TImage& other, double k);
  void Morph(TbsMorphKind kind, const TImage& other, double k);

  // Quarter turns and the flip, into `target`, which takes the size they need.
  void RotateCounterClockwise(TImage& target) const;  // target (y, W - 1 - x) := (x, y)
  void RotateClockwise(TImage& target) const;         // target (H - 1 - y, x) := (x, y)
  void FlipTopBottom(TImage& target) const;           // target (x, H - 1 - y) := (x, y)
};

}  // namespace bs
