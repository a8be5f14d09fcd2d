#pragma once
// Drawing helpers for the program's skin pictures: crisp one-pixel lines, boxes with softly
// cut corners, vertical gradients and the small line glyphs of buttons, all in whole pixels
// so that every picture comes out the same on every machine.

#include <cstdint>

#include "skin/resources/bsSkinDataTypes.h"

namespace skingen {

using spv::base::TImage;
using spv::base::TPixel;
using bs::TRect;

// 0xRRGGBB, the way colours are written in a style sheet.
struct TRgb {
  std::uint8_t R = 0, G = 0, B = 0;
  constexpr TRgb() = default;
  constexpr explicit TRgb(std::uint32_t rgb) : R(std::uint8_t(rgb >> 16)), G(std::uint8_t(rgb >> 8)), B(std::uint8_t(rgb)) {}
  TPixel Pixel() const { return {B, G, R}; }
  // The colour as the skin description writes it: 0x00BBGGRR.
  constexpr bs::TColor Color() const { return bs::TColor(R | G << 8 | B << 16); }
};

TRgb Mix(TRgb a, TRgb b, int percentOfB);

void Plot(TImage& img, int x, int y, TRgb c);
void Fill(TImage& img, const TRect& r, TRgb c);
void HLine(TImage& img, int x1, int x2, int y, TRgb c);  // x2 exclusive
void VLine(TImage& img, int x, int y1, int y2, TRgb c);  // y2 exclusive
void Outline(TImage& img, const TRect& r, TRgb c);
void VGradient(TImage& img, const TRect& r, TRgb top, TRgb bottom);

// A box with a one-pixel border whose corners are cut by `radius` (0, 1 or 2) pixels, the
// cut filled with `outside`, the inside a vertical gradient.
void Box(TImage& img, const TRect& r, TRgb border, TRgb top, TRgb bottom, TRgb outside, int radius);

enum class TArrow { Up, Down, Left, Right };
// A filled triangle of `size` rows pointing `dir`, centred in `r`.
void Arrow(TImage& img, const TRect& r, TArrow dir, int size, TRgb c);
void CheckMark(TImage& img, const TRect& r, TRgb c);
void CrossGlyph(TImage& img, const TRect& r, TRgb c);

// A 1-bit mask picture: black inside a box with cut corners, white outside.
void MaskBox(TImage& img, const TRect& r, int radiusTop, int radiusBottom);

}  // namespace skingen
