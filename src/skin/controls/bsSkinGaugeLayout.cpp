#include "skin/controls/bsSkinGaugeLayout.h"

#include <algorithm>
#include <cstdint>

namespace bs {

int GaugeFillLength(int length, int minValue, int maxValue, int value) {
  const std::int64_t range = std::int64_t(maxValue) - minValue;
  if (range <= 0 || length <= 0) return 0;
  const std::int64_t done = std::clamp<std::int64_t>(std::int64_t(value) - minValue, 0, range);
  // length < 2^31 and done <= range < 2^32: the product stays below 2^63.
  return int(std::int64_t(length) * done / range);
}

TRect ProgressRectFor(const TRect& area, int minValue, int maxValue, int value, bool vertical) {
  TRect r = area;
  if (vertical) r.Top = area.Bottom - GaugeFillLength(area.Height(), minValue, maxValue, value);
  else r.Right = area.Left + GaugeFillLength(area.Width(), minValue, maxValue, value);
  return r;
}

void GaugeFillImage(TImage& dest, const TImage& src, const TRect& progressRect, int beginOffset, int endOffset,
                    int length, bool vertical, bool stretch) {
  const TRect& R = progressRect;
  if (!vertical) {
    ThreePartHorzImage(beginOffset, endOffset, dest, src, R, length, stretch);
    return;
  }
  const int w = R.Width(), H = length, T = beginOffset, B = endOffset;
  dest.SetSize(w, H);
  const TRect middle{R.Left, R.Top + T, R.Right, R.Bottom - B};
  const int m = middle.Height();
  if (m > 0 && H - B > T) {
    if (stretch) CopyImageRect(dest, {0, T, w, H - B}, src, middle);
    else
      for (int y = H - B; y > T; y -= m) {
        const int top = std::max(y - m, T);
        CopyImageRect(dest, {0, top, w, y}, src, {middle.Left, middle.Bottom - (y - top), middle.Right, middle.Bottom});
      }
  }
  if (T > 0) CopyImageRect(dest, {0, 0, w, T}, src, {R.Left, R.Top, R.Right, R.Top + T});
  if (B > 0) CopyImageRect(dest, {0, H - B, w, H}, src, {R.Left, R.Bottom - B, R.Right, R.Bottom});
}

int GaugePercent(int minValue, int maxValue, int value) { return GaugeFillLength(100, minValue, maxValue, value); }

}  // namespace bs
