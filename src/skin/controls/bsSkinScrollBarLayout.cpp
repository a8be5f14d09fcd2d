#include "skin/controls/bsSkinScrollBarLayout.h"

#include "skin/resources/bsUtils.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace bs {

namespace {

constexpr int kDefaultButton = 17, kDefaultThumb = 16;

TRect Moved(TRect r, int dx, int dy) {
  return {SaturatedInt(std::int64_t(r.Left) + dx), SaturatedInt(std::int64_t(r.Top) + dy), SaturatedInt(std::int64_t(r.Right) + dx),
          SaturatedInt(std::int64_t(r.Bottom) + dy)};
}

// Max below Min counts as an empty range at Min: nothing can set it so, but a caller's copy may.
std::int64_t Span(const TbsScrollBarRange& r) { return std::max<std::int64_t>(0, std::int64_t(r.Max) - r.Min); }

// A rectangle from 64-bit sides, each held inside the int range.
TRect Rect64(std::int64_t l, std::int64_t t, std::int64_t r, std::int64_t b) { return {SaturatedInt(l), SaturatedInt(t), SaturatedInt(r), SaturatedInt(b)}; }

// Sizes of rectangles read from a description, which may lie anywhere in the int range.
std::int64_t Width64(const TRect& r) { return std::int64_t(r.Right) - r.Left; }
std::int64_t Height64(const TRect& r) { return std::int64_t(r.Bottom) - r.Top; }

bool Contains(const TRect& r, int x, int y) { return r.Left <= x && x < r.Right && r.Top <= y && y < r.Bottom; }

}  // namespace

const TRect& TbsScrollBarLayout::Part(int part) const {
  switch (part) {
    case sbpScrollThumb: return Thumb;
    case sbpIncreaseButton: return IncreaseButton;
    default: return DecreaseButton;
  }
}

int RoundHalfEven(double x) {
  if (std::isnan(x)) return 0;
  const double r = std::nearbyint(x);
  if (r <= double(std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
  if (r >= double(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
  return int(r);
}

int SaturatedAdd(int a, std::int64_t b) { return SaturatedInt(std::int64_t(a) + b); }

int LargestScrollPosition(const TbsScrollBarRange& r) {
  const std::int64_t top = std::int64_t(r.Min) + Span(r);
  if (r.PageSize <= 0) return SaturatedInt(top);
  return SaturatedInt(std::max<std::int64_t>(r.Min, top - r.PageSize + 1));
}

int ClampScrollPosition(const TbsScrollBarRange& r, int value) {
  return std::clamp(value, r.Min, std::max(r.Min, LargestScrollPosition(r)));
}

bool ScrollPageFits(const TbsScrollBarRange& r, int page) {
  // Measured from Min, so that a range that does not start at 0 takes the pages that fit in it.
  return page >= 0 && std::int64_t(r.Position) - r.Min + page <= Span(r) + 1;
}

TbsScrollBarLayout LayoutScrollBar(TbsScrollBarKind kind, int W, int H, const TbsScrollBarRange& range,
                                   const TbsScrollBarSkin* skin, int bothMarker) {
  const bool vertical = kind == TbsScrollBarKind::sbVertical;
  TbsScrollBarLayout l;
  if (!skin) {
    const std::int64_t w = W, h = H;
    if (vertical) {
      l.DecreaseButton = Rect64(1, 1, w - 1, kDefaultButton);
      l.IncreaseButton = Rect64(1, h - kDefaultButton, w - 1, h - 1);
      l.Track = Rect64(1, kDefaultButton, w - 1, h - kDefaultButton);
    } else {
      const std::int64_t a = w - std::max(0, bothMarker);
      l.DecreaseButton = Rect64(1, 1, kDefaultButton, h - 1);
      l.IncreaseButton = Rect64(a - kDefaultButton, 1, a - 1, h - 1);
      l.Track = Rect64(kDefaultButton, 1, a - kDefaultButton, h - 1);
    }
  } else if (vertical) {
    const int dy = SaturatedInt(std::int64_t(H) - Height64(skin->SkinRect));
    l.Track = skin->TrackArea;
    l.Track.Bottom = SaturatedInt(std::int64_t(l.Track.Bottom) + dy);
    l.IncreaseButton = skin->UpButtonRect.Top > skin->LeftBottom.Y ? Moved(skin->UpButtonRect, 0, dy) : skin->UpButtonRect;
    l.DecreaseButton =
        skin->DownButtonRect.Top > skin->LeftBottom.Y ? Moved(skin->DownButtonRect, 0, dy) : skin->DownButtonRect;
  } else {
    const int dx = SaturatedInt(std::int64_t(W) - Width64(skin->SkinRect));
    l.Track = skin->TrackArea;
    l.Track.Right = SaturatedInt(std::int64_t(l.Track.Right) + dx);
    l.IncreaseButton =
        skin->UpButtonRect.Left > skin->RightTop.X ? Moved(skin->UpButtonRect, dx, 0) : skin->UpButtonRect;
    l.DecreaseButton =
        skin->DownButtonRect.Left > skin->RightTop.X ? Moved(skin->DownButtonRect, dx, 0) : skin->DownButtonRect;
  }

  const int start = vertical ? l.Track.Top : l.Track.Left, end = vertical ? l.Track.Bottom : l.Track.Right;
  const std::int64_t trackLength = std::int64_t(end) - start;
  const int pictureLength = skin ? skin->ThumbLength : kDefaultThumb;
  if (range.PageSize > 0) {
    const std::int64_t divisor = Span(range) + 1;
    l.ThumbLength = RoundHalfEven(double(trackLength) * double(range.PageSize) / double(divisor));
    l.ThumbLength = std::max(l.ThumbLength, pictureLength);
  } else {
    l.ThumbLength = pictureLength;
  }

  double k;
  const std::int64_t fromMin = std::int64_t(range.Position) - range.Min;
  if (range.PageSize <= 0) {
    const std::int64_t span = Span(range);
    k = span == 0 ? 0.0 : double(fromMin) / double(span);
  } else {
    const std::int64_t divisor = Span(range) - range.PageSize + 1;
    k = divisor > 0 ? double(fromMin) / double(divisor) : (vertical ? 0.0 : 1.0);
  }
  // A position outside the range (a caller's copy) still puts the thumb on the track.
  k = std::clamp(k, 0.0, 1.0);
  const int half = l.ThumbLength / 2;
  l.TravelStart = SaturatedInt(std::int64_t(start) + half);
  l.TravelEnd = SaturatedInt(std::int64_t(end) - half);
  l.Offset = RoundHalfEven(double(std::int64_t(l.TravelEnd) - l.TravelStart) * k);
  const std::int64_t centre = std::int64_t(l.TravelStart) + l.Offset;
  const int a = SaturatedInt(centre - half), b = SaturatedInt(centre + half);
  if (vertical) {
    int left = l.Track.Left, right = l.Track.Right;
    if (skin) {
      left = SaturatedInt(std::int64_t(l.Track.Left) + (Width64(l.Track) - skin->ThumbThickness) / 2);
      right = SaturatedInt(std::int64_t(left) + skin->ThumbThickness);
    }
    l.Thumb = {left, a, right, b};
  } else {
    int top = l.Track.Top, bottom = l.Track.Bottom;
    if (skin) {
      top = SaturatedInt(std::int64_t(l.Track.Top) + (Height64(l.Track) - skin->ThumbThickness) / 2);
      bottom = SaturatedInt(std::int64_t(top) + skin->ThumbThickness);
    }
    l.Thumb = {a, top, b, bottom};
  }
  return l;
}

int ScrollBarPartAt(const TbsScrollBarLayout& l, int x, int y) {
  for (int part : {sbpScrollThumb, sbpIncreaseButton, sbpDecreaseButton})
    if (Contains(l.Part(part), x, y)) return part;
  return sbpNone;
}

int ScrollPositionFromOffset(const TbsScrollBarLayout& l, const TbsScrollBarRange& r, int distance,
                             int offsetAtPress) {
  const std::int64_t travel = std::int64_t(l.TravelEnd) - l.TravelStart;
  double k = 0;
  if (travel > 0) k = std::clamp(double(std::int64_t(distance) + offsetAtPress) / double(travel), 0.0, 1.0);
  const std::int64_t steps = r.PageSize > 0 ? std::max<std::int64_t>(0, Span(r) - r.PageSize + 1) : Span(r);
  return ClampScrollPosition(r, SaturatedInt(std::int64_t(r.Min) + std::llround(std::nearbyint(k * double(steps)))));
}

}  // namespace bs
