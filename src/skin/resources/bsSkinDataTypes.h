#pragma once
// Plain value types of the skin description: rectangles, points, colours and font styles,
// as the description text spells them. Right and bottom of a rectangle are exclusive.

#include "base/Image.h"

#include <cstdint>

namespace bs {

// The skin's pictures are the program's one picture type.
using spv::base::TImage;
using spv::base::TPixel;

struct TPoint {
  int X = 0, Y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  constexpr int Width() const { return Right - Left; }
  constexpr int Height() const { return Bottom - Top; }
  friend bool operator==(const TRect&, const TRect&) = default;
};

// A piece that the skin does not provide: width or height zero or less.
constexpr bool RectIsEmpty(const TRect& r) { return r.Right <= r.Left || r.Bottom <= r.Top; }
// A point of the description counts as unset when either coordinate is 0.
constexpr bool PointIsUnset(const TPoint& p) { return p.X == 0 || p.Y == 0; }

// 0x00BBGGRR, or 0xFF0000nn for system colour nn.
using TColor = std::int32_t;
inline constexpr TColor SystemColor(int index) { return TColor(0xFF000000u | unsigned(index)); }

struct TFontStyles {
  bool Bold = false, Italic = false, Underline = false, StrikeOut = false;
  friend bool operator==(const TFontStyles&, const TFontStyles&) = default;
};

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };

// The image effects a skin may ask for its inactive frame, in the numbering of the text.
enum class TbsInactiveEffect { Brightness = 0, Darkness = 1, Grayscale = 2, Noise = 3, SplitBlur = 4, Invert = 5 };

enum class TbsMorphKind {
  mkDefault = 0, mkGradient = 1, mkLeftGradient = 2, mkRightGradient = 3,
  mkLeftSlide = 4, mkRightSlide = 5, mkPush = 6
};

// Commands of caption buttons, numbered as the frame numbers them.
enum class TbsStdCommand { cmClose = 0, cmMaximize = 1, cmMinimize = 2, cmSysMenu = 3, cmDefault = 4, cmRollUp = 5, cmMinimizeToTray = 6 };

}  // namespace bs
